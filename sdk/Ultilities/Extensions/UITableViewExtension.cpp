#include <Ultilities/Extensions/UITableViewExtension.h>

#include <Foundation/DispatchQueue.h>
#include <QuartzCore/CATransaction.h>

#include <algorithm>
#include <memory>
#include <utility>

namespace kerbelin {

namespace {

// The table, held weakly until a queued block runs: a table gone by then is left alone.
std::weak_ptr<ios::UITableView> weakTable(ios::UITableView& tableView) {
  return std::dynamic_pointer_cast<ios::UITableView>(tableView.weak_from_this().lock());
}

}  // namespace

void reloadData(ios::UITableView& tableView, std::function<void()> completion) {
  ios::UIView::animate(
      0, [&tableView] { tableView.reloadData(); },
      [completion = std::move(completion)](bool) {
        if (completion) completion();
      });
}

void scrollToTop(ios::UITableView& tableView) {
  ios::DispatchQueue::main().async([weak = weakTable(tableView)] {
    auto table = weak.lock();
    if (!table) return;
    if (table->numberOfSections() > 0 && table->numberOfRows(0) > 0) {
      table->scrollToRow(ios::IndexPath::forRow(0, 0), ios::UITableViewScrollPosition::top, true);
    }
  });
}

void scrollToBottomRow(ios::UITableView& tableView) {
  ios::DispatchQueue::main().async([weak = weakTable(tableView)] {
    auto table = weak.lock();
    if (!table) return;
    const int sections = table->numberOfSections();
    if (sections == 0) return;
    int section = std::max(sections - 1, 0);
    ios::IndexPath indexPath = ios::IndexPath::forRow(std::max(table->numberOfRows(section) - 1, 0), section);
    while (!indexPathIsValid(*table, indexPath)) {
      section = std::max(section - 1, 0);
      indexPath = ios::IndexPath::forRow(std::max(table->numberOfRows(section) - 1, 0), section);
      // Section 0 ends the search with its own last row (row 0 when it is empty, which is invalid).
      if (section == 0) break;
    }
    if (indexPathIsValid(*table, indexPath)) {
      table->scrollToRow(indexPath, ios::UITableViewScrollPosition::bottom, true);
    }
  });
}

bool indexPathIsValid(ios::UITableView& tableView, const ios::IndexPath& indexPath) {
  return indexPath.section < tableView.numberOfSections() &&
         indexPath.row < tableView.numberOfRows(indexPath.section);
}

void reloadDataSmoothly(ios::UITableView& tableView) {
  ios::UIView::setAnimationsEnabled(false);
  ios::CATransaction::begin();
  ios::CATransaction::setCompletionBlock([] { ios::UIView::setAnimationsEnabled(true); });
  tableView.reloadData();
  tableView.beginUpdates();
  tableView.endUpdates();
  ios::CATransaction::commit();
}

void reloadDataAndKeepOffset(ios::UITableView& tableView) {
  tableView.setContentOffset(tableView.contentOffset(), false);
  const ios::CGSize before = tableView.contentSize();
  tableView.reloadData();
  tableView.layoutIfNeeded();
  const ios::CGSize after = tableView.contentSize();
  const ios::CGPoint offset = tableView.contentOffset();
  tableView.setContentOffset(
      ios::CGPoint{offset.x + (after.width - before.width), offset.y + (after.height - before.height)}, true);
}

}  // namespace kerbelin
