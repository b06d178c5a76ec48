#include <UIKit/UICollectionView.h>

#include <Foundation/ClassRegistry.h>
#include <Foundation/Console.h>
#include <UIKit/Nib/UINib.h>
#include <UIKit/UICollectionViewFlowLayout.h>
#include <UIKit/UITapGestureRecognizer.h>

#include <algorithm>

namespace ios {

namespace {
const auto registration =
    ClassRegistration<UICollectionView, UIScrollView>("UICollectionView")
        .factory([] { return UICollectionView::create(CGRect::zero, UICollectionViewFlowLayout::create()); })
        .property("allowsSelection", &UICollectionView::allowsSelection)
        .property("allowsMultipleSelection", &UICollectionView::allowsMultipleSelection)
        // Interface files connect these outlets to an object that adopts the protocol.
        .property(
            "dataSource",
            [](const UICollectionView& v) { return std::dynamic_pointer_cast<NSObject>(v.dataSource()); },
            [](UICollectionView& v, std::shared_ptr<NSObject> o) {
              v.setDataSource(std::dynamic_pointer_cast<UICollectionViewDataSource>(o));
            })
        .property(
            "delegate",
            [](const UICollectionView& v) { return std::dynamic_pointer_cast<NSObject>(v.delegate()); },
            [](UICollectionView& v, std::shared_ptr<NSObject> o) {
              v.setDelegate(std::dynamic_pointer_cast<UICollectionViewDelegate>(o));
            });
}  // namespace

std::shared_ptr<UICollectionView> UICollectionView::create(const CGRect& frame,
                                                           std::shared_ptr<UICollectionViewLayout> layout) {
  auto view = std::make_shared<UICollectionView>(frame, std::move(layout));
  view->attachLayout();
  return view;
}

UICollectionView::UICollectionView(const CGRect& frame, std::shared_ptr<UICollectionViewLayout> layout)
    : UIScrollView(frame), layout_(layout ? std::move(layout) : UICollectionViewFlowLayout::create()) {
  tap_ = std::make_shared<UITapGestureRecognizer>();
  tap_->cancelsTouchesInView = false;
}

UICollectionView::~UICollectionView() = default;

void UICollectionView::attachLayout() {
  if (layoutAttached_) return;
  auto self = std::dynamic_pointer_cast<UICollectionView>(weak_from_this().lock());
  if (!self) return;
  layoutAttached_ = true;
  layout_->setCollectionView(self);
}

void UICollectionView::setCollectionViewLayout(std::shared_ptr<UICollectionViewLayout> layout) {
  if (!layout || layout == layout_) return;
  layout_->setCollectionView({});
  layout_ = std::move(layout);
  layoutAttached_ = false;
  attachLayout();
  setNeedsLayout();
}

void UICollectionView::willMoveToSuperview(const std::shared_ptr<UIView>& superview) {
  UIScrollView::willMoveToSuperview(superview);
  attachLayout();
  installTap();
}

void UICollectionView::installTap() {
  if (tapInstalled_) return;
  auto self = std::dynamic_pointer_cast<UICollectionView>(weak_from_this().lock());
  if (!self) return;
  tapInstalled_ = true;
  std::weak_ptr<UICollectionView> weak = self;
  tap_->addAction([weak](UIGestureRecognizer&) {
    if (auto view = weak.lock()) view->handleTap();
  });
  addGestureRecognizer(tap_);
}

void UICollectionView::setDataSource(std::weak_ptr<UICollectionViewDataSource> dataSource) {
  dataSource_ = std::move(dataSource);
  reloadData();
}

void UICollectionView::setDelegate(std::weak_ptr<UICollectionViewDelegate> delegate) {
  collectionDelegate_ = delegate;
  UIScrollView::setDelegate(std::weak_ptr<UIScrollViewDelegate>(delegate.lock()));
  layout_->invalidateLayout();  // a flow delegate may size the items
}

// ---- Registration and reuse

void UICollectionView::registerNib(std::shared_ptr<UINib> nib, const std::string& reuseIdentifier) {
  if (!nib) {
    registrations_.erase(reuseIdentifier);
    return;
  }
  registrations_[reuseIdentifier] = {std::move(nib), nullptr};
}

void UICollectionView::registerClass(CellFactory factory, const std::string& reuseIdentifier) {
  if (!factory) {
    registrations_.erase(reuseIdentifier);
    return;
  }
  registrations_[reuseIdentifier] = {nullptr, std::move(factory)};
}

std::shared_ptr<UICollectionViewCell> UICollectionView::dequeueReusableCell(
    const std::string& reuseIdentifier, const IndexPath&) {
  auto pool = pool_.find(reuseIdentifier);
  if (pool != pool_.end() && !pool->second.empty()) {
    auto cell = std::move(pool->second.back());
    pool->second.pop_back();
    cell->prepareForReuse();
    return cell;
  }
  auto it = registrations_.find(reuseIdentifier);
  if (it == registrations_.end()) {
    fatalError("UICollectionView: unable to dequeue a cell with identifier \"" + reuseIdentifier +
               "\": register a nib or a class for the identifier");
  }
  std::shared_ptr<UICollectionViewCell> cell;
  if (it->second.factory) {
    cell = it->second.factory();
  } else {
    const auto loaded = it->second.nib->instantiate(nullptr);
    if (loaded.error) fatalError("UICollectionView: cannot load the cell nib: " + loaded.error->message());
    for (const auto& object : loaded.objects)
      if (auto found = std::dynamic_pointer_cast<UICollectionViewCell>(object); found && !cell) cell = found;
  }
  if (!cell) fatalError("UICollectionView: no cell could be made for \"" + reuseIdentifier + "\"");
  if (cell->reuseIdentifier().empty()) cell->setReuseIdentifier(reuseIdentifier);
  ++cellsCreated_;
  return cell;
}

void UICollectionView::enqueue(const IndexPath& indexPath,
                               const std::shared_ptr<UICollectionViewCell>& cell) {
  auto keep = cell;
  if (keep->superview().get() == this) keep->removeFromSuperview();
  if (auto d = delegate()) d->didEndDisplaying(*this, *keep, indexPath);
  if (registrations_.count(keep->reuseIdentifier())) pool_[keep->reuseIdentifier()].push_back(keep);
}

void UICollectionView::dropAllVisible() {
  auto cells = std::move(visibleCells_);
  visibleCells_.clear();
  for (const auto& [indexPath, cell] : cells) enqueue(indexPath, cell);
}

// ---- Data

void UICollectionView::reloadData() {
  selected_.clear();
  dataValid_ = false;
  layout_->invalidateLayout();
  setNeedsLayout();
  if (!layingOut_) dropAllVisible();
}

void UICollectionView::loadDataIfNeeded() {
  if (dataValid_) return;
  dataValid_ = true;
  auto ds = dataSource();
  const int sections = ds ? std::max(0, ds->numberOfSections(*this)) : 0;
  counts_.assign(static_cast<std::size_t>(sections), 0);
  for (int s = 0; s < sections; ++s) counts_[s] = std::max(0, ds->numberOfItemsInSection(*this, s));
}

int UICollectionView::numberOfSections() {
  loadDataIfNeeded();
  return static_cast<int>(counts_.size());
}

int UICollectionView::numberOfItems(int section) {
  loadDataIfNeeded();
  return section >= 0 && section < static_cast<int>(counts_.size()) ? counts_[section] : 0;
}

void UICollectionView::prepareLayoutIfNeeded() {
  attachLayout();
  loadDataIfNeeded();
  if (layout_->isValid() && !layout_->shouldInvalidateLayout(bounds())) return;
  layout_->prepare();
  layout_->didPrepare(bounds());
}

// ---- Queries

std::shared_ptr<UICollectionViewCell> UICollectionView::cellForItem(const IndexPath& indexPath) const {
  auto it = visibleCells_.find(indexPath);
  return it == visibleCells_.end() ? nullptr : it->second;
}

std::optional<IndexPath> UICollectionView::indexPath(const UICollectionViewCell& cell) const {
  for (const auto& [indexPath, shown] : visibleCells_)
    if (shown.get() == &cell) return indexPath;
  return std::nullopt;
}

std::optional<IndexPath> UICollectionView::indexPathForItem(CGPoint point) {
  prepareLayoutIfNeeded();
  for (const auto& attributes : layout_->layoutAttributesForElements(CGRect(point.x, point.y, 1, 1)))
    if (attributes.frame.contains(point)) return attributes.indexPath;
  return std::nullopt;
}

std::vector<std::shared_ptr<UICollectionViewCell>> UICollectionView::visibleCells() const {
  std::vector<std::shared_ptr<UICollectionViewCell>> cells;
  for (const auto& [indexPath, cell] : visibleCells_) cells.push_back(cell);
  return cells;
}

std::vector<IndexPath> UICollectionView::indexPathsForVisibleItems() const {
  std::vector<IndexPath> paths;
  for (const auto& [indexPath, cell] : visibleCells_) paths.push_back(indexPath);
  return paths;
}

std::optional<UICollectionViewLayoutAttributes> UICollectionView::layoutAttributesForItem(
    const IndexPath& indexPath) {
  prepareLayoutIfNeeded();
  return layout_->layoutAttributesForItem(indexPath);
}

void UICollectionView::scrollToItem(const IndexPath& indexPath, unsigned position, bool animated) {
  layoutIfNeeded();
  const auto attributes = layoutAttributesForItem(indexPath);
  if (!attributes) return;
  const CGRect item = attributes->frame;
  const CGSize size = bounds().size;
  const UIEdgeInsets inset = adjustedContentInset();
  CGPoint offset = contentOffset();
  using P = UICollectionViewScrollPosition;
  if (position & P::top) offset.y = item.minY() - inset.top;
  if (position & P::centeredVertically) offset.y = item.midY() - size.height / 2;
  if (position & P::bottom) offset.y = item.maxY() - size.height + inset.bottom;
  if (position & P::left) offset.x = item.minX() - inset.left;
  if (position & P::centeredHorizontally) offset.x = item.midX() - size.width / 2;
  if (position & P::right) offset.x = item.maxX() - size.width + inset.right;
  if (position == P::none) {
    scrollRectToVisible(item, animated);
    return;
  }
  const CGPoint lo = minimumContentOffset(), hi = maximumContentOffset();
  setContentOffset({std::clamp(offset.x, lo.x, hi.x), std::clamp(offset.y, lo.y, hi.y)}, animated);
}

CGPoint UICollectionView::releaseTarget(CGPoint velocity) {
  const CGPoint natural = UIScrollView::releaseTarget(velocity);
  if (isPagingEnabled) return natural;
  return layout_->targetContentOffset(natural, velocity);
}

// ---- Selection

void UICollectionView::selectItem(std::optional<IndexPath> indexPath, bool animated, unsigned position) {
  if (!indexPath) {
    for (const auto& selected : indexPathsForSelectedItems()) deselectItem(selected, animated);
    return;
  }
  if (!allowsMultipleSelection)
    for (const auto& selected : indexPathsForSelectedItems())
      if (selected != *indexPath) deselectItem(selected, animated);
  selected_.insert(*indexPath);
  if (auto cell = cellForItem(*indexPath)) cell->setSelected(true);
  if (position != UICollectionViewScrollPosition::none) scrollToItem(*indexPath, position, animated);
}

void UICollectionView::deselectItem(const IndexPath& indexPath, bool) {
  if (!selected_.erase(indexPath)) return;
  if (auto cell = cellForItem(indexPath)) cell->setSelected(false);
}

void UICollectionView::handleTap() {
  if (touchStoppedMotion() || !allowsSelection) return;
  const auto indexPath = indexPathForItem(tap_->location(this));
  if (!indexPath) return;
  auto self = weak_from_this().lock();
  auto d = delegate();
  if (allowsMultipleSelection && selected_.count(*indexPath)) {
    deselectItem(*indexPath, false);
    if (d) d->didDeselectItemAt(*this, *indexPath);
    return;
  }
  if (!allowsMultipleSelection) {
    for (const auto& selected : indexPathsForSelectedItems()) {
      if (selected == *indexPath) continue;
      deselectItem(selected, false);
      if (d) d->didDeselectItemAt(*this, selected);
    }
  }
  selected_.insert(*indexPath);
  if (auto cell = cellForItem(*indexPath)) cell->setSelected(true);
  if (d) d->didSelectItemAt(*this, *indexPath);
}

// ---- Layout

void UICollectionView::layoutSubviews() {
  UIScrollView::layoutSubviews();
  if (layingOut_) return;
  layingOut_ = true;
  auto self = weak_from_this().lock();
  prepareLayoutIfNeeded();
  setContentSize(layout_->collectionViewContentSize());
  clampContentOffset();
  prepareLayoutIfNeeded();  // the inset may have changed with the content size

  const CGRect visible = bounds();
  std::map<IndexPath, CGRect> wanted;
  for (const auto& attributes : layout_->layoutAttributesForElements(visible))
    wanted[attributes.indexPath] = attributes.frame;
  for (auto it = visibleCells_.begin(); it != visibleCells_.end();) {
    if (wanted.count(it->first)) {
      ++it;
      continue;
    }
    const auto [indexPath, cell] = *it;
    it = visibleCells_.erase(it);
    enqueue(indexPath, cell);
  }
  auto ds = dataSource();
  auto d = delegate();
  for (const auto& [indexPath, frame] : wanted) {
    if (!dataValid_) break;
    auto it = visibleCells_.find(indexPath);
    if (it == visibleCells_.end()) {
      if (!ds) break;
      auto cell = ds->cellForItemAt(*this, indexPath);
      if (!cell) fatalError("UICollectionView: the data source returned no cell");
      if (!dataValid_) break;
      const bool selected = selected_.count(indexPath) > 0;
      if (cell->isSelected() != selected) cell->setSelected(selected);
      cell->setFrame(frame);
      insertSubview(cell, 0);
      visibleCells_[indexPath] = cell;
      if (d) d->willDisplay(*this, *cell, indexPath);
      continue;
    }
    it->second->setFrame(frame);
  }
  layingOut_ = false;
  if (!dataValid_) {
    dropAllVisible();
    setNeedsLayout();
  }
}

}  // namespace ios
