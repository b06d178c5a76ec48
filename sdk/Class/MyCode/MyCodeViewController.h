#pragma once

#include <UIKit/UIViewController.h>

#include <memory>

namespace kerbelin {

// The my-codes screen, root of the tab shell's tab 2 (scene "MyCodeViewController" of the storyboard
// "MyCode"). Its content comes later; for now it shows its title and a line saying it is not built yet.
class MyCodeViewController : public ios::UIViewController {
 public:
  static std::shared_ptr<MyCodeViewController> create();
};

}  // namespace kerbelin
