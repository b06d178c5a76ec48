#include <Ultilities/lib/WSLoadingView.h>

#include <Ultilities/Constants/Screen.h>

#include <UIKit/UIActivityIndicatorView.h>
#include <UIKit/UIApplication.h>
#include <UIKit/UIColor.h>
#include <UIKit/UIWindow.h>

namespace kerbelin {

namespace {

std::shared_ptr<ios::UIView> makeContainer(const ios::CGRect& frame, ios::UIWindow& window) {
  auto container = ios::UIView::create(frame);
  container->setBackgroundColor(ios::UIColor::clear());
  container->tag = WSLoadingView::containerTag;
  window.addSubview(container);
  return container;
}

void addIndicator(ios::UIView& container, ios::UIActivityIndicatorViewStyle style, long tag) {
  auto indicator = ios::UIActivityIndicatorView::create();
  indicator->tag = tag;
  const ios::CGRect bounds = container.bounds();
  indicator->setCenter(ios::CGPoint{bounds.width() / 2, bounds.height() / 2});
  indicator->setActivityIndicatorViewStyle(style);
  container.addSubview(indicator);
  indicator->startAnimating();
}

}  // namespace

bool WSLoadingView::Token::isShowing() const {
  auto container = container_.lock();
  return container && container->superview() != nullptr;
}

WSLoadingView::Token WSLoadingView::show() {
  auto window = ios::UIApplication::shared()->keyWindow();
  if (!window) return Token();
  const ios::CGRect frame(SCREEN_WIDTH() / 2 - 50, SCREEN_HEIGHT() / 2 - 50, 100, 100);
  auto container = makeContainer(frame, *window);
  addIndicator(*container, ios::UIActivityIndicatorViewStyle::gray, indicatorTag);
  return Token(container);
}

WSLoadingView::Token WSLoadingView::showWithMask() {
  auto window = ios::UIApplication::shared()->keyWindow();
  if (!window) return Token();
  const ios::CGRect frame(0, 0, SCREEN_WIDTH(), SCREEN_HEIGHT());
  auto container = makeContainer(frame, *window);
  auto mask = ios::UIView::create(frame);
  mask->setBackgroundColor(ios::UIColor::black());
  mask->setAlpha(0.2);
  container->addSubview(mask);
  addIndicator(*container, ios::UIActivityIndicatorViewStyle::white, 0);
  return Token(container);
}

void WSLoadingView::hide() {
  auto window = ios::UIApplication::shared()->keyWindow();
  if (!window) return;
  if (auto indicator = window->viewWithTag(indicatorTag)) indicator->removeFromSuperview();
  if (auto container = window->viewWithTag(containerTag)) container->removeFromSuperview();
}

void WSLoadingView::hideWithAnimation() {
  auto window = ios::UIApplication::shared()->keyWindow();
  if (!window) return;
  if (auto container = window->viewWithTag(containerTag)) fadeOutAndRemove(container);
}

void WSLoadingView::hide(const Token& token) {
  if (auto container = token.container_.lock()) container->removeFromSuperview();
}

void WSLoadingView::hideWithAnimation(const Token& token) {
  auto container = token.container_.lock();
  if (container && container->superview()) fadeOutAndRemove(container);
}

void WSLoadingView::fadeOutAndRemove(const std::shared_ptr<ios::UIView>& container) {
  ios::UIView::animate(
      fadeDuration, [container] { container->setAlpha(0); },
      [container](bool) { container->removeFromSuperview(); });
}

}  // namespace kerbelin
