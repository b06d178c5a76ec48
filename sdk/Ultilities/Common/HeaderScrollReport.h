#pragma once

#include <UIKit/UIScrollView.h>

#include <optional>

namespace kerbelin {

// What a page with a collapsing header learns of an embedded list's scrolling: one vertical step at a
// time (positive towards the end of the list). The page answers through the list's
// `isUpdateContentOfset`: true while the step moves its header (the list then holds still), false
// when the list should scroll by itself. The store, the introduction and the branch list each report
// through it, under their own names.
class HeaderScrollDelegate {
 public:
  virtual ~HeaderScrollDelegate() = default;
  virtual void scrollTableView(ios::CGFloat hieu) = 0;
};

// The rule every list of a provider page's tabs follows on each scroll event, so that one drag moves
// either the page's collapsing header or the list, never both. `reference` is the offset recorded when
// the drag began (kept by the list's screen); `holdStill` is what the page last answered (true while
// its header moves).
//
// Returns the step to report to the page: the list's offset minus `reference`, taken before any
// correction. Returns none, and lets `reference` follow the list, while the list, scrolled away from
// its top, moves back towards it: the list then scrolls by itself. Otherwise a list pulled past its
// top is put back at 0 (and so is `reference`), and a held list is put back at `reference`.
std::optional<ios::CGFloat> headerScrollStep(ios::UIScrollView& list, ios::CGFloat& reference, bool holdStill);

}  // namespace kerbelin
