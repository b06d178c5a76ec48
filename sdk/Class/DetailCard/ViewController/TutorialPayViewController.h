#pragma once

#include <Foundation/Bundle.h>
#include <UIKit/UIViewController.h>

#include <memory>
#include <optional>
#include <string>

namespace kerbelin {

// The guide to paying an order in cash.
// Its content comes later; for now it shows its title and a line saying it is not built yet.
// The inputs are plain values the router sets before the screen is shown.
class TutorialPayViewController : public ios::UIViewController {
 public:
  // `init(nibName:bundle:)`; without a bundle the nib is found as NibBundle.h says.
  static std::shared_ptr<TutorialPayViewController> create(std::optional<std::string> nibName = std::nullopt,
                                                           std::shared_ptr<ios::Bundle> bundle = nullptr);
  TutorialPayViewController(std::optional<std::string> nibName, std::shared_ptr<ios::Bundle> bundle);

  std::string transId;  // the order's transaction code
};

}  // namespace kerbelin
