#pragma once

#include <UIKit/UIControl.h>

#include <memory>

namespace ios {

class UIScrollView;

// Pull-to-refresh for a scroll view it is added to (as a subview or through `refreshControl`). It
// sits just above the content's top edge. A drag released more than `triggerDistance` points beyond
// the resting top begins refreshing and sends `valueChanged`; while refreshing, the scroll view's
// top inset grows by `height` so the spinner stays in view. `endRefreshing` gives the inset back and
// scrolls the content home when the spinner was showing; it does nothing when not refreshing.
class UIRefreshControl : public UIControl {
 public:
  static constexpr CGFloat height = 60;
  static constexpr CGFloat triggerDistance = 60;

  static std::shared_ptr<UIRefreshControl> create();
  UIRefreshControl();

  bool isRefreshing() const { return refreshing_; }
  // Shows the spinner without sending `valueChanged` (as the platform's does).
  void beginRefreshing();
  void endRefreshing();

  // From the scroll view.
  void scrollViewDidChangeOffset(UIScrollView& scrollView);
  // Called when the finger lifts: begins refreshing and sends `valueChanged` if pulled far enough.
  void scrollViewDidRelease(UIScrollView& scrollView);
  // The extra top inset the scroll view adds.
  CGFloat insetContribution() const { return refreshing_ ? height : 0; }

  void draw(const CGRect& rect) override;

 private:
  std::shared_ptr<UIScrollView> scrollView() const;
  void setRefreshing(bool refreshing);

  bool refreshing_ = false;
  CGFloat pullProgress_ = 0;
};

}  // namespace ios
