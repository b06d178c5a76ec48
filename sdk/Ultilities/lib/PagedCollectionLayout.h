#pragma once

// A flow layout for a horizontally scrolling collection view showing one item per page, that moves by
// at most one item per swipe whatever the swipe's speed. When the finger lifts it replaces the
// platform's free deceleration end with the start of the current page, and it keeps its own page
// counter instead of deriving the page from the scroll position.
//
// The pitch of a page is `itemSize.width + minimumInteritemSpacing` (not the line spacing, and no
// section inset). Only section 0 is counted. Reloading with fewer items does not clamp the page; the
// next forward swipe does.

#include <Foundation/NSObject.h>
#include <UIKit/UICollectionViewFlowLayout.h>

#include <memory>

namespace kerbelin {

class PagedCollectionLayout : public ios::UICollectionViewFlowLayout {
 public:
  static std::shared_ptr<PagedCollectionLayout> create();
  PagedCollectionLayout() = default;

  // The horizontal offset the last snap returned (0 before the first).
  ios::CGFloat previousOffset() const { return previousOffset_; }
  void setPreviousOffset(ios::CGFloat offset) { previousOffset_ = offset; }
  // The index of the page shown.
  ios::CGFloat currentPage() const { return currentPage_; }
  void setCurrentPage(ios::CGFloat page) { currentPage_ = page; }

  // Where scrolling stops after a release: the start of the current page, which moves one page back
  // for a backward swipe (the offset went below the last snap with a negative velocity) and one
  // forward for a forward swipe, within 0...count - 1; y is the proposed y unchanged. Without a
  // collection view or a data source, the base's answer.
  ios::CGPoint targetContentOffset(ios::CGPoint proposedContentOffset, ios::CGPoint velocity) override;

 private:
  ios::CGFloat previousOffset_ = 0;
  ios::CGFloat currentPage_ = 0;
};

}  // namespace kerbelin
