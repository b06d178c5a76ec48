#pragma once

#include <UIKit/UIView.h>

namespace ios {

// The small rounded bar at the top of a panel's surface that shows it can be dragged.
class GrabberHandleView : public UIView {
 public:
  static constexpr CGFloat width = 36;
  static constexpr CGFloat height = 5;

  static std::shared_ptr<GrabberHandleView> create();
  GrabberHandleView();
};

}  // namespace ios
