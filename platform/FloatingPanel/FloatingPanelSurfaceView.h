#pragma once

#include <FloatingPanel/GrabberHandleView.h>
#include <UIKit/UIView.h>

#include <memory>

namespace ios {

// The moving sheet of a panel: a content view that fills it (the content controller's view goes
// there) and a grabber handle drawn over the content, centred near the top edge. The surface casts
// a soft shadow unless `shadowHidden`; `cornerRadius` rounds the top corners of the content.
class FloatingPanelSurfaceView : public UIView {
 public:
  static constexpr CGFloat grabberTopPadding = 6;

  static std::shared_ptr<FloatingPanelSurfaceView> create();
  FloatingPanelSurfaceView();

  const std::shared_ptr<UIView>& contentView() const { return contentView_; }
  const std::shared_ptr<GrabberHandleView>& grabberHandle() const { return grabberHandle_; }

  bool shadowHidden() const { return shadowHidden_; }
  void setShadowHidden(bool hidden);
  CGFloat cornerRadius() const { return contentView_->layer()->cornerRadius(); }
  void setCornerRadius(CGFloat radius);

  void layoutSubviews() override;

 private:
  void initialize();

  std::shared_ptr<UIView> contentView_;
  std::shared_ptr<GrabberHandleView> grabberHandle_;
  bool shadowHidden_ = false;
  bool initialized_ = false;
};

}  // namespace ios
