#include <Class/MyCode/Cell/MyCodeListCardTableViewCell.h>

#include <Class/BuyCard/Model/CardModel.h>
#include <Class/BuyCard/Model/StyleDtoModel.h>
#include <Class/MyCode/Cell/CollectionCell/MyCodeCardItemCollectionViewCell.h>
#include <Foundation/ClassRegistry.h>
#include <UIKit/Nib/UINib.h>
#include <Ultilities/Constants/Screen.h>
#include <Ultilities/Extensions/UICollectionViewExtension.h>
#include <Ultilities/Extensions/UIColorExtension.h>
#include <Ultilities/Handle/NibBundle.h>
#include <WebImage/UIImageViewWebCache.h>

#include <algorithm>

namespace kerbelin {

namespace {
using Cell = MyCodeListCardTableViewCell;
const auto registration = ios::ClassRegistration<Cell, ios::UITableViewCell>()
                              .property("labelPage", &Cell::labelPage)
                              .property("heightViewCollectionView", &Cell::heightViewCollectionView)
                              .property("collectionView", &Cell::collectionView)
                              .property("labelNameCard", &Cell::labelNameCard)
                              .property("pageController", &Cell::pageController)
                              .property("viewCollectionView", &Cell::viewCollectionView);
}  // namespace

std::shared_ptr<MyCodeListCardTableViewCell> MyCodeListCardTableViewCell::create() {
  return std::make_shared<MyCodeListCardTableViewCell>();
}

MyCodeListCardTableViewCell::MyCodeListCardTableViewCell() : layout(PagedCollectionLayout::create()) {}

void MyCodeListCardTableViewCell::awakeFromNib() {
  UITableViewCell::awakeFromNib();
  auto strip = collectionView.lock();
  if (!strip) return;
  auto self = sharedAs<MyCodeListCardTableViewCell>();
  strip->setDelegate(self);
  strip->setDataSource(self);
  const auto& name = MyCodeCardItemCollectionViewCell::identifier;
  strip->registerNib(ios::UINib::create(name, resolveNibBundle(name, nullptr)), name);
  layout->itemSize = {SCREEN_WIDTH() - 16, strip->frame().size.height};
  layout->scrollDirection = ios::UICollectionViewScrollDirection::horizontal;
  strip->setCollectionViewLayout(layout);
  fitHeight();
}

void MyCodeListCardTableViewCell::fitHeight() {
  auto strip = collectionView.lock();
  if (auto height = heightViewCollectionView.lock(); height && strip)
    height->setConstant(strip->frame().size.width / 1600 * 849 + 30);
}

void MyCodeListCardTableViewCell::GetArrayCard(std::vector<std::shared_ptr<CardModel>> array) {
  arrayCard = std::move(array);
  fitHeight();
  const bool dots = arrayCard.size() <= maxDots;
  if (auto text = labelPage.lock()) text->setHidden(dots);
  if (auto control = pageController.lock()) {
    control->setHidden(!dots);
    if (dots) control->setNumberOfPages(static_cast<long>(arrayCard.size()));
  }
  clampPage();
  auto strip = collectionView.lock();
  if (!strip) return;
  auto weak = weakAs<MyCodeListCardTableViewCell>();
  reloadData(*strip, [weak] {
    if (auto self = weak.lock()) self->settle();
  });
}

void MyCodeListCardTableViewCell::clampPage() {
  if (arrayCard.empty() || layout->currentPage() < static_cast<ios::CGFloat>(arrayCard.size())) return;
  const ios::CGFloat last = static_cast<ios::CGFloat>(arrayCard.size() - 1);
  const ios::CGFloat offset = (layout->itemSize.width + layout->minimumInteritemSpacing) * last;
  layout->setCurrentPage(last);
  layout->setPreviousOffset(offset);
  if (auto strip = collectionView.lock()) strip->setContentOffset({offset, 0});
}

void MyCodeListCardTableViewCell::settle() {
  if (arrayCard.empty()) return;
  const auto page = static_cast<std::size_t>(layout->currentPage());
  if (arrayCard.size() <= maxDots) {
    if (auto control = pageController.lock()) control->setCurrentPage(static_cast<long>(page));
  } else if (auto text = labelPage.lock()) {
    text->setText(std::to_string(page + 1) + "/" + std::to_string(arrayCard.size()));
  }
  if (auto host = deledate.lock()) host->loadDetailCard(arrayCard.at(page));
}

int MyCodeListCardTableViewCell::numberOfItemsInSection(ios::UICollectionView&, int) {
  return static_cast<int>(arrayCard.size());
}

std::shared_ptr<ios::UICollectionViewCell> MyCodeListCardTableViewCell::cellForItemAt(ios::UICollectionView& strip,
                                                                                    const ios::IndexPath& indexPath) {
  auto item = strip.dequeueReusableCell<MyCodeCardItemCollectionViewCell>(
      MyCodeCardItemCollectionViewCell::identifier, indexPath);
  const auto& card = *arrayCard.at(static_cast<std::size_t>(indexPath.row));
  if (auto image = item->imageCard.lock()) ios::sd_setImage(*image, ios::URL::fromString(card.image), nullptr, 0, nullptr);
  if (auto number = item->labelCardNo.lock()) {
    number->setText(card.cardNoDisplay);
    number->setTextColor(colorWithRGBA(card.styleDto ? card.styleDto->rgb : "#FFFFFF"));
  }
  if (auto name = item->labelNameCard.lock()) name->setText(card.name);
  return item;
}

ios::CGSize MyCodeListCardTableViewCell::sizeForItemAt(ios::UICollectionView& strip, ios::UICollectionViewLayout&,
                                                       const ios::IndexPath&) {
  return strip.frame().size;
}

void MyCodeListCardTableViewCell::scrollViewDidEndDecelerating(ios::UIScrollView&) { settle(); }

}  // namespace kerbelin
