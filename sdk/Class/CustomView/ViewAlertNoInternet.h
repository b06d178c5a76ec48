#pragma once

#include <UIKit/UIView.h>

#include <memory>

namespace kerbelin {

// The no-internet banner the tab shell carries. It has no behaviour of its own: its look and text
// are in its nib "ViewAlertNoInternet", which the host application ships in its main bundle.
class ViewAlertNoInternet : public ios::UIView {
 public:
  static std::shared_ptr<ViewAlertNoInternet> create(const ios::CGRect& frame = ios::CGRect::zero);
  explicit ViewAlertNoInternet(const ios::CGRect& frame = ios::CGRect::zero) : ios::UIView(frame) {}
};

}  // namespace kerbelin
