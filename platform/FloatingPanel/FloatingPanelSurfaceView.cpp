#include <FloatingPanel/FloatingPanelSurfaceView.h>

#include <UIKit/UIColor.h>

namespace ios {

namespace {
constexpr float kShadowOpacity = 0.2f;
constexpr CGFloat kShadowRadius = 3;
}  // namespace

std::shared_ptr<FloatingPanelSurfaceView> FloatingPanelSurfaceView::create() {
  auto surface = std::make_shared<FloatingPanelSurfaceView>();
  surface->initialize();
  return surface;
}

FloatingPanelSurfaceView::FloatingPanelSurfaceView()
    : contentView_(UIView::create()), grabberHandle_(GrabberHandleView::create()) {
  setBackgroundColor(UIColor::white());
  contentView_->setClipsToBounds(true);
  layer()->setShadowOpacity(kShadowOpacity);
  layer()->setShadowRadius(kShadowRadius);
  layer()->setShadowOffset(CGSize{0, 1});
}

void FloatingPanelSurfaceView::initialize() {
  // Subviews need the surface in a shared_ptr, which the constructor does not have yet.
  if (initialized_) return;
  initialized_ = true;
  addSubview(contentView_);
  addSubview(grabberHandle_);
}

void FloatingPanelSurfaceView::setShadowHidden(bool hidden) {
  if (shadowHidden_ == hidden) return;
  shadowHidden_ = hidden;
  layer()->setShadowOpacity(hidden ? 0.0f : kShadowOpacity);
}

void FloatingPanelSurfaceView::setCornerRadius(CGFloat radius) {
  // Both layers: the surface's own background and shadow take the rounded shape, and the content is
  // clipped to it.
  layer()->setCornerRadius(radius);
  contentView_->layer()->setCornerRadius(radius);
}

void FloatingPanelSurfaceView::layoutSubviews() {
  initialize();
  const CGRect area = bounds();
  contentView_->setFrame(CGRect(0, 0, area.width(), area.height()));
  for (const auto& content : contentView_->subviews()) content->setFrame(contentView_->bounds());
  grabberHandle_->setFrame(CGRect((area.width() - GrabberHandleView::width) / 2, grabberTopPadding,
                                  GrabberHandleView::width, GrabberHandleView::height));
}

}  // namespace ios
