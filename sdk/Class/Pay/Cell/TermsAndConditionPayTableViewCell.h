#pragma once

#include <UIKit/UILabel.h>
#include <UIKit/UITableViewCell.h>

#include <memory>
#include <string>

namespace kerbelin {

class PaymentModel;

// The one row of the terms sheet: the order's usage terms rendered from HTML.
class TermsAndConditionPayTableViewCell : public ios::UITableViewCell {
 public:
  static constexpr char identifier[] = "TermsAndConditionPayTableViewCell";

  static std::shared_ptr<TermsAndConditionPayTableViewCell> create();

  // Shows `paymentModel.usageTerms` ("" when absent) in a 16px body of the system font family; when
  // the HTML cannot be read the label keeps what it showed.
  void setData(const PaymentModel& paymentModel);

  std::weak_ptr<ios::UILabel> guildeLabel;
};

}  // namespace kerbelin
