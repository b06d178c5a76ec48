#pragma once

#include <CoreGraphics/CGGeometry.h>
#include <Foundation/IndexPath.h>
#include <Foundation/NSObject.h>

#include <memory>
#include <optional>
#include <vector>

namespace ios {

class UICollectionView;

// Where one item goes, in the collection view's content coordinates.
struct UICollectionViewLayoutAttributes {
  IndexPath indexPath;
  CGRect frame;
};

// Places a collection view's items. The collection view calls `prepare` before it lays out after
// the layout was invalidated (data reloaded, bounds resized, `invalidateLayout`), then asks for the
// content size and for the items in the visible rectangle. When a drag ends it asks
// `targetContentOffset` where to come to rest; the base keeps the proposed offset.
class UICollectionViewLayout : public NSObject {
 public:
  UICollectionViewLayout() = default;

  // The collection view using this layout (a weak back-reference).
  std::shared_ptr<UICollectionView> collectionView() const { return collectionView_.lock(); }

  virtual void prepare() {}
  virtual CGSize collectionViewContentSize() const { return CGSize::zero; }
  virtual std::vector<UICollectionViewLayoutAttributes> layoutAttributesForElements(const CGRect& rect) const;
  virtual std::optional<UICollectionViewLayoutAttributes> layoutAttributesForItem(
      const IndexPath& indexPath) const;
  virtual CGPoint targetContentOffset(CGPoint proposedContentOffset, CGPoint velocity);
  // Whether a change of the collection view's bounds needs a new `prepare`; by default a change of
  // size does.
  virtual bool shouldInvalidateLayout(const CGRect& newBounds) const;

  void invalidateLayout();
  bool isValid() const { return valid_; }

  // Used by the collection view.
  void setCollectionView(std::weak_ptr<UICollectionView> collectionView);
  void didPrepare(const CGRect& bounds);

 private:
  std::weak_ptr<UICollectionView> collectionView_;
  bool valid_ = false;
  CGSize preparedSize_;
};

}  // namespace ios
