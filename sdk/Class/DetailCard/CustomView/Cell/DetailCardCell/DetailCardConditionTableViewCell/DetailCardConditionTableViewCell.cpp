#include <Class/DetailCard/CustomView/Cell/DetailCardCell/DetailCardConditionTableViewCell/DetailCardConditionTableViewCell.h>

#include <Class/BuyCard/Model/CardModel.h>
#include <Foundation/ClassRegistry.h>
#include <Ultilities/Common/Common.h>
#include <Ultilities/Extensions/UIColorExtension.h>

namespace kerbelin {

namespace {
using Cell = DetailCardConditionTableViewCell;
const auto registration = ios::ClassRegistration<Cell, ios::UITableViewCell>()
                              .property("cardNumberLabel", &Cell::cardNumberLabel)
                              .property("conditionLabel", &Cell::conditionLabel)
                              .property("codeLabel", &Cell::codeLabel)
                              .property("datePaidLabel", &Cell::datePaidLabel)
                              .property("containerView", &Cell::containerView);

void badge(ios::UILabel& label, const std::string& text, std::shared_ptr<ios::UIColor> textColor,
           std::shared_ptr<ios::UIColor> background) {
  label.setText(text);
  label.setTextColor(std::move(textColor));
  label.setBackgroundColor(std::move(background));
}
}  // namespace

std::shared_ptr<DetailCardConditionTableViewCell> DetailCardConditionTableViewCell::create() {
  return std::make_shared<DetailCardConditionTableViewCell>();
}

DetailCardConditionTableViewCell::DetailCardConditionTableViewCell() = default;

void DetailCardConditionTableViewCell::awakeFromNib() {
  UITableViewCell::awakeFromNib();
  if (auto container = containerView.lock()) Common::SetShadowAndcornerRadiusView(*container, 8);
}

void DetailCardConditionTableViewCell::setCardModel(std::shared_ptr<CardModel> card) {
  cardModel_ = std::move(card);
  if (!cardModel_) return;
  if (auto number = cardNumberLabel.lock()) number->setText(cardModel_->cardNo);
  if (auto code = codeLabel.lock()) code->setText(cardModel_->transactionCode);
  if (auto paid = datePaidLabel.lock()) paid->setText(cardModel_->paymentTime);
  auto condition = conditionLabel.lock();
  if (!condition) return;
  if (cardModel_->type == TypeDetailCard::Paid) {
    badge(*condition, validText, ios::UIColor::white(), colorWithRGBA("#4DAF50"));
  } else if (cardModel_->type == TypeDetailCard::Expire) {
    badge(*condition, expiredText, colorWithRGBA("#8A8A8A"), colorWithRGBA("#DEDEDE"));
  }
}

}  // namespace kerbelin
