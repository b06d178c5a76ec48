#include <Class/BuyCard/CustomCell/ViewCategoryBuyCard.h>

#include <Class/BuyCard/CustomCell/CategoryCollectionViewCell.h>
#include <Foundation/ClassRegistry.h>
#include <Foundation/URL.h>
#include <UIKit/Nib/UINib.h>
#include <Ultilities/Handle/NibBundle.h>
#include <WebImage/UIImageViewWebCache.h>

namespace kerbelin {

namespace {
const auto registration = ios::ClassRegistration<ViewCategoryBuyCard, ios::UIView>().property(
    "collectionView", &ViewCategoryBuyCard::collectionView);

bool sameId(const std::optional<std::int64_t>& a, const std::optional<std::int64_t>& b) {
  return a == b;
}
}  // namespace

std::shared_ptr<ViewCategoryBuyCard> ViewCategoryBuyCard::create() {
  return std::make_shared<ViewCategoryBuyCard>();
}

ViewCategoryBuyCard::ViewCategoryBuyCard() = default;

void ViewCategoryBuyCard::awakeFromNib() {
  UIView::awakeFromNib();
  auto collection = collectionView.lock();
  if (!collection) return;
  if (auto flow =
          std::dynamic_pointer_cast<ios::UICollectionViewFlowLayout>(collection->collectionViewLayout())) {
    flow->scrollDirection = ios::UICollectionViewScrollDirection::horizontal;
  }
  collection->registerNib(ios::UINib::create(CategoryCollectionViewCell::identifier, frameworkBundle()),
                          CategoryCollectionViewCell::identifier);
  auto self = sharedAs<ViewCategoryBuyCard>();
  collection->setDelegate(std::static_pointer_cast<ios::UICollectionViewDelegate>(self));
  collection->setDataSource(std::static_pointer_cast<ios::UICollectionViewDataSource>(self));
}

int ViewCategoryBuyCard::numberOfItemsInSection(ios::UICollectionView&, int) {
  return static_cast<int>(listCate.size());
}

std::shared_ptr<ios::UICollectionViewCell> ViewCategoryBuyCard::cellForItemAt(
    ios::UICollectionView& collectionView, const ios::IndexPath& indexPath) {
  auto cell = collectionView.dequeueReusableCell<CategoryCollectionViewCell>(
      CategoryCollectionViewCell::identifier, indexPath);
  const auto item = static_cast<std::size_t>(indexPath.item());
  if (item >= listCate.size() || !listCate[item]) return cell;
  const BuyCardCategory& cate = *listCate[item];
  if (auto name = cell->lbName.lock()) name->setText(cate.name);
  if (auto icon = cell->icon.lock()) ios::sd_setImage(*icon, ios::URL::fromString(cate.icon));
  // A reused cell first loses its old mark.
  const bool marked = isCurrent(cate);
  if (auto bg = cell->viewBg.lock())
    bg->setBackgroundColor(marked ? ios::UIColor::white() : ios::UIColor::clear());
  if (auto arrow = cell->imgArrow.lock()) arrow->setHidden(!marked);
  return cell;
}

ios::CGSize ViewCategoryBuyCard::sizeForItemAt(ios::UICollectionView&, ios::UICollectionViewLayout&,
                                               const ios::IndexPath&) {
  return {itemWidth, itemHeight};
}

void ViewCategoryBuyCard::didSelectItemAt(ios::UICollectionView& collectionView,
                                          const ios::IndexPath& indexPath) {
  const auto item = static_cast<std::size_t>(indexPath.row);
  if (item >= listCate.size() || !listCate[item]) return;
  auto cate = listCate[item];
  if (isCurrent(*cate)) return;
  currentCate = cate;
  collectionView.reloadData();
  if (auto listener = delegate.lock()) listener->selectCate(cate);
}

bool ViewCategoryBuyCard::isCurrent(const BuyCardCategory& cate) const {
  return sameId(cate.id, currentCate ? currentCate->id : std::nullopt);
}

}  // namespace kerbelin
