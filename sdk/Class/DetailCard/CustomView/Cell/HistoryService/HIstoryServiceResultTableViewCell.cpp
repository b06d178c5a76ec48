#include <Class/DetailCard/CustomView/Cell/HistoryService/HIstoryServiceResultTableViewCell.h>

#include <Class/DetailCard/Model/AccountEntryDtos.h>
#include <Foundation/ClassRegistry.h>
#include <Ultilities/Extensions/UIColorExtension.h>

namespace kerbelin {

namespace {
using Cell = HIstoryServiceResultTableViewCell;
const auto registration = ios::ClassRegistration<Cell, ios::UITableViewCell>()
                              .property("dateView", &Cell::dateView)
                              .property("Value1View", &Cell::Value1View)
                              .property("Value2View", &Cell::Value2View)
                              .property("dateLabel", &Cell::dateLabel)
                              .property("value1Label", &Cell::value1Label)
                              .property("value2Label", &Cell::value2Label);
}  // namespace

std::shared_ptr<HIstoryServiceResultTableViewCell> HIstoryServiceResultTableViewCell::create() {
  return std::make_shared<HIstoryServiceResultTableViewCell>();
}

HIstoryServiceResultTableViewCell::HIstoryServiceResultTableViewCell()
    : UITableViewCell(ios::UITableViewCellStyle::default_, identifier) {}

void HIstoryServiceResultTableViewCell::setAccountEntryDtos(std::shared_ptr<AccountEntryDtos> entry) {
  accountEntryDtos_ = std::move(entry);
  if (!accountEntryDtos_) return;
  const bool usage = accountEntryDtos_->transType == TranType::Usage;
  if (auto amount = value1Label.lock()) {
    amount->setTextColor(colorWithRGBA(usage ? "#FD243A" : "#53B86C"));
    amount->setText(accountEntryDtos_->amountUnit);
  }
  if (auto date = dateLabel.lock()) date->setText(accountEntryDtos_->entryTime);
  if (auto balance = value2Label.lock()) balance->setText(accountEntryDtos_->availableAfterUnit);
}

}  // namespace kerbelin
