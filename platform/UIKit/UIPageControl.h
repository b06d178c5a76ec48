#pragma once

#include <UIKit/UIControl.h>

#include <memory>

namespace ios {

// A row of dots, one a page, the current one in its own colour, centred in the bounds. A tap on
// the right half moves to the next page and on the left half to the previous one, sending
// valueChanged when the page changes. With `hidesForSinglePage` a control of one page or none draws
// nothing.
class UIPageControl : public UIControl {
 public:
  static std::shared_ptr<UIPageControl> create(const CGRect& frame = CGRect::zero);
  explicit UIPageControl(const CGRect& frame = CGRect::zero);

  long numberOfPages() const { return numberOfPages_; }
  // Negative counts become 0; the current page is brought into range.
  void setNumberOfPages(long pages);
  long currentPage() const { return currentPage_; }
  // Clamped to 0...numberOfPages - 1.
  void setCurrentPage(long page);
  bool hidesForSinglePage() const { return hidesForSinglePage_; }
  void setHidesForSinglePage(bool hides);
  // Null restores the defaults: translucent white dots, the current one opaque white.
  std::shared_ptr<UIColor> pageIndicatorTintColor() const;
  void setPageIndicatorTintColor(std::shared_ptr<UIColor> color);
  std::shared_ptr<UIColor> currentPageIndicatorTintColor() const;
  void setCurrentPageIndicatorTintColor(std::shared_ptr<UIColor> color);

  // The size the dots of `pages` pages take.
  static CGSize sizeForNumberOfPages(long pages);
  CGSize intrinsicContentSize() const override { return sizeForNumberOfPages(numberOfPages_); }
  CGSize sizeThatFits(CGSize) const override { return intrinsicContentSize(); }
  void draw(const CGRect& rect) override;
  void endTracking(const UITouch* touch, const UIEvent* event) override;

  static constexpr CGFloat dotDiameter = 7;
  static constexpr CGFloat dotSpacing = 9;

 private:
  long numberOfPages_ = 0;
  long currentPage_ = 0;
  bool hidesForSinglePage_ = false;
  std::shared_ptr<UIColor> pageIndicatorTintColor_;
  std::shared_ptr<UIColor> currentPageIndicatorTintColor_;
};

}  // namespace ios
