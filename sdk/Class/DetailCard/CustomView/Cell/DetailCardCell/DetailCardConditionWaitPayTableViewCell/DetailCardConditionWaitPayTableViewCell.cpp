#include <Class/DetailCard/CustomView/Cell/DetailCardCell/DetailCardConditionWaitPayTableViewCell/DetailCardConditionWaitPayTableViewCell.h>

#include <Class/BuyCard/Model/CardModel.h>
#include <Foundation/ClassRegistry.h>
#include <Ultilities/Common/Common.h>

namespace kerbelin {

namespace {
using Cell = DetailCardConditionWaitPayTableViewCell;
const auto registration = ios::ClassRegistration<Cell, ios::UITableViewCell>()
                              .property("codeLabel", &Cell::codeLabel)
                              .property("payLabel", &Cell::payLabel)
                              .property("containerView", &Cell::containerView)
                              .method("tutorialPayButtonClicked:", &Cell::tutorialPayButtonClicked);
}  // namespace

std::shared_ptr<DetailCardConditionWaitPayTableViewCell> DetailCardConditionWaitPayTableViewCell::create() {
  return std::make_shared<DetailCardConditionWaitPayTableViewCell>();
}

DetailCardConditionWaitPayTableViewCell::DetailCardConditionWaitPayTableViewCell() = default;

void DetailCardConditionWaitPayTableViewCell::awakeFromNib() {
  UITableViewCell::awakeFromNib();
  if (auto container = containerView.lock()) Common::SetShadowAndcornerRadiusView(*container, 8);
}

void DetailCardConditionWaitPayTableViewCell::setCardModel(std::shared_ptr<CardModel> card) {
  cardModel_ = std::move(card);
  if (!cardModel_) return;
  if (auto code = codeLabel.lock()) code->setText(cardModel_->transactionCode);
}

void DetailCardConditionWaitPayTableViewCell::tutorialPayButtonClicked() {
  if (auto host = delegate.lock()) host->tutorialPayAction();
}

}  // namespace kerbelin
