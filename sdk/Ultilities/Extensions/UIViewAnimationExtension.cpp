#include <Ultilities/Extensions/UIViewAnimationExtension.h>

#include <QuartzCore/CATransform3D.h>

namespace kerbelin {

using ios::CGFloat;
using ios::CGRect;

namespace {

double BubbleControlMoveAnimationDuration() {
  static const double value = 0.3;
  return value;
}
CGFloat BubbleControlSpringDamping() {
  static const CGFloat value = 0.5;
  return value;
}
CGFloat BubbleControlSpringVelocity() {
  static const CGFloat value = 0.2;
  return value;
}

void springFrame(const std::shared_ptr<ios::UIView>& view, const CGRect& frame) {
  spring([view, frame] { view->setFrame(frame); }, nullptr);
}

}  // namespace

void spring(const std::function<void()>& animations, std::function<void(bool)> completion) {
  ios::UIView::animate(BubbleControlMoveAnimationDuration(), 0, BubbleControlSpringDamping(),
                       BubbleControlSpringVelocity(), 0, animations, std::move(completion));
}

void moveX(const std::shared_ptr<ios::UIView>& view, CGFloat x) {
  const CGRect frame = view->frame();
  springFrame(view, CGRect(x, frame.origin.y, frame.size.width, frame.size.height));
}

void moveY(const std::shared_ptr<ios::UIView>& view, CGFloat y) {
  const CGRect frame = view->frame();
  springFrame(view, CGRect(frame.origin.x, y, frame.size.width, frame.size.height));
}

void movePoint(const std::shared_ptr<ios::UIView>& view, CGFloat x, CGFloat y) {
  const CGRect frame = view->frame();
  springFrame(view, CGRect(x, y, frame.size.width, frame.size.height));
}

void movePoint(const std::shared_ptr<ios::UIView>& view, ios::CGPoint point) {
  movePoint(view, point.x, point.y);
}

void setScale(ios::UIView& view, CGFloat x) {
  ios::CATransform3D transform = ios::CATransform3DIdentity;
  transform.m34 = -0.001;
  view.layer()->setTransform(ios::CATransform3DScale(transform, x, x, x));
}

void scaleBigger(ios::UIView& view) {
  setScale(view, 1.3);
}
void scaleNormal(ios::UIView& view) {
  setScale(view, 1.0);
}

void alphaTo(const std::shared_ptr<ios::UIView>& view, CGFloat value) {
  ios::UIView::animate(0.3, [view, value] { view->setAlpha(value); });
}

void bubble(const std::shared_ptr<ios::UIView>& view) {
  setScale(*view, 1.2);
  spring([view] { setScale(*view, 1.0); }, nullptr);
}

}  // namespace kerbelin
