#pragma once

#include <CoreGraphics/UIEdgeInsets.h>
#include <UIKit/UICollectionView.h>
#include <UIKit/UICollectionViewLayout.h>

#include <vector>

namespace ios {

class UICollectionViewFlowLayout;

enum class UICollectionViewScrollDirection { vertical = 0, horizontal };

// What a collection view's delegate may answer for a flow layout; the defaults give the layout's own
// values.
class UICollectionViewDelegateFlowLayout : public UICollectionViewDelegate {
 public:
  virtual CGSize sizeForItemAt(UICollectionView& collectionView, UICollectionViewLayout& layout,
                               const IndexPath& indexPath);
  virtual UIEdgeInsets insetForSectionAt(UICollectionView& collectionView, UICollectionViewLayout& layout,
                                         int section);
  virtual CGFloat minimumLineSpacingForSectionAt(UICollectionView& collectionView,
                                                 UICollectionViewLayout& layout, int section);
  virtual CGFloat minimumInteritemSpacingForSectionAt(UICollectionView& collectionView,
                                                      UICollectionViewLayout& layout, int section);
};

// Items in lines: a vertical layout fills rows left to right and stacks them downwards, a horizontal
// one fills columns top to bottom and places them rightwards. Lines are `minimumLineSpacing` apart
// and items in a line at least `minimumInteritemSpacing`; a full line with several items spreads
// them evenly over its length, the last line of a section keeps the minimum spacing, and items are
// centred across their line. Sections follow each other along the scroll direction, each within its
// `sectionInset`. Sizes, insets and spacings come from the delegate when it is a
// `UICollectionViewDelegateFlowLayout`.
class UICollectionViewFlowLayout : public UICollectionViewLayout {
 public:
  static std::shared_ptr<UICollectionViewFlowLayout> create();
  UICollectionViewFlowLayout() = default;

  CGSize itemSize{50, 50};
  CGFloat minimumInteritemSpacing = 10;
  CGFloat minimumLineSpacing = 10;
  UIEdgeInsets sectionInset;
  UICollectionViewScrollDirection scrollDirection = UICollectionViewScrollDirection::vertical;

  void prepare() override;
  CGSize collectionViewContentSize() const override { return contentSize_; }
  std::vector<UICollectionViewLayoutAttributes> layoutAttributesForElements(
      const CGRect& rect) const override;
  std::optional<UICollectionViewLayoutAttributes> layoutAttributesForItem(
      const IndexPath& indexPath) const override;

 private:
  void placeSection(UICollectionView& view, int section, CGFloat& along, CGFloat crossExtent);

  std::vector<std::vector<CGRect>> frames_;
  CGSize contentSize_;
};

}  // namespace ios
