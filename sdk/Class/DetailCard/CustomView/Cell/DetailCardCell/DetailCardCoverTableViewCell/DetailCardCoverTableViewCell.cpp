#include <Class/DetailCard/CustomView/Cell/DetailCardCell/DetailCardCoverTableViewCell/DetailCardCoverTableViewCell.h>

#include <Class/BuyCard/Model/CardModel.h>
#include <Class/DetailCard/CustomView/Cell/DetailCardCell/StruckText.h>
#include <Foundation/ClassRegistry.h>
#include <Foundation/URL.h>
#include <WebImage/UIImageViewWebCache.h>

namespace kerbelin {

namespace {
using Cell = DetailCardCoverTableViewCell;
const auto registration = ios::ClassRegistration<Cell, ios::UITableViewCell>()
                              .property("coverImageView", &Cell::coverImageView)
                              .property("titleLabel", &Cell::titleLabel)
                              .property("codeLabel", &Cell::codeLabel)
                              .property("priceLabel1", &Cell::priceLabel1)
                              .property("priceLabel2", &Cell::priceLabel2)
                              .property("qrButton", &Cell::qrButton)
                              .property("discountView", &Cell::discountView)
                              .property("disCountLabel", &Cell::disCountLabel)
                              .property("disCountBg", &Cell::disCountBg)
                              .method("qrButtonClicked:", &Cell::qrButtonClicked);

std::string codeLine(const std::string& code) { return "  Mã sản phẩm: " + code + "   "; }
}  // namespace

std::shared_ptr<DetailCardCoverTableViewCell> DetailCardCoverTableViewCell::create() {
  return std::make_shared<DetailCardCoverTableViewCell>();
}

DetailCardCoverTableViewCell::DetailCardCoverTableViewCell() = default;

void DetailCardCoverTableViewCell::setCardModel(std::shared_ptr<CardModel> card) {
  cardModel_ = std::move(card);
  if (!cardModel_) return;
  const CardModel& shown = *cardModel_;
  if (auto cover = coverImageView.lock()) ios::sd_setImage(*cover, ios::URL::fromString(shown.image));
  if (auto title = titleLabel.lock()) title->setText(shown.name);
  if (auto price = priceLabel1.lock()) price->setText(shown.price);
  auto listed = priceLabel2.lock();
  if (listed) listed->setAttributedText(struckText(shown.listedPrice));
  if (auto badge = discountView.lock()) badge->setTransform(ios::CGAffineTransform::rotation(discountAngle));
  auto code = codeLabel.lock();
  auto badgeText = disCountLabel.lock();
  if (shown.type != TypeDetailCard::UnPaid) {
    if (code) code->setText(codeLine(shown.defCardCode));
    if (badgeText) badgeText->setText(shown.discount);
    return;
  }
  if (listed) listed->setHidden(shown.priceNumber == shown.listedPriceNumber);
  if (code) code->setText(codeLine(shown.code));
  if (shown.discountValueNumber == 0) {
    if (auto background = disCountBg.lock()) background->setHidden(true);
    if (auto badge = discountView.lock()) badge->setHidden(true);
  }
  if (badgeText) badgeText->setText(shown.discountValue);
}

void DetailCardCoverTableViewCell::qrButtonClicked() {
  if (auto host = delegate.lock()) host->qrCodeAction();
}

}  // namespace kerbelin
