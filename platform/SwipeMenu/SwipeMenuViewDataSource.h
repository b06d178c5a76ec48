#pragma once

#include <memory>
#include <string>

namespace ios {

class SwipeMenuView;
class UIViewController;

// Where a swipe menu gets its pages. All of them are asked for, in order, at every `reloadData`;
// the menu loads each page's view then.
class SwipeMenuViewDataSource {
 public:
  virtual ~SwipeMenuViewDataSource() = default;
  virtual int numberOfPages(SwipeMenuView& swipeMenuView) = 0;
  virtual std::string titleForPageAt(SwipeMenuView& swipeMenuView, int index) = 0;
  virtual std::shared_ptr<UIViewController> viewControllerForPageAt(SwipeMenuView& swipeMenuView,
                                                                    int index) = 0;
};

}  // namespace ios
