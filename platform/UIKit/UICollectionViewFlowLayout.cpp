#include <UIKit/UICollectionViewFlowLayout.h>

#include <Foundation/ClassRegistry.h>

#include <algorithm>

namespace ios {

namespace {
const auto registration =
    ClassRegistration<UICollectionViewFlowLayout, UICollectionViewLayout>("UICollectionViewFlowLayout")
        .factory([] { return UICollectionViewFlowLayout::create(); })
        .property("itemSize", &UICollectionViewFlowLayout::itemSize)
        .property("minimumInteritemSpacing", &UICollectionViewFlowLayout::minimumInteritemSpacing)
        .property("minimumLineSpacing", &UICollectionViewFlowLayout::minimumLineSpacing)
        .property("sectionInset", &UICollectionViewFlowLayout::sectionInset);

UICollectionViewFlowLayout* flowOf(UICollectionViewLayout& layout) {
  return dynamic_cast<UICollectionViewFlowLayout*>(&layout);
}
}  // namespace

// ---- Delegate defaults: the layout's own values

CGSize UICollectionViewDelegateFlowLayout::sizeForItemAt(UICollectionView&, UICollectionViewLayout& layout,
                                                         const IndexPath&) {
  auto* flow = flowOf(layout);
  return flow ? flow->itemSize : CGSize::zero;
}

UIEdgeInsets UICollectionViewDelegateFlowLayout::insetForSectionAt(UICollectionView&,
                                                                   UICollectionViewLayout& layout, int) {
  auto* flow = flowOf(layout);
  return flow ? flow->sectionInset : UIEdgeInsets::zero;
}

CGFloat UICollectionViewDelegateFlowLayout::minimumLineSpacingForSectionAt(UICollectionView&,
                                                                           UICollectionViewLayout& layout,
                                                                           int) {
  auto* flow = flowOf(layout);
  return flow ? flow->minimumLineSpacing : 0;
}

CGFloat UICollectionViewDelegateFlowLayout::minimumInteritemSpacingForSectionAt(
    UICollectionView&, UICollectionViewLayout& layout, int) {
  auto* flow = flowOf(layout);
  return flow ? flow->minimumInteritemSpacing : 0;
}

// ---- Layout

std::shared_ptr<UICollectionViewFlowLayout> UICollectionViewFlowLayout::create() {
  return std::make_shared<UICollectionViewFlowLayout>();
}

void UICollectionViewFlowLayout::prepare() {
  frames_.clear();
  contentSize_ = CGSize::zero;
  auto view = collectionView();
  if (!view) return;
  const bool horizontal = scrollDirection == UICollectionViewScrollDirection::horizontal;
  const UIEdgeInsets adjusted = view->adjustedContentInset();
  const CGSize size = view->bounds().size;
  const CGFloat crossExtent = std::max<CGFloat>(0, horizontal ? size.height - adjusted.top - adjusted.bottom
                                                              : size.width - adjusted.left - adjusted.right);
  CGFloat along = 0;
  const int sections = view->numberOfSections();
  frames_.resize(static_cast<std::size_t>(sections));
  for (int s = 0; s < sections; ++s) placeSection(*view, s, along, crossExtent);
  contentSize_ = horizontal ? CGSize{along, crossExtent} : CGSize{crossExtent, along};
}

void UICollectionViewFlowLayout::placeSection(UICollectionView& view, int section, CGFloat& along,
                                              CGFloat crossExtent) {
  const int count = view.numberOfItems(section);
  if (count <= 0) return;
  const bool horizontal = scrollDirection == UICollectionViewScrollDirection::horizontal;
  auto flowDelegate = std::dynamic_pointer_cast<UICollectionViewDelegateFlowLayout>(view.delegate());
  const UIEdgeInsets inset =
      flowDelegate ? flowDelegate->insetForSectionAt(view, *this, section) : sectionInset;
  const CGFloat lineSpacing =
      flowDelegate ? flowDelegate->minimumLineSpacingForSectionAt(view, *this, section) : minimumLineSpacing;
  const CGFloat itemSpacing = flowDelegate
                                  ? flowDelegate->minimumInteritemSpacingForSectionAt(view, *this, section)
                                  : minimumInteritemSpacing;

  // Sizes as (along the scroll direction, across it).
  std::vector<CGSize> sizes;
  sizes.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    const CGSize s =
        flowDelegate ? flowDelegate->sizeForItemAt(view, *this, IndexPath{section, i}) : itemSize;
    sizes.push_back(horizontal ? CGSize{s.width, s.height} : CGSize{s.height, s.width});
  }
  const CGFloat crossStart = horizontal ? inset.top : inset.left;
  const CGFloat crossAvailable =
      crossExtent - (horizontal ? inset.top + inset.bottom : inset.left + inset.right);
  along += horizontal ? inset.left : inset.top;

  auto& frames = frames_[static_cast<std::size_t>(section)];
  frames.resize(static_cast<std::size_t>(count));
  int start = 0;
  while (start < count) {
    int end = start + 1;
    CGFloat used = sizes[start].height;
    while (end < count && used + itemSpacing + sizes[end].height <= crossAvailable) {
      used += itemSpacing + sizes[end].height;
      ++end;
    }
    const bool last = end == count;
    const int inLine = end - start;
    CGFloat lineAlong = 0, crossSum = 0;
    for (int i = start; i < end; ++i) {
      lineAlong = std::max(lineAlong, sizes[i].width);
      crossSum += sizes[i].height;
    }
    const CGFloat spacing = !last && inLine > 1 ? (crossAvailable - crossSum) / (inLine - 1) : itemSpacing;
    CGFloat cross = crossStart;
    for (int i = start; i < end; ++i) {
      const CGFloat a = along + (lineAlong - sizes[i].width) / 2;
      frames[i] = horizontal ? CGRect(a, cross, sizes[i].width, sizes[i].height)
                             : CGRect(cross, a, sizes[i].height, sizes[i].width);
      cross += sizes[i].height + spacing;
    }
    along += lineAlong + (last ? 0 : lineSpacing);
    start = end;
  }
  along += horizontal ? inset.right : inset.bottom;
}

std::vector<UICollectionViewLayoutAttributes> UICollectionViewFlowLayout::layoutAttributesForElements(
    const CGRect& rect) const {
  std::vector<UICollectionViewLayoutAttributes> result;
  for (std::size_t s = 0; s < frames_.size(); ++s)
    for (std::size_t i = 0; i < frames_[s].size(); ++i)
      if (frames_[s][i].intersects(rect))
        result.push_back({IndexPath{static_cast<int>(s), static_cast<int>(i)}, frames_[s][i]});
  return result;
}

std::optional<UICollectionViewLayoutAttributes> UICollectionViewFlowLayout::layoutAttributesForItem(
    const IndexPath& indexPath) const {
  if (indexPath.section < 0 || indexPath.section >= static_cast<int>(frames_.size())) return std::nullopt;
  const auto& frames = frames_[static_cast<std::size_t>(indexPath.section)];
  if (indexPath.row < 0 || indexPath.row >= static_cast<int>(frames.size())) return std::nullopt;
  return UICollectionViewLayoutAttributes{indexPath, frames[static_cast<std::size_t>(indexPath.row)]};
}

}  // namespace ios
