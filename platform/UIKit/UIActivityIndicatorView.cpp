#include <UIKit/UIActivityIndicatorView.h>

#include <Foundation/Timer.h>
#include <UIKit/Nib/NibEnumNames.h>
#include <UIKit/UIGraphics.h>
#include <UIKit/UIWindow.h>

#include <cmath>
#include <numbers>

namespace ios {

namespace {

constexpr CGFloat kSmallSide = 20;
constexpr CGFloat kLargeSide = 37;
// The spokes fade to this alpha behind the leading one.
constexpr CGFloat kTrailingAlpha = 0.25;

const auto registration =
    ClassRegistration<UIActivityIndicatorView, UIView>("UIActivityIndicatorView")
        .factory([] { return UIActivityIndicatorView::create(); })
        .property(
            "activityIndicatorViewStyle",
            [](const UIActivityIndicatorView& view) {
              return static_cast<int>(view.activityIndicatorViewStyle());
            },
            [](UIActivityIndicatorView& view, int raw) {
              if (raw >= 0 && raw <= static_cast<int>(UIActivityIndicatorViewStyle::gray))
                view.setActivityIndicatorViewStyle(static_cast<UIActivityIndicatorViewStyle>(raw));
            })
        .property("color", &UIActivityIndicatorView::color, &UIActivityIndicatorView::setColor)
        .property("hidesWhenStopped", &UIActivityIndicatorView::hidesWhenStopped,
                  &UIActivityIndicatorView::setHidesWhenStopped)
        .property(
            "animating", [](const UIActivityIndicatorView& view) { return view.isAnimating(); },
            [](UIActivityIndicatorView& view, bool animating) {
              if (animating)
                view.startAnimating();
              else
                view.stopAnimating();
            });

const NibEnumNames::Table kStyleNames("UIActivityIndicatorView", "activityIndicatorViewStyle",
                                      {{"whiteLarge", 0}, {"white", 1}, {"gray", 2}});

CGFloat sideFor(UIActivityIndicatorViewStyle style) {
  return style == UIActivityIndicatorViewStyle::whiteLarge ? kLargeSide : kSmallSide;
}

}  // namespace

std::shared_ptr<UIActivityIndicatorView> UIActivityIndicatorView::create(UIActivityIndicatorViewStyle style) {
  return std::make_shared<UIActivityIndicatorView>(style);
}

UIActivityIndicatorView::UIActivityIndicatorView(UIActivityIndicatorViewStyle style)
    : UIView(CGRect(0, 0, sideFor(style), sideFor(style))), style_(style) {
  setHidden(true);
}

UIActivityIndicatorView::~UIActivityIndicatorView() {
  if (timer_) timer_->invalidate();
}

void UIActivityIndicatorView::setActivityIndicatorViewStyle(UIActivityIndicatorViewStyle style) {
  if (style == style_) return;
  style_ = style;
  const CGFloat side = sideFor(style);
  setBounds(CGRect(0, 0, side, side));
  invalidateIntrinsicContentSize();
  setNeedsDisplay();
}

std::shared_ptr<UIColor> UIActivityIndicatorView::color() const {
  if (color_) return color_;
  return style_ == UIActivityIndicatorViewStyle::gray ? UIColor::gray() : UIColor::white();
}

void UIActivityIndicatorView::setColor(std::shared_ptr<UIColor> color) {
  color_ = std::move(color);
  setNeedsDisplay();
}

void UIActivityIndicatorView::setHidesWhenStopped(bool hides) {
  hidesWhenStopped_ = hides;
  if (!animating_) setHidden(hides);
}

void UIActivityIndicatorView::startAnimating() {
  if (animating_) return;
  animating_ = true;
  setHidden(false);
  updateTimer();
}

void UIActivityIndicatorView::stopAnimating() {
  if (!animating_) return;
  animating_ = false;
  if (hidesWhenStopped_) setHidden(true);
  updateTimer();
}

void UIActivityIndicatorView::didMoveToWindow() {
  updateTimer();
}

void UIActivityIndicatorView::updateTimer() {
  const bool run = animating_ && window();
  if (run && !timer_) {
    std::weak_ptr<NSObject> weak = weak_from_this();
    timer_ = Timer::scheduledTimer(1.0 / spokeCount, true, [weak](Timer&) {
      if (auto self = std::static_pointer_cast<UIActivityIndicatorView>(weak.lock())) self->advance();
    });
  } else if (!run && timer_) {
    timer_->invalidate();
    timer_.reset();
  }
}

void UIActivityIndicatorView::advance() {
  leadingSpoke_ = (leadingSpoke_ + 1) % spokeCount;
  setNeedsDisplay();
}

CGSize UIActivityIndicatorView::intrinsicContentSize() const {
  const CGFloat side = sideFor(style_);
  return {side, side};
}

void UIActivityIndicatorView::draw(const CGRect&) {
  CGContext* context = UIGraphicsGetCurrentContext();
  if (!context) return;
  const CGRect b = bounds();
  const CGPoint centre{b.midX(), b.midY()};
  const CGFloat radius = std::min(b.size.width, b.size.height) / 2;
  const CGColor base = color()->cgColor();
  context->saveGState();
  context->setLineCap(CGLineCap::round);
  context->setLineWidth(std::max<CGFloat>(radius * 0.2, 1));
  for (std::size_t i = 0; i < spokeCount; ++i) {
    const std::size_t behind = (leadingSpoke_ + spokeCount - i) % spokeCount;
    const CGFloat fade = 1 - (1 - kTrailingAlpha) * static_cast<CGFloat>(behind) / (spokeCount - 1);
    const CGFloat angle = 2 * std::numbers::pi * static_cast<CGFloat>(i) / spokeCount;
    const CGFloat dx = std::sin(angle), dy = -std::cos(angle);
    const CGFloat inner = radius * 0.45, outer = radius * 0.9;
    context->setStrokeColor(base.withAlpha(base.alpha() * fade));
    context->beginPath();
    context->move({centre.x + dx * inner, centre.y + dy * inner});
    context->addLine({centre.x + dx * outer, centre.y + dy * outer});
    context->strokePath();
  }
  context->restoreGState();
}

}  // namespace ios
