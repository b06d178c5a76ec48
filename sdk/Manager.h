#pragma once

#include <UIKit/UIViewController.h>

#include <memory>

namespace kerbelin {

// The host application's entry into the framework. It holds nothing: make one, ask it for the first
// screen and drop it. The screen is the card store; the host shows it in its own navigation
// controller, on which every further screen is pushed.
class Manager {
 public:
  Manager() = default;

  // A new store screen (a BuyCardViewController, scene "BuyCardViewController" of the storyboard
  // "BuyCard") with nothing set on it; each call makes an independent one. Main thread only.
  std::shared_ptr<ios::UIViewController> viewController();
};

}  // namespace kerbelin
