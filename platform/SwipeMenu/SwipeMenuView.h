#pragma once

#include <SwipeMenu/SwipeMenuViewDataSource.h>
#include <SwipeMenu/SwipeMenuViewDelegate.h>
#include <SwipeMenu/SwipeMenuViewOptions.h>
#include <SwipeMenu/TabView.h>
#include <UIKit/UIScrollView.h>
#include <UIKit/UIViewController.h>

#include <memory>
#include <optional>
#include <vector>

namespace ios {

// Pages side by side in a paging scroll view under a strip of their titles. The pages are the views
// of the controllers the data source gives; the menu adds the views, while making the controllers
// children of a screen is the data source's business. See SwipeMenuViewDelegate for what is
// reported when.
//
// The content area pages by hand (one page per swipe) unless `options.contentScrollView` turns
// scrolling off; a tap on a title jumps there, animated. The content takes mostly sideways drags
// only: mostly vertical ones stay with the pages' lists (or a screen's own pan), while a sideways
// swipe that starts on a list still changes the page.
class SwipeMenuView : public UIView, public UIScrollViewDelegate {
 public:
  static std::shared_ptr<SwipeMenuView> create(const CGRect& frame = CGRect::zero);
  explicit SwipeMenuView(const CGRect& frame = CGRect::zero);

  std::weak_ptr<SwipeMenuViewDataSource> dataSource;
  std::weak_ptr<SwipeMenuViewDelegate> delegate;
  // Read by `reloadData`; changing it alone changes nothing on screen.
  SwipeMenuViewOptions options;

  // Asks the data source for every page and shows `defaultIndex` (page 0 when absent; the current
  // page when `isOrientationChange`), clamped to the pages there are.
  void reloadData(std::optional<SwipeMenuViewOptions> options = std::nullopt,
                  std::optional<int> defaultIndex = std::nullopt, bool isOrientationChange = false);
  // Shows page `index`. An index out of range, or the page shown, does nothing.
  void jump(int index, bool animated);

  int currentIndex() const { return currentIndex_; }
  int numberOfPages() const { return static_cast<int>(pages_.size()); }
  // The page's controller as the data source gave it at the last reload.
  std::shared_ptr<UIViewController> pageViewController(int index) const;
  const std::shared_ptr<TabView>& tabView() const { return tabView_; }
  const std::shared_ptr<UIScrollView>& contentScrollView() const { return content_; }

  void layoutSubviews() override;

  // UIScrollViewDelegate, for the content area.
  void scrollViewDidScroll(UIScrollView& scrollView) override;
  void scrollViewWillBeginDragging(UIScrollView& scrollView) override;
  void scrollViewWillEndDragging(UIScrollView& scrollView, CGPoint velocity,
                                 CGPoint& targetContentOffset) override;
  void scrollViewDidEndDragging(UIScrollView& scrollView, bool willDecelerate) override;
  void scrollViewDidEndDecelerating(UIScrollView& scrollView) override;
  void scrollViewDidEndScrollingAnimation(UIScrollView& scrollView) override;

 private:
  void install();
  CGFloat pageWidth() const { return content_->bounds().width(); }
  int pageNearestOffset() const;
  int clampIndex(int index) const;
  void changeIndex(int to, bool reportWill);
  void settle();
  void setOffsetQuietly(CGPoint offset);

  std::shared_ptr<TabView> tabView_;
  std::shared_ptr<UIScrollView> content_;
  std::vector<std::shared_ptr<UIViewController>> pages_;
  int currentIndex_ = 0;
  CGFloat tabHeight_ = 44;  // the strip height applied by the last reload (the options default before)
  bool installed_ = false;
  bool quiet_ = false;            // the menu itself is placing the content
  bool jumping_ = false;          // a jump is scrolling the content
  bool swiping_ = false;          // a hand drag or its deceleration
  std::optional<int> announced_;  // `willChangeIndexFrom` sent for this page, `did` not yet
};

}  // namespace ios
