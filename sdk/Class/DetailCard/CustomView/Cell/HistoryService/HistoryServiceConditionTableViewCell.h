#pragma once

#include <UIKit/UILabel.h>
#include <UIKit/UITableViewCell.h>

#include <memory>
#include <string>

namespace kerbelin {

class HistoryModel;

// The usage history's summary of the service: a validity badge, the expiry date, the usage
// description (or, without one, the allocated limit) as right-aligned rich text, and the balance.
// Every assignment of the model fills the row again; none leaves it as it is.
class HistoryServiceConditionTableViewCell : public ios::UITableViewCell {
 public:
  static constexpr char identifier[] = "HistoryServiceConditionTableViewCell";

  static std::shared_ptr<HistoryServiceConditionTableViewCell> create();
  HistoryServiceConditionTableViewCell();

  std::weak_ptr<ios::UILabel> conditionLabel;
  std::weak_ptr<ios::UILabel> dateLabel;
  std::weak_ptr<ios::UILabel> value1Label;
  std::weak_ptr<ios::UILabel> value2Label;

  const std::shared_ptr<HistoryModel>& historyModel() const { return historyModel_; }
  void setHistoryModel(std::shared_ptr<HistoryModel> model);

  // `text` followed by a line break tag.
  static std::string addBr(const std::string& text);

 private:
  void fill();
  void fillBadge();

  std::shared_ptr<HistoryModel> historyModel_;
};

}  // namespace kerbelin
