#include <UIKit/UIRefreshControl.h>

#include <UIKit/UIGraphics.h>
#include <UIKit/UIScrollView.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace ios {

namespace {
const auto registration = ClassRegistration<UIRefreshControl, UIControl>("UIRefreshControl").factory([] {
  return UIRefreshControl::create();
});

constexpr int kSpokes = 8;
constexpr CGFloat kInnerRadius = 5;
constexpr CGFloat kOuterRadius = 10;
}  // namespace

std::shared_ptr<UIRefreshControl> UIRefreshControl::create() {
  return std::make_shared<UIRefreshControl>();
}

UIRefreshControl::UIRefreshControl() : UIControl(CGRect(0, -height, 0, height)) {}

std::shared_ptr<UIScrollView> UIRefreshControl::scrollView() const {
  return std::dynamic_pointer_cast<UIScrollView>(superview());
}

void UIRefreshControl::beginRefreshing() {
  setRefreshing(true);
}

void UIRefreshControl::endRefreshing() {
  setRefreshing(false);
}

void UIRefreshControl::setRefreshing(bool refreshing) {
  if (refreshing == refreshing_) return;
  auto scroll = scrollView();
  const CGFloat oldTop = scroll ? scroll->adjustedContentInset().top : 0;
  refreshing_ = refreshing;
  setNeedsDisplay();
  if (scroll) scroll->refreshInsetDidChange(oldTop);
}

void UIRefreshControl::scrollViewDidChangeOffset(UIScrollView& scrollView) {
  const CGFloat width = scrollView.bounds().width();
  if (frame().width() != width) setFrame(CGRect(0, -height, width, height));
  const CGFloat restingTop = scrollView.adjustedContentInset().top - insetContribution();
  const CGFloat pulled = -(scrollView.contentOffset().y + restingTop);
  const CGFloat progress = std::clamp<CGFloat>(pulled / triggerDistance, 0, 1);
  if (progress == pullProgress_) return;
  pullProgress_ = progress;
  setNeedsDisplay();
}

void UIRefreshControl::scrollViewDidRelease(UIScrollView& scrollView) {
  if (refreshing_ || !isEnabled()) return;
  const CGFloat pulled = -(scrollView.contentOffset().y + scrollView.adjustedContentInset().top);
  if (pulled <= triggerDistance) return;
  auto self = std::static_pointer_cast<UIRefreshControl>(shared_from_this());  // an action may drop it
  beginRefreshing();
  sendActions(valueChanged);
}

void UIRefreshControl::draw(const CGRect& rect) {
  CGContext* context = UIGraphicsGetCurrentContext();
  const CGFloat shown = refreshing_ ? 1 : pullProgress_;
  if (!context || shown <= 0) return;
  // A spinner of spokes, as many drawn as the pull has progressed.
  const CGRect b = bounds();
  const CGPoint c{b.midX(), b.midY()};
  context->setStrokeColor(tintColor()->cgColor());
  context->setLineWidth(2);
  context->setLineCap(CGLineCap::round);
  const int count = std::max(1, static_cast<int>(std::round(shown * kSpokes)));
  for (int i = 0; i < count; ++i) {
    const CGFloat angle = -std::numbers::pi / 2 + i * 2 * std::numbers::pi / kSpokes;
    context->move({c.x + kInnerRadius * std::cos(angle), c.y + kInnerRadius * std::sin(angle)});
    context->addLine({c.x + kOuterRadius * std::cos(angle), c.y + kOuterRadius * std::sin(angle)});
  }
  context->strokePath();
}

}  // namespace ios
