#pragma once

#include <UIKit/UIViewController.h>

#include <memory>

namespace kerbelin {

// The code scanner, root of the tab shell's tab 3 (scene "QRCodeViewController" of the storyboard "QRCode").
// Its content comes later; for now it shows its title and a line saying it is not built yet.
class QRCodeViewController : public ios::UIViewController {
 public:
  static std::shared_ptr<QRCodeViewController> create();
};

}  // namespace kerbelin
