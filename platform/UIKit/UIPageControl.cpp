#include <UIKit/UIPageControl.h>

#include <UIKit/UIGraphics.h>
#include <UIKit/UITouch.h>

#include <algorithm>

namespace ios {

namespace {

// The control's height, as the platform gives it.
constexpr CGFloat kHeight = 37;
constexpr CGFloat kDefaultDotAlpha = 0.2;

const auto registration =
    ClassRegistration<UIPageControl, UIControl>("UIPageControl")
        .property("numberOfPages", &UIPageControl::numberOfPages, &UIPageControl::setNumberOfPages)
        .property("currentPage", &UIPageControl::currentPage, &UIPageControl::setCurrentPage)
        .property("hidesForSinglePage", &UIPageControl::hidesForSinglePage,
                  &UIPageControl::setHidesForSinglePage)
        .property("pageIndicatorTintColor", &UIPageControl::pageIndicatorTintColor,
                  &UIPageControl::setPageIndicatorTintColor)
        .property("currentPageIndicatorTintColor", &UIPageControl::currentPageIndicatorTintColor,
                  &UIPageControl::setCurrentPageIndicatorTintColor);

}  // namespace

std::shared_ptr<UIPageControl> UIPageControl::create(const CGRect& frame) {
  return std::make_shared<UIPageControl>(frame);
}

UIPageControl::UIPageControl(const CGRect& frame) : UIControl(frame) {}

void UIPageControl::setNumberOfPages(long pages) {
  pages = std::max(pages, 0L);
  if (pages == numberOfPages_) return;
  numberOfPages_ = pages;
  setCurrentPage(currentPage_);
  invalidateIntrinsicContentSize();
  setNeedsDisplay();
}

void UIPageControl::setCurrentPage(long page) {
  page = std::clamp(page, 0L, std::max(numberOfPages_ - 1, 0L));
  if (page == currentPage_) return;
  currentPage_ = page;
  setNeedsDisplay();
}

void UIPageControl::setHidesForSinglePage(bool hides) {
  hidesForSinglePage_ = hides;
  setNeedsDisplay();
}

std::shared_ptr<UIColor> UIPageControl::pageIndicatorTintColor() const {
  return pageIndicatorTintColor_ ? pageIndicatorTintColor_
                                 : UIColor::white()->withAlphaComponent(kDefaultDotAlpha);
}

void UIPageControl::setPageIndicatorTintColor(std::shared_ptr<UIColor> color) {
  pageIndicatorTintColor_ = std::move(color);
  setNeedsDisplay();
}

std::shared_ptr<UIColor> UIPageControl::currentPageIndicatorTintColor() const {
  return currentPageIndicatorTintColor_ ? currentPageIndicatorTintColor_ : UIColor::white();
}

void UIPageControl::setCurrentPageIndicatorTintColor(std::shared_ptr<UIColor> color) {
  currentPageIndicatorTintColor_ = std::move(color);
  setNeedsDisplay();
}

CGSize UIPageControl::sizeForNumberOfPages(long pages) {
  if (pages <= 0) return {0, kHeight};
  return {static_cast<CGFloat>(pages) * dotDiameter + static_cast<CGFloat>(pages - 1) * dotSpacing, kHeight};
}

void UIPageControl::draw(const CGRect&) {
  CGContext* context = UIGraphicsGetCurrentContext();
  if (!context || numberOfPages_ <= 0 || (hidesForSinglePage_ && numberOfPages_ <= 1)) return;
  const CGRect b = bounds();
  const CGFloat width = sizeForNumberOfPages(numberOfPages_).width;
  CGFloat x = b.midX() - width / 2;
  const CGFloat y = b.midY() - dotDiameter / 2;
  for (long page = 0; page < numberOfPages_; ++page, x += dotDiameter + dotSpacing) {
    context->setFillColor(page == currentPage_ ? currentPageIndicatorTintColor()->cgColor()
                                               : pageIndicatorTintColor()->cgColor());
    context->fillEllipse(CGRect(x, y, dotDiameter, dotDiameter));
  }
}

void UIPageControl::endTracking(const UITouch* touch, const UIEvent*) {
  if (!touch || numberOfPages_ <= 0 || (hidesForSinglePage_ && numberOfPages_ <= 1)) return;
  const CGPoint point = touch->location(this);
  if (!bounds().contains(point)) return;
  const long before = currentPage_;
  setCurrentPage(point.x >= bounds().midX() ? currentPage_ + 1 : currentPage_ - 1);
  if (currentPage_ != before) sendActions(valueChanged);
}

}  // namespace ios
