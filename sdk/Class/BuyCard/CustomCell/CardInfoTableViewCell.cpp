#include <Class/BuyCard/CustomCell/CardInfoTableViewCell.h>

#include <Class/BuyCard/Model/CardModel.h>
#include <CoreText/NSAttributedString.h>
#include <Foundation/ClassRegistry.h>

namespace kerbelin {

namespace {
using Cell = CardInfoTableViewCell;
const auto registration = ios::ClassRegistration<Cell, BaseTableCell>()
                              .property("viewShadow", &Cell::viewShadow)
                              .property("lbNameCard", &Cell::lbNameCard)
                              .property("lbCode", &Cell::lbCode)
                              .property("lbCurrentPrice", &Cell::lbCurrentPrice)
                              .property("lbOldPrice", &Cell::lbOldPrice)
                              .property("viewRadius", &Cell::viewRadius)
                              .property("viewMain", &Cell::viewMain)
                              .property("cstBottomMain", &Cell::cstBottomMain);
}  // namespace

std::shared_ptr<CardInfoTableViewCell> CardInfoTableViewCell::create() {
  return std::make_shared<CardInfoTableViewCell>();
}

CardInfoTableViewCell::CardInfoTableViewCell() = default;

void CardInfoTableViewCell::setCardModel(std::shared_ptr<CardModel> card) {
  cardModel_ = std::move(card);
  if (cardModel_) render(*cardModel_);
}

void CardInfoTableViewCell::render(const CardModel& card) {
  if (auto name = lbNameCard.lock()) name->setText(card.name);
  if (auto code = lbCode.lock()) code->setText(codePrefix + card.code);
  if (auto price = lbCurrentPrice.lock()) price->setText(card.price);
  auto old = lbOldPrice.lock();
  if (!old) return;
  if (card.priceNumber != card.listedPriceNumber) {
    old->setHidden(false);
    const auto& grey = ios::UIColor::lightGray()->cgColor();
    old->setAttributedText(ios::NSAttributedString::create(
        card.listedPrice, {{ios::NSAttributedStringKey::strikethroughStyle, ios::NSUnderlineStyle::single},
                           {ios::NSAttributedStringKey::font, ios::UIFont::systemFont(14)},
                           {ios::NSAttributedStringKey::strikethroughColor, grey},
                           {ios::NSAttributedStringKey::foregroundColor, grey}}));
  } else {
    old->setHidden(true);
    old->setAttributedText(nullptr);
  }
}

}  // namespace kerbelin
