#pragma once

#include <Class/BuyCard/Model/BuyCardCategory.h>
#include <UIKit/UICollectionView.h>
#include <UIKit/UICollectionViewFlowLayout.h>

#include <memory>
#include <vector>

namespace kerbelin {

// Told when the user makes another category current.
class ViewCategoryBuyCardDelegate {
 public:
  virtual ~ViewCategoryBuyCardDelegate() = default;
  virtual void selectCate(const std::shared_ptr<BuyCardCategory>& cate) = 0;
};

// The strip of store categories above the sort row. It shows `listCate`, marks the entries whose
// id equals `currentCate`'s (two missing ids count as equal) and reports taps on unmarked entries.
// Setting `listCate` or `currentCate` redraws nothing: the owner reloads `collectionView` after.
class ViewCategoryBuyCard : public ios::UIView,
                            public ios::UICollectionViewDataSource,
                            public ios::UICollectionViewDelegateFlowLayout {
 public:
  static constexpr ios::CGFloat itemWidth = 78;
  static constexpr ios::CGFloat itemHeight = 85;

  static std::shared_ptr<ViewCategoryBuyCard> create();
  ViewCategoryBuyCard();

  void awakeFromNib() override;

  std::weak_ptr<ios::UICollectionView> collectionView;
  // Held weakly: the store screen owns the bar.
  std::weak_ptr<ViewCategoryBuyCardDelegate> delegate;
  std::shared_ptr<BuyCardCategory> currentCate;
  std::vector<std::shared_ptr<BuyCardCategory>> listCate;

  int numberOfSections(ios::UICollectionView&) override { return 1; }
  int numberOfItemsInSection(ios::UICollectionView& collectionView, int section) override;
  std::shared_ptr<ios::UICollectionViewCell> cellForItemAt(ios::UICollectionView& collectionView,
                                                           const ios::IndexPath& indexPath) override;
  ios::CGSize sizeForItemAt(ios::UICollectionView& collectionView, ios::UICollectionViewLayout& layout,
                            const ios::IndexPath& indexPath) override;
  void didSelectItemAt(ios::UICollectionView& collectionView, const ios::IndexPath& indexPath) override;

 private:
  bool isCurrent(const BuyCardCategory& cate) const;
};

}  // namespace kerbelin
