#pragma once

#include <UIKit/UIViewController.h>

#include <memory>

namespace kerbelin {

// The my-cards screen, root of the tab shell's tab 1 (scene "MyCardViewController" of the storyboard
// "MyCard"). Its content comes later; for now it shows its title and a line saying it is not built yet.
class MyCardViewController : public ios::UIViewController {
 public:
  static std::shared_ptr<MyCardViewController> create();
};

}  // namespace kerbelin
