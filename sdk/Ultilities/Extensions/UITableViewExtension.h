#pragma once

// Reloading and scrolling helpers of tables. Each free function stands for the table member of the
// same name. Main thread only.

#include <Foundation/IndexPath.h>
#include <UIKit/UITableView.h>

#include <functional>

namespace kerbelin {

// Reloads inside a zero-length animation block and calls `completion` from its completion, that is on
// a later run-loop turn, after the pass in which the reload happened; the finished flag is ignored.
void reloadData(ios::UITableView& tableView, std::function<void()> completion);

// On a later turn of the main queue (so after the current update, a reload issued just before
// included): scrolls animated to row 0 of section 0 at the top, when that row exists.
void scrollToTop(ios::UITableView& tableView);

// On a later turn of the main queue: scrolls animated, to the bottom position, to the last row that
// exists, searching backwards through empty sections; does nothing when no section has rows.
// Section 0 counts with its own last row like every other section.
void scrollToBottomRow(ios::UITableView& tableView);

// Whether the section is below the table's section count and the row below that section's row count.
// Negative indexes are not looked at.
bool indexPathIsValid(ios::UITableView& tableView, const ios::IndexPath& indexPath);

// Reloads with view animations switched off everywhere until the reload's transaction completes, so
// that no row moves animated.
void reloadDataSmoothly(ios::UITableView& tableView);

// Stops any scrolling in progress, reloads and lays out at once, then moves the offset animated by
// the change in content size (both axes), so that rows inserted above the visible ones stay in view.
void reloadDataAndKeepOffset(ios::UITableView& tableView);

}  // namespace kerbelin
