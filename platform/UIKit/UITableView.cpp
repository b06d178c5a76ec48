#include <UIKit/UITableView.h>

#include <Foundation/ClassRegistry.h>
#include <Foundation/Console.h>
#include <UIKit/Nib/UINib.h>
#include <UIKit/UIScreen.h>
#include <UIKit/UITapGestureRecognizer.h>

#include <algorithm>
#include <cmath>

namespace ios {

namespace {

// A row's or section view's rectangle with both edges on the screen's pixel grid, as UIKit places
// them: fractional heights (a 0.01 header, a measured 52.01) leave no row between two pixels, and
// adjacent rows still meet.
CGRect onPixelGrid(CGFloat top, CGFloat width, CGFloat height) {
  const CGFloat scale = UIScreen::main()->scale();
  const auto snap = [scale](CGFloat value) { return std::round(value * scale) / scale; };
  return CGRect(0, snap(top), width, snap(top + height) - snap(top));
}

const auto registration =
    ClassRegistration<UITableView, UIScrollView>("UITableView")
        .factory([] { return UITableView::create(); })
        .property("rowHeight", &UITableView::rowHeight)
        .property("sectionHeaderHeight", &UITableView::sectionHeaderHeight)
        .property("sectionFooterHeight", &UITableView::sectionFooterHeight)
        .property("estimatedRowHeight", &UITableView::estimatedRowHeight)
        .property("allowsSelection", &UITableView::allowsSelection)
        .property("allowsMultipleSelection", &UITableView::allowsMultipleSelection)
        .property("separatorColor", &UITableView::separatorColor)
        // Interface files connect these outlets to an object that adopts the protocol.
        .property(
            "dataSource",
            [](const UITableView& t) { return std::dynamic_pointer_cast<NSObject>(t.dataSource()); },
            [](UITableView& t, std::shared_ptr<NSObject> o) {
              t.setDataSource(std::dynamic_pointer_cast<UITableViewDataSource>(o));
            })
        .property(
            "delegate",
            [](const UITableView& t) { return std::dynamic_pointer_cast<NSObject>(t.delegate()); },
            [](UITableView& t, std::shared_ptr<NSObject> o) {
              t.setDelegate(std::dynamic_pointer_cast<UITableViewDelegate>(o));
            });

// The height an automatic row counts with before its cell is measured, when no estimate is set.
constexpr CGFloat kDefaultEstimate = 44;

bool holdsConstraints(const UIView& view) {
  if (!view.constraints().empty()) return true;
  for (const auto& child : view.subviews())
    if (holdsConstraints(*child)) return true;
  return false;
}

// Constraints an interface file left on the cell itself but that only tie views inside the content
// view together belong to the content view, which is what gets measured.
void adoptContentConstraints(UIView& owner, UIView& content) {
  if (owner.constraints().empty()) return;
  const auto held = owner.constraints();
  auto inside = [&](const std::shared_ptr<NSObject>& item) {
    if (!item) return true;
    auto* view = dynamic_cast<UIView*>(item.get());
    return view && view->isDescendant(content);
  };
  for (const auto& constraint : held)
    if (inside(constraint->firstItem()) && inside(constraint->secondItem()))
      content.addConstraint(constraint);
}

bool rowInView(CGFloat top, CGFloat height, const CGRect& visible) {
  if (top >= visible.maxY()) return false;
  return height > 0 ? top + height > visible.minY() : top >= visible.minY();
}

std::shared_ptr<NSObject> firstOfClass(const NibInstantiation& loaded,
                                       const std::function<bool(NSObject&)>& test) {
  for (const auto& object : loaded.objects)
    if (object && test(*object)) return object;
  return nullptr;
}

}  // namespace

// ---- Delegate defaults

CGFloat UITableViewDelegate::heightForRowAt(UITableView& tableView, const IndexPath&) {
  return tableView.rowHeight;
}

CGFloat UITableViewDelegate::heightForHeaderInSection(UITableView& tableView, int) {
  return tableView.sectionHeaderHeight;
}

CGFloat UITableViewDelegate::heightForFooterInSection(UITableView& tableView, int) {
  return tableView.sectionFooterHeight;
}

// ---- Making

std::shared_ptr<UITableView> UITableView::create(const CGRect& frame, UITableViewStyle style) {
  return std::make_shared<UITableView>(frame, style);
}

UITableView::UITableView(const CGRect& frame, UITableViewStyle style) : UIScrollView(frame), style_(style) {
  alwaysBounceVertical = true;
  tap_ = std::make_shared<UITapGestureRecognizer>();
  tap_->cancelsTouchesInView = false;  // the cell's own views still see the touch
}

UITableView::~UITableView() = default;

void UITableView::willMoveToSuperview(const std::shared_ptr<UIView>& superview) {
  UIScrollView::willMoveToSuperview(superview);  // the pan first: it sees touches before the tap
  installTap();
}

void UITableView::installTap() {
  if (tapInstalled_) return;
  auto self = std::dynamic_pointer_cast<UITableView>(weak_from_this().lock());
  if (!self) return;
  tapInstalled_ = true;
  std::weak_ptr<UITableView> weak = self;
  tap_->addAction([weak](UIGestureRecognizer&) {
    if (auto table = weak.lock()) table->handleTap();
  });
  addGestureRecognizer(tap_);
}

void UITableView::setDataSource(std::weak_ptr<UITableViewDataSource> dataSource) {
  dataSource_ = std::move(dataSource);
  reloadData();
}

void UITableView::setDelegate(std::weak_ptr<UITableViewDelegate> delegate) {
  tableDelegate_ = delegate;
  UIScrollView::setDelegate(std::weak_ptr<UIScrollViewDelegate>(delegate.lock()));
  reloadData();
}

void UITableView::setTableHeaderView(std::shared_ptr<UIView> view) {
  if (view == tableHeaderView_) return;
  if (tableHeaderView_) tableHeaderView_->removeFromSuperview();
  tableHeaderView_ = std::move(view);
  if (tableHeaderView_) addSubview(tableHeaderView_);
  heightsValid_ = false;
  setNeedsLayout();
}

void UITableView::setTableFooterView(std::shared_ptr<UIView> view) {
  if (view == tableFooterView_) return;
  if (tableFooterView_) tableFooterView_->removeFromSuperview();
  tableFooterView_ = std::move(view);
  if (tableFooterView_) addSubview(tableFooterView_);
  heightsValid_ = false;
  setNeedsLayout();
}

void UITableView::setBackgroundView(std::shared_ptr<UIView> view) {
  if (view == backgroundView_) return;
  if (backgroundView_) backgroundView_->removeFromSuperview();
  backgroundView_ = std::move(view);
  if (backgroundView_) insertSubview(backgroundView_, 0);
  setNeedsLayout();
}

// ---- Registration and reuse

void UITableView::registerNib(std::shared_ptr<UINib> nib, const std::string& reuseIdentifier) {
  if (!nib) {
    registrations_.erase(reuseIdentifier);
    return;
  }
  registrations_[reuseIdentifier] = {std::move(nib), nullptr};
}

void UITableView::registerClass(CellFactory factory, const std::string& reuseIdentifier) {
  if (!factory) {
    registrations_.erase(reuseIdentifier);
    return;
  }
  registrations_[reuseIdentifier] = {nullptr, std::move(factory)};
}

void UITableView::registerClass(const std::string& className, const std::string& reuseIdentifier) {
  registerClass(
      [className] {
        auto cell = makeObject<UITableViewCell>(className);
        if (!cell) fatalError("UITableView: \"" + className + "\" is not a registered UITableViewCell class");
        return cell;
      },
      reuseIdentifier);
}

void UITableView::registerNibForHeaderFooter(std::shared_ptr<UINib> nib, const std::string& reuseIdentifier) {
  headerFooterRegistrations_[reuseIdentifier] = {std::move(nib), nullptr};
}

void UITableView::registerClassForHeaderFooter(HeaderFooterFactory factory,
                                               const std::string& reuseIdentifier) {
  headerFooterRegistrations_[reuseIdentifier] = {nullptr, std::move(factory)};
}

std::shared_ptr<UITableViewCell> UITableView::makeCell(const std::string& identifier) {
  auto it = registrations_.find(identifier);
  if (it == registrations_.end()) return nullptr;
  std::shared_ptr<UITableViewCell> cell;
  if (it->second.factory) {
    cell = it->second.factory();
  } else {
    const auto loaded = it->second.nib->instantiate(nullptr);
    if (loaded.error) fatalError("UITableView: cannot load the cell nib: " + loaded.error->message());
    cell = std::dynamic_pointer_cast<UITableViewCell>(
        firstOfClass(loaded, [](NSObject& o) { return dynamic_cast<UITableViewCell*>(&o) != nullptr; }));
    if (!cell) fatalError("UITableView: the nib \"" + it->second.nib->name() + "\" holds no table cell");
  }
  if (!cell) fatalError("UITableView: the cell factory for \"" + identifier + "\" made no cell");
  if (cell->reuseIdentifier().empty()) cell->setReuseIdentifier(identifier);
  ++cellsCreated_;
  return cell;
}

std::shared_ptr<UITableViewCell> UITableView::dequeueReusableCell(const std::string& identifier) {
  auto pool = cellPool_.find(identifier);
  if (pool != cellPool_.end() && !pool->second.empty()) {
    auto cell = std::move(pool->second.back());
    pool->second.pop_back();
    cell->prepareForReuse();
    return cell;
  }
  return makeCell(identifier);
}

std::shared_ptr<UITableViewCell> UITableView::dequeueReusableCell(const std::string& identifier,
                                                                  const IndexPath&) {
  auto cell = dequeueReusableCell(identifier);
  if (!cell) {
    fatalError("UITableView: unable to dequeue a cell with identifier \"" + identifier +
               "\": register a nib or a class for the identifier");
  }
  CGRect f = cell->frame();
  f.size.width = bounds().width();
  cell->setFrame(f);
  return cell;
}

std::shared_ptr<UITableViewHeaderFooterView> UITableView::dequeueReusableHeaderFooterView(
    const std::string& identifier) {
  auto pool = headerFooterPool_.find(identifier);
  if (pool != headerFooterPool_.end() && !pool->second.empty()) {
    auto view = std::move(pool->second.back());
    pool->second.pop_back();
    view->prepareForReuse();
    return view;
  }
  auto it = headerFooterRegistrations_.find(identifier);
  if (it == headerFooterRegistrations_.end()) return nullptr;
  std::shared_ptr<UITableViewHeaderFooterView> view;
  if (it->second.factory) {
    view = it->second.factory();
  } else if (it->second.nib) {
    const auto loaded = it->second.nib->instantiate(nullptr);
    if (loaded.error) fatalError("UITableView: cannot load the header nib: " + loaded.error->message());
    view = std::dynamic_pointer_cast<UITableViewHeaderFooterView>(firstOfClass(
        loaded, [](NSObject& o) { return dynamic_cast<UITableViewHeaderFooterView*>(&o) != nullptr; }));
  }
  if (!view) fatalError("UITableView: no header or footer view could be made for \"" + identifier + "\"");
  if (view->reuseIdentifier().empty()) view->setReuseIdentifier(identifier);
  return view;
}

void UITableView::enqueueCell(const IndexPath& indexPath, const std::shared_ptr<UITableViewCell>& cell) {
  auto keep = cell;
  if (keep->superview().get() == this) keep->removeFromSuperview();
  if (auto d = delegate()) d->didEndDisplaying(*this, *keep, indexPath);
  if (!keep->reuseIdentifier().empty() && registrations_.count(keep->reuseIdentifier()))
    cellPool_[keep->reuseIdentifier()].push_back(keep);
}

void UITableView::enqueueSectionView(const std::shared_ptr<UIView>& view) {
  if (!view) return;
  if (view->superview().get() == this) view->removeFromSuperview();
  auto reusable = std::dynamic_pointer_cast<UITableViewHeaderFooterView>(view);
  if (reusable && headerFooterRegistrations_.count(reusable->reuseIdentifier()))
    headerFooterPool_[reusable->reuseIdentifier()].push_back(reusable);
}

void UITableView::dropAllVisible() {
  auto cells = std::move(visibleCells_);
  visibleCells_.clear();
  for (const auto& [indexPath, cell] : cells) enqueueCell(indexPath, cell);
  auto views = std::move(visibleSectionViews_);
  visibleSectionViews_.clear();
  for (const auto& [key, view] : views) enqueueSectionView(view);
}

// ---- Data

void UITableView::reloadData() {
  selected_.clear();
  stale_.clear();
  dataValid_ = false;
  setNeedsLayout();
  if (!layingOut_) dropAllVisible();  // during layout the pass itself drops them
}

void UITableView::reloadSections(const std::set<int>& sections, UITableViewRowAnimation) {
  if (!dataValid_) return;  // everything is asked again anyway
  auto ds = dataSource();
  for (int s : sections) {
    if (s < 0 || s >= static_cast<int>(sections_.size())) continue;
    for (auto it = visibleCells_.begin(); it != visibleCells_.end();) {
      if (it->first.section == s) {
        stale_.insert(it->first);
        ++it;
      } else {
        ++it;
      }
    }
    for (auto it = visibleSectionViews_.begin(); it != visibleSectionViews_.end();) {
      if (it->first.section == s) {
        enqueueSectionView(it->second);
        it = visibleSectionViews_.erase(it);
      } else {
        ++it;
      }
    }
    Section& section = sections_[s];
    const int rows = ds ? std::max(0, ds->numberOfRowsInSection(*this, s)) : 0;
    section.rows.clear();
    for (int r = 0; r < rows; ++r) section.rows.push_back(rowExtent({s, r}));
    section.header = sectionViewExtent(s, SectionViewKind::header);
    section.footer = sectionViewExtent(s, SectionViewKind::footer);
  }
  computeOffsets();
  setNeedsLayout();
}

void UITableView::reloadRows(const std::vector<IndexPath>& indexPaths, UITableViewRowAnimation) {
  if (!dataValid_) return;
  for (const auto& indexPath : indexPaths) {
    if (!validIndexPath(indexPath)) continue;
    sections_[indexPath.section].rows[indexPath.row] = rowExtent(indexPath);
    if (visibleCells_.count(indexPath)) stale_.insert(indexPath);
  }
  computeOffsets();
  setNeedsLayout();
}

void UITableView::beginUpdates() {
  ++updatesDepth_;
}

void UITableView::endUpdates() {
  if (updatesDepth_ > 0) --updatesDepth_;
  if (updatesDepth_ > 0 || !dataValid_) return;
  // Heights again: rows in view are measured afresh, measured rows out of view keep their height.
  for (int s = 0; s < static_cast<int>(sections_.size()); ++s) {
    Section& section = sections_[s];
    for (int r = 0; r < static_cast<int>(section.rows.size()); ++r) {
      const Extent old = section.rows[r];
      Extent fresh = rowExtent({s, r});
      if (fresh.automatic && old.automatic && old.measured && !visibleCells_.count({s, r})) fresh = old;
      section.rows[r] = fresh;
    }
    section.header = sectionViewExtent(s, SectionViewKind::header);
    section.footer = sectionViewExtent(s, SectionViewKind::footer);
  }
  computeOffsets();
  setNeedsLayout();
  layoutIfNeeded();
}

int UITableView::numberOfSections() {
  loadDataIfNeeded();
  return static_cast<int>(sections_.size());
}

int UITableView::numberOfRows(int section) {
  loadDataIfNeeded();
  if (section < 0 || section >= static_cast<int>(sections_.size())) return 0;
  return static_cast<int>(sections_[section].rows.size());
}

void UITableView::loadDataIfNeeded() {
  if (!dataValid_) loadData();
}

void UITableView::loadData() {
  dataValid_ = true;
  auto ds = dataSource();
  const int count = ds ? std::max(0, ds->numberOfSections(*this)) : 0;
  std::vector<Section> sections(static_cast<std::size_t>(count));
  for (int s = 0; s < count; ++s) {
    const int rows = std::max(0, ds->numberOfRowsInSection(*this, s));
    sections[s].rows.reserve(static_cast<std::size_t>(rows));
  }
  // A reload keeps the offset, so rows above it must not collapse to the bare estimate: an automatic
  // row starts from the height last measured at its index path (and is measured again in view).
  // Without this, a list that grows page by page shrinks on every reload and the offset is pulled
  // back from its end.
  const std::vector<Section> previous = std::move(sections_);
  sections_ = std::move(sections);
  for (int s = 0; s < count; ++s) {
    const int rows = std::max(0, ds->numberOfRowsInSection(*this, s));
    for (int r = 0; r < rows; ++r) {
      Extent extent = rowExtent({s, r});
      if (extent.automatic && s < static_cast<int>(previous.size()) &&
          r < static_cast<int>(previous[s].rows.size())) {
        const Extent& before = previous[s].rows[r];
        if (before.automatic && before.measured) extent.height = before.height;
      }
      sections_[s].rows.push_back(extent);
    }
    sections_[s].header = sectionViewExtent(s, SectionViewKind::header);
    sections_[s].footer = sectionViewExtent(s, SectionViewKind::footer);
  }
  computeOffsets();
}

UITableView::Extent UITableView::rowExtent(const IndexPath& indexPath) {
  auto d = delegate();
  const CGFloat height = d ? d->heightForRowAt(*this, indexPath) : rowHeight;
  if (height >= 0) return {height, false, true};
  return {estimatedRowHeight > 0 ? estimatedRowHeight : kDefaultEstimate, true, false};
}

UITableView::Extent UITableView::sectionViewExtent(int section, SectionViewKind kind) {
  auto d = delegate();
  const bool header = kind == SectionViewKind::header;
  CGFloat height = header ? sectionHeaderHeight : sectionFooterHeight;
  if (d)
    height =
        header ? d->heightForHeaderInSection(*this, section) : d->heightForFooterInSection(*this, section);
  if (height >= 0) return {height, false, true};
  const CGFloat estimate = header ? estimatedSectionHeaderHeight : estimatedSectionFooterHeight;
  return {estimate > 0 ? estimate : 0, true, false};
}

CGFloat UITableView::sectionsTop() const {
  return tableHeaderView_ ? tableHeaderView_->frame().height() : 0;
}

void UITableView::computeOffsets() {
  CGFloat y = sectionsTop();
  for (auto& section : sections_) {
    section.top = y;
    y += section.header.height;
    section.rowTops.resize(section.rows.size());
    for (std::size_t r = 0; r < section.rows.size(); ++r) {
      section.rowTops[r] = y;
      y += section.rows[r].height;
    }
    y += section.footer.height;
    section.height = y - section.top;
  }
  contentHeight_ = y + (tableFooterView_ ? tableFooterView_->frame().height() : 0);
  heightsValid_ = true;
}

bool UITableView::validIndexPath(const IndexPath& indexPath) const {
  return indexPath.section >= 0 && indexPath.section < static_cast<int>(sections_.size()) &&
         indexPath.row >= 0 && indexPath.row < static_cast<int>(sections_[indexPath.section].rows.size());
}

// ---- Geometry

CGRect UITableView::rectForRow(const IndexPath& indexPath) {
  loadDataIfNeeded();
  if (!validIndexPath(indexPath)) return CGRect::zero;
  const Section& section = sections_[indexPath.section];
  return CGRect(0, section.rowTops[indexPath.row], bounds().width(), section.rows[indexPath.row].height);
}

CGRect UITableView::rectForHeader(int section) {
  loadDataIfNeeded();
  if (section < 0 || section >= static_cast<int>(sections_.size())) return CGRect::zero;
  return CGRect(0, sections_[section].top, bounds().width(), sections_[section].header.height);
}

CGRect UITableView::rectForFooter(int section) {
  loadDataIfNeeded();
  if (section < 0 || section >= static_cast<int>(sections_.size())) return CGRect::zero;
  const Section& s = sections_[section];
  return CGRect(0, s.top + s.height - s.footer.height, bounds().width(), s.footer.height);
}

CGRect UITableView::rectForSection(int section) {
  loadDataIfNeeded();
  if (section < 0 || section >= static_cast<int>(sections_.size())) return CGRect::zero;
  return CGRect(0, sections_[section].top, bounds().width(), sections_[section].height);
}

std::optional<IndexPath> UITableView::indexPathForRow(CGPoint point) {
  loadDataIfNeeded();
  if (point.x < 0 || point.x >= bounds().width()) return std::nullopt;
  for (int s = 0; s < static_cast<int>(sections_.size()); ++s) {
    const Section& section = sections_[s];
    if (point.y < section.top || point.y >= section.top + section.height) continue;
    auto it = std::upper_bound(section.rowTops.begin(), section.rowTops.end(), point.y);
    if (it == section.rowTops.begin()) return std::nullopt;
    const auto r = static_cast<int>(it - section.rowTops.begin()) - 1;
    if (point.y < section.rowTops[r] + section.rows[r].height) return IndexPath{s, r};
    return std::nullopt;
  }
  return std::nullopt;
}

std::shared_ptr<UITableViewCell> UITableView::cellForRow(const IndexPath& indexPath) const {
  auto it = visibleCells_.find(indexPath);
  return it == visibleCells_.end() ? nullptr : it->second;
}

std::optional<IndexPath> UITableView::indexPath(const UITableViewCell& cell) const {
  for (const auto& [indexPath, shown] : visibleCells_)
    if (shown.get() == &cell) return indexPath;
  return std::nullopt;
}

std::vector<std::shared_ptr<UITableViewCell>> UITableView::visibleCells() const {
  std::vector<std::shared_ptr<UITableViewCell>> cells;
  for (const auto& [indexPath, cell] : visibleCells_) cells.push_back(cell);
  return cells;
}

std::vector<IndexPath> UITableView::indexPathsForVisibleRows() const {
  std::vector<IndexPath> paths;
  for (const auto& [indexPath, cell] : visibleCells_) paths.push_back(indexPath);
  return paths;
}

std::shared_ptr<UIView> UITableView::headerView(int section) const {
  auto it = visibleSectionViews_.find({section, SectionViewKind::header});
  return it == visibleSectionViews_.end() ? nullptr : it->second;
}

std::shared_ptr<UIView> UITableView::footerView(int section) const {
  auto it = visibleSectionViews_.find({section, SectionViewKind::footer});
  return it == visibleSectionViews_.end() ? nullptr : it->second;
}

void UITableView::scrollToRow(const IndexPath& indexPath, UITableViewScrollPosition position, bool animated) {
  layoutIfNeeded();
  if (!validIndexPath(indexPath)) return;
  const CGRect row = rectForRow(indexPath);
  const UIEdgeInsets inset = adjustedContentInset();
  const CGFloat height = bounds().height();
  // In a plain table the section's pinned header covers the top of the list.
  const CGFloat pinned = style_ == UITableViewStyle::plain ? sections_[indexPath.section].header.height : 0;
  CGPoint offset = contentOffset();
  switch (position) {
    case UITableViewScrollPosition::top:
      offset.y = row.minY() - inset.top - pinned;
      break;
    case UITableViewScrollPosition::middle:
      offset.y = row.midY() - (height - inset.bottom + inset.top) / 2;
      break;
    case UITableViewScrollPosition::bottom:
      offset.y = row.maxY() - height + inset.bottom;
      break;
    case UITableViewScrollPosition::none:
      if (row.minY() < offset.y + inset.top + pinned) {
        offset.y = row.minY() - inset.top - pinned;
      } else if (row.maxY() > offset.y + height - inset.bottom) {
        offset.y = row.maxY() - height + inset.bottom;
      }
      break;
  }
  const CGFloat lo = minimumContentOffset().y, hi = maximumContentOffset().y;
  offset.y = std::clamp(offset.y, lo, hi);
  setContentOffset(offset, animated);
}

// ---- Selection

void UITableView::selectRow(std::optional<IndexPath> indexPath, bool animated,
                            UITableViewScrollPosition position) {
  if (!indexPath) {
    for (const auto& selected : indexPathsForSelectedRows()) deselectRow(selected, animated);
    return;
  }
  loadDataIfNeeded();
  if (!validIndexPath(*indexPath)) return;
  if (!allowsMultipleSelection)
    for (const auto& selected : indexPathsForSelectedRows())
      if (selected != *indexPath) deselectRow(selected, animated);
  selected_.insert(*indexPath);
  if (auto cell = cellForRow(*indexPath)) cell->setSelected(true, animated);
  if (position != UITableViewScrollPosition::none) scrollToRow(*indexPath, position, animated);
}

void UITableView::deselectRow(const IndexPath& indexPath, bool animated) {
  if (!selected_.erase(indexPath)) return;
  if (auto cell = cellForRow(indexPath)) cell->setSelected(false, animated);
}

std::optional<IndexPath> UITableView::indexPathForSelectedRow() const {
  if (selected_.empty()) return std::nullopt;
  return *selected_.begin();
}

std::vector<IndexPath> UITableView::indexPathsForSelectedRows() const {
  return {selected_.begin(), selected_.end()};
}

void UITableView::handleTap() {
  if (touchStoppedMotion() || !allowsSelection) return;
  const CGPoint point = tap_->location(this);
  // A header or footer (pinned ones float over rows) takes its own taps.
  for (const auto& [key, view] : visibleSectionViews_)
    if (view && view->frame().contains(point)) return;
  if (auto indexPath = indexPathForRow(point)) userSelect(*indexPath);
}

void UITableView::userSelect(const IndexPath& indexPath) {
  auto self = weak_from_this().lock();
  auto d = delegate();
  if (allowsMultipleSelection && selected_.count(indexPath)) {
    deselectRow(indexPath, false);
    if (d) d->didDeselectRowAt(*this, indexPath);
    return;
  }
  if (!allowsMultipleSelection) {
    for (const auto& selected : indexPathsForSelectedRows()) {
      if (selected == indexPath) continue;
      deselectRow(selected, false);
      if (d) d->didDeselectRowAt(*this, selected);
    }
  }
  selected_.insert(indexPath);
  if (auto cell = cellForRow(indexPath)) cell->setSelected(true, false);
  if (d) d->didSelectRowAt(*this, indexPath);
}

// ---- Layout

CGFloat UITableView::measure(UIView& view, CGFloat width) const {
  UIView* target = &view;
  if (auto* cell = dynamic_cast<UITableViewCell*>(&view)) {
    target = cell->contentView().get();
  } else if (auto* header = dynamic_cast<UITableViewHeaderFooterView*>(&view)) {
    target = header->contentView().get();
  }
  if (target != &view) adoptContentConstraints(view, *target);
  if (!holdsConstraints(*target)) {
    if (!holdsConstraints(view)) return view.frame().height();  // frames only: the view's own height
    target = &view;
  }
  // A cell's content is measured where its constraints already are, unless the cell itself holds
  // some that tie it to its content: those would hold the content to the cell's present height.
  const bool inPlace = target != &view && view.constraints().empty();
  const CGSize size = inPlace ? target->systemLayoutSizeFittingInPlace({width, 0}, UILayoutPriorityRequired,
                                                                       UILayoutPriorityFittingSizeLevel)
                              : target->systemLayoutSizeFitting({width, 0}, UILayoutPriorityRequired,
                                                                UILayoutPriorityFittingSizeLevel);
  return size.height;
}

CGRect UITableView::sectionViewRect(int s, SectionViewKind kind, const CGRect& visible) const {
  const Section& section = sections_[s];
  const CGFloat width = bounds().width();
  if (kind == SectionViewKind::footer)
    return onPixelGrid(section.top + section.height - section.footer.height, width, section.footer.height);
  CGFloat y = section.top;
  if (style_ == UITableViewStyle::plain) {
    const CGFloat pin = visible.minY() + adjustedContentInset().top;
    const CGFloat last = section.top + section.height - section.footer.height - section.header.height;
    y = std::max(section.top, std::min(pin, last));
  }
  return onPixelGrid(y, width, section.header.height);
}

void UITableView::layoutSubviews() {
  UIScrollView::layoutSubviews();
  if (layingOut_) return;
  layingOut_ = true;
  auto self = weak_from_this().lock();
  loadDataIfNeeded();
  if (!heightsValid_) computeOffsets();
  for (int pass = 0; pass < 3 && dataValid_; ++pass) {
    const CGPoint before = contentOffset();
    layoutVisible();
    clampContentOffset();
    if (contentOffset() == before) break;
  }
  if (backgroundView_) {
    backgroundView_->setFrame(bounds());
    sendSubviewToBack(backgroundView_);
  }
  layingOut_ = false;
  if (!dataValid_) {
    // A callback reloaded the table: start again from fresh data on the next pass.
    dropAllVisible();
    setNeedsLayout();
  }
}

void UITableView::layoutVisible() {
  const CGFloat width = bounds().width();
  // Automatic heights depend on the width: measure again after it changes.
  for (auto& [indexPath, cell] : visibleCells_) {
    CGRect f = cell->frame();
    if (f.width() != width) {
      for (auto& section : sections_)
        for (auto& row : section.rows)
          if (row.automatic) row.measured = false;
      break;
    }
  }
  if (tableHeaderView_) {
    CGRect f = tableHeaderView_->frame();
    tableHeaderView_->setFrame(CGRect(0, 0, width, f.height()));
  }
  // Rows that left the view go back to the pool first, so that the rows coming in can reuse them.
  placeVisible(bounds(), false);
  // Build and measure what is in view until no height changes any more; every change moves the rows
  // below it, so the walk starts again.
  const std::size_t limit = 64 + 4 * visibleCells_.size() + 1000;
  for (std::size_t round = 0; round < limit && dataValid_; ++round) {
    if (!buildVisible(bounds())) break;
  }
  if (!dataValid_) return;
  setContentSize({width, contentHeight_});
  placeVisible(bounds(), true);
  if (tableFooterView_) {
    CGRect f = tableFooterView_->frame();
    tableFooterView_->setFrame(CGRect(0, contentHeight_ - f.height(), width, f.height()));
  }
}

bool UITableView::buildVisible(const CGRect& visible) {
  auto ds = dataSource();
  auto d = delegate();
  const CGFloat width = visible.width();
  for (int s = 0; s < static_cast<int>(sections_.size()); ++s) {
    if (sections_[s].top >= visible.maxY()) break;
    if (sections_[s].top + sections_[s].height < visible.minY()) continue;
    if (buildSectionView(s, SectionViewKind::header, visible)) return true;
    Section& section = sections_[s];
    auto first = std::upper_bound(section.rowTops.begin(), section.rowTops.end(), visible.minY());
    auto r = static_cast<int>(first - section.rowTops.begin());
    if (r > 0) --r;
    for (; r < static_cast<int>(section.rows.size()); ++r) {
      const IndexPath indexPath{s, r};
      Extent& row = section.rows[r];
      if (section.rowTops[r] >= visible.maxY()) break;
      if (!rowInView(section.rowTops[r], row.height, visible)) continue;
      auto shown = visibleCells_.find(indexPath);
      if (shown != visibleCells_.end() && stale_.count(indexPath)) {
        stale_.erase(indexPath);
        auto old = shown->second;
        visibleCells_.erase(shown);
        enqueueCell(indexPath, old);
        shown = visibleCells_.end();
      }
      if (shown == visibleCells_.end()) {
        if (!ds) return false;
        auto cell = ds->cellForRowAt(*this, indexPath);
        if (!dataValid_) return false;  // the data source reloaded
        if (!cell) fatalError("UITableView: the data source returned no cell");
        if (cell->isSelected() != (selected_.count(indexPath) > 0))
          cell->setSelected(selected_.count(indexPath) > 0, false);
        cell->setFrame(onPixelGrid(section.rowTops[r], width, row.height));
        // Before the cell joins the window's constraints, so that they go in once, where they stay.
        adoptContentConstraints(*cell, *cell->contentView());
        insertSubview(cell, 0);
        visibleCells_[indexPath] = cell;
        if (d) d->willDisplay(*this, *cell, indexPath);
        if (!dataValid_) return false;
        shown = visibleCells_.find(indexPath);
      }
      if (row.automatic && !row.measured && shown != visibleCells_.end()) {
        row.measured = true;
        const CGFloat height = measure(*shown->second, width);
        if (height != row.height) {
          row.height = height;
          shown->second->setFrame(onPixelGrid(section.rowTops[r], width, height));
          computeOffsets();
          return true;
        }
      }
    }
    if (buildSectionView(s, SectionViewKind::footer, visible)) return true;
  }
  return false;
}

bool UITableView::buildSectionView(int s, SectionViewKind kind, const CGRect& visible) {
  Extent& extent = kind == SectionViewKind::header ? sections_[s].header : sections_[s].footer;
  if (!extent.automatic && extent.height <= 0) return false;
  const CGRect rect = sectionViewRect(s, kind, visible);
  if (!rowInView(rect.minY(), rect.height(), visible)) return false;
  const SectionViewKey key{s, kind};
  auto it = visibleSectionViews_.find(key);
  if (it == visibleSectionViews_.end()) {
    std::shared_ptr<UIView> view;
    if (auto d = delegate())
      view = kind == SectionViewKind::header ? d->viewForHeaderInSection(*this, s)
                                             : d->viewForFooterInSection(*this, s);
    if (!dataValid_) return false;
    if (view) {
      view->setFrame(rect);
      addSubview(view);
    }
    it = visibleSectionViews_.emplace(key, view).first;
  }
  if (extent.automatic && !extent.measured) {
    extent.measured = true;
    const CGFloat height = it->second ? measure(*it->second, visible.width()) : 0;
    if (height != extent.height) {
      extent.height = height;
      computeOffsets();
      return true;
    }
  }
  return false;
}

void UITableView::placeVisible(const CGRect& visible, bool place) {
  const CGFloat width = visible.width();
  for (auto it = visibleCells_.begin(); it != visibleCells_.end();) {
    const auto [indexPath, cell] = *it;
    const bool keep = validIndexPath(indexPath) &&
                      rowInView(sections_[indexPath.section].rowTops[indexPath.row],
                                sections_[indexPath.section].rows[indexPath.row].height, visible);
    if (!keep) {
      it = visibleCells_.erase(it);
      enqueueCell(indexPath, cell);
      continue;
    }
    const Section& section = sections_[indexPath.section];
    if (place)
      cell->setFrame(onPixelGrid(section.rowTops[indexPath.row], width, section.rows[indexPath.row].height));
    ++it;
  }
  for (auto it = visibleSectionViews_.begin(); it != visibleSectionViews_.end();) {
    const auto [key, view] = *it;
    bool keep = key.section < static_cast<int>(sections_.size());
    CGRect rect;
    if (keep) {
      rect = sectionViewRect(key.section, key.kind, visible);
      const Extent& extent =
          key.kind == SectionViewKind::header ? sections_[key.section].header : sections_[key.section].footer;
      keep = (extent.automatic || extent.height > 0) && rowInView(rect.minY(), rect.height(), visible);
    }
    if (!keep) {
      it = visibleSectionViews_.erase(it);
      enqueueSectionView(view);
      continue;
    }
    if (view && place) {
      view->setFrame(rect);
      bringSubviewToFront(view);  // headers float above the rows
    }
    ++it;
  }
}

}  // namespace ios
