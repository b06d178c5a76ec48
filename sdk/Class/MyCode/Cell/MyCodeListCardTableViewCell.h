#pragma once

#include <UIKit/NSLayoutConstraint.h>
#include <UIKit/UICollectionView.h>
#include <UIKit/UICollectionViewFlowLayout.h>
#include <UIKit/UILabel.h>
#include <UIKit/UIPageControl.h>
#include <UIKit/UITableViewCell.h>
#include <Ultilities/lib/PagedCollectionLayout.h>

#include <memory>
#include <string>
#include <vector>

namespace kerbelin {

class CardModel;

// Told which card the strip shows, each time it comes to rest on one.
class MyCodeListCardTableViewCellDelegate {
 public:
  virtual ~MyCodeListCardTableViewCellDelegate() = default;
  virtual void loadDetailCard(const std::shared_ptr<CardModel>& objCard) = 0;
};

// The my-code tab's strip of paid cards, one card a swipe, with dots for up to ten cards and "p/n"
// beyond. It reports the card shown after each new list (without a swipe) and after each swipe. A new
// list keeps the page, brought back within the list when the list is shorter.
class MyCodeListCardTableViewCell : public ios::UITableViewCell,
                                    public ios::UICollectionViewDataSource,
                                    public ios::UICollectionViewDelegateFlowLayout {
 public:
  static constexpr char identifier[] = "MyCodeListCardTableViewCell";
  static constexpr std::size_t maxDots = 10;

  static std::shared_ptr<MyCodeListCardTableViewCell> create();
  MyCodeListCardTableViewCell();

  std::weak_ptr<ios::UILabel> labelPage;
  std::weak_ptr<ios::NSLayoutConstraint> heightViewCollectionView;
  std::weak_ptr<ios::UICollectionView> collectionView;
  std::weak_ptr<ios::UILabel> labelNameCard;
  std::weak_ptr<ios::UIPageControl> pageController;
  std::weak_ptr<ios::UIView> viewCollectionView;
  const std::shared_ptr<PagedCollectionLayout> layout;
  // Held weakly: the screen holds its table and so this row.
  std::weak_ptr<MyCodeListCardTableViewCellDelegate> deledate;
  std::vector<std::shared_ptr<CardModel>> arrayCard;

  void awakeFromNib() override;
  void GetArrayCard(std::vector<std::shared_ptr<CardModel>> array);

  int numberOfItemsInSection(ios::UICollectionView& collectionView, int section) override;
  std::shared_ptr<ios::UICollectionViewCell> cellForItemAt(ios::UICollectionView& collectionView,
                                                           const ios::IndexPath& indexPath) override;
  ios::CGSize sizeForItemAt(ios::UICollectionView& collectionView, ios::UICollectionViewLayout& layout,
                            const ios::IndexPath& indexPath) override;
  void scrollViewDidEndDecelerating(ios::UIScrollView& scrollView) override;

 private:
  void fitHeight();
  // Keeps the page within the list: a refreshed list may be shorter than the page shown.
  void clampPage();
  void settle();
};

}  // namespace kerbelin
