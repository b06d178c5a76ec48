#pragma once

#include <UIKit/UILabel.h>
#include <UIKit/UITableViewCell.h>

#include <memory>
#include <string>

namespace kerbelin {

// A title and a value on a panel: the order screen's value rows and its payment-method row. The
// screen writes the labels and the panel's colour.
class InfoPaymentTableViewCell : public ios::UITableViewCell {
 public:
  static constexpr char identifier[] = "InfoPaymentTableViewCell";

  static std::shared_ptr<InfoPaymentTableViewCell> create();

  std::weak_ptr<ios::UILabel> titleLabel;
  std::weak_ptr<ios::UILabel> desLabel;
  std::weak_ptr<ios::UIView> viewContent;
};

}  // namespace kerbelin
