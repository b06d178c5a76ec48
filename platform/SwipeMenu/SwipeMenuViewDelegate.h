#pragma once

namespace ios {

class SwipeMenuView;

// What a swipe menu reports; every member is optional.
//
// `viewWillSetupAt` and `viewDidSetupAt` bracket a `reloadData`, with the page it opens on. Every
// change of the current page is reported as `willChangeIndexFrom` then `didChangeIndexFrom` with the
// same pair. A hand swipe reports `will` when the finger lifts and `did` once the paging has
// settled; a jump reports both as the content passes the middle of each page on its way, so an
// animated jump over several pages reports every page in between. A swipe that comes back to its
// page, and a jump to the page shown, report nothing.
class SwipeMenuViewDelegate {
 public:
  virtual ~SwipeMenuViewDelegate() = default;
  virtual void viewWillSetupAt(SwipeMenuView& /*swipeMenuView*/, int /*currentIndex*/) {}
  virtual void viewDidSetupAt(SwipeMenuView& /*swipeMenuView*/, int /*currentIndex*/) {}
  virtual void willChangeIndexFrom(SwipeMenuView& /*swipeMenuView*/, int /*fromIndex*/, int /*toIndex*/) {}
  virtual void didChangeIndexFrom(SwipeMenuView& /*swipeMenuView*/, int /*fromIndex*/, int /*toIndex*/) {}
};

}  // namespace ios
