#pragma once

#include <UIKit/UILabel.h>
#include <UIKit/UITableViewCell.h>

#include <memory>
#include <string>

namespace kerbelin {

// A section title of the order screen, dequeued from the table and shown as the section's header.
// The screen writes the label.
class HeaderPaymentTableViewCell : public ios::UITableViewCell {
 public:
  static constexpr char identifier[] = "HeaderPaymentTableViewCell";

  static std::shared_ptr<HeaderPaymentTableViewCell> create();

  std::weak_ptr<ios::UILabel> titleLabel;
};

}  // namespace kerbelin
