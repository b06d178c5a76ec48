#include <Class/DetailCard/CustomView/Cell/HistoryService/HistoryServiceConditionTableViewCell.h>

#include <Class/DetailCard/Model/HistoryModel.h>
#include <Class/DetailCard/Model/OwnAccountDtosModel.h>
#include <CoreText/NSMutableAttributedString.h>
#include <CoreText/NSMutableParagraphStyle.h>
#include <Foundation/ClassRegistry.h>
#include <Ultilities/Extensions/AttributedStringExtension.h>
#include <Ultilities/Extensions/StringExtension.h>
#include <Ultilities/Extensions/UIColorExtension.h>

namespace kerbelin {

namespace {
using Cell = HistoryServiceConditionTableViewCell;
const auto registration = ios::ClassRegistration<Cell, ios::UITableViewCell>()
                              .property("conditionLabel", &Cell::conditionLabel)
                              .property("dateLabel", &Cell::dateLabel)
                              .property("value1Label", &Cell::value1Label)
                              .property("value2Label", &Cell::value2Label);
}  // namespace

std::shared_ptr<HistoryServiceConditionTableViewCell> HistoryServiceConditionTableViewCell::create() {
  return std::make_shared<HistoryServiceConditionTableViewCell>();
}

HistoryServiceConditionTableViewCell::HistoryServiceConditionTableViewCell()
    : UITableViewCell(ios::UITableViewCellStyle::default_, identifier) {}

std::string HistoryServiceConditionTableViewCell::addBr(const std::string& text) { return text + "<br />"; }

void HistoryServiceConditionTableViewCell::setHistoryModel(std::shared_ptr<HistoryModel> model) {
  historyModel_ = std::move(model);
  fill();
}

void HistoryServiceConditionTableViewCell::fill() {
  if (!historyModel_) return;
  fillBadge();
  if (auto date = dateLabel.lock()) date->setText(historyModel_->expirationDate);
  const auto& accounts = historyModel_->ownAccountDtos;
  const OwnAccountDtosModel* account = accounts.empty() ? nullptr : accounts.front().get();
  const std::string source =
      historyModel_->usageDescription.value_or(account ? account->allocatedUnit : std::string());
  auto rich = htmlToAttributedString(convertHtml(addBr(source), 15));
  if (rich) {
    auto style = ios::NSMutableParagraphStyle::create();
    style->alignment = ios::NSTextAlignment::right;
    rich->addAttribute(ios::NSAttributedStringKey::paragraphStyle, style, {0, rich->length()});
  }
  if (auto value = value1Label.lock()) value->setAttributedText(rich);
  if (auto value = value2Label.lock()) {
    value->setText(account ? std::optional(account->availableUnit) : std::nullopt);
  }
}

void HistoryServiceConditionTableViewCell::fillBadge() {
  auto badge = conditionLabel.lock();
  if (!badge) return;
  if (historyModel_->type == TypeDetailCard::Paid) {
    badge->setText("   Còn hiệu lực   ");
    badge->setTextColor(ios::UIColor::white());
    badge->setBackgroundColor(colorWithRGBA("#4DAF50"));
  } else if (historyModel_->type == TypeDetailCard::Expire) {
    badge->setText("   Hết hiệu lực   ");
    badge->setTextColor(colorWithRGBA("#8A8A8A"));
    badge->setBackgroundColor(colorWithRGBA("#DEDEDE"));
  }
}

}  // namespace kerbelin
