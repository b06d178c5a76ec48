#include <Class/Pay/Cell/TermsAndConditionPayTableViewCell.h>

#include <Class/Pay/Model/PaymentModel.h>
#include <Class/Pay/PaymentHtml.h>
#include <Foundation/ClassRegistry.h>
#include <Ultilities/Extensions/AttributedStringExtension.h>

namespace kerbelin {

namespace {
using Cell = TermsAndConditionPayTableViewCell;
const auto registration =
    ios::ClassRegistration<Cell, ios::UITableViewCell>().property("guildeLabel", &Cell::guildeLabel);
}  // namespace

std::shared_ptr<TermsAndConditionPayTableViewCell> TermsAndConditionPayTableViewCell::create() {
  return std::make_shared<TermsAndConditionPayTableViewCell>();
}

void TermsAndConditionPayTableViewCell::setData(const PaymentModel& paymentModel) {
  auto text = htmlToAttributedString(paymentHtml(paymentModel.usageTerms.value_or("")));
  auto label = guildeLabel.lock();
  if (text && label) label->setAttributedText(text);
}

}  // namespace kerbelin
