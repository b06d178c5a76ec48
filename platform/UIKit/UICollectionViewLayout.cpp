#include <UIKit/UICollectionViewLayout.h>

#include <Foundation/ClassRegistry.h>
#include <UIKit/UICollectionView.h>

namespace ios {

namespace {
const auto registration = ClassRegistration<UICollectionViewLayout>("UICollectionViewLayout");
}

std::vector<UICollectionViewLayoutAttributes> UICollectionViewLayout::layoutAttributesForElements(
    const CGRect&) const {
  return {};
}

std::optional<UICollectionViewLayoutAttributes> UICollectionViewLayout::layoutAttributesForItem(
    const IndexPath&) const {
  return std::nullopt;
}

CGPoint UICollectionViewLayout::targetContentOffset(CGPoint proposedContentOffset, CGPoint) {
  return proposedContentOffset;
}

bool UICollectionViewLayout::shouldInvalidateLayout(const CGRect& newBounds) const {
  return newBounds.size != preparedSize_;
}

void UICollectionViewLayout::invalidateLayout() {
  valid_ = false;
  if (auto view = collectionView()) view->setNeedsLayout();
}

void UICollectionViewLayout::setCollectionView(std::weak_ptr<UICollectionView> collectionView) {
  collectionView_ = std::move(collectionView);
  valid_ = false;
}

void UICollectionViewLayout::didPrepare(const CGRect& bounds) {
  valid_ = true;
  preparedSize_ = bounds.size;
}

}  // namespace ios
