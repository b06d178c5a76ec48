#pragma once

#include <UIKit/UIButton.h>
#include <UIKit/UIImageView.h>
#include <UIKit/UILabel.h>
#include <UIKit/UITableViewCell.h>

#include <memory>
#include <string>

namespace kerbelin {

class DefServiceDtos;

// What the card detail learns of a service row: its detail button, tagged with the row's index,
// was tapped.
class DetailCardInfomationServiceTableViewCellDelegate {
 public:
  virtual ~DetailCardInfomationServiceTableViewCellDelegate() = default;
  virtual void detailAction(int index) = 0;
};

// One service of a card for sale or awaiting payment: name, "unit price x unit", terms as rich text,
// price beside the struck listed price, the expiry and the provider's logo. A service for sale (its
// own state UnPaid) shows its name, first unit and "usageDesciption"; any other shows its service
// name, first account's granted units and "usageDescription". Setting none changes nothing.
class DetailCardInfomationServiceTableViewCell : public ios::UITableViewCell {
 public:
  static constexpr char identifier[] = "DetailCardInfomationServiceTableViewCell";

  static std::shared_ptr<DetailCardInfomationServiceTableViewCell> create();
  DetailCardInfomationServiceTableViewCell();

  // Rounds and shadows `containerView` (corner radius 8).
  void awakeFromNib() override;

  std::weak_ptr<ios::UILabel> titleLabel;
  std::weak_ptr<ios::UIButton> detailButton;
  std::weak_ptr<ios::UILabel> priceLabel;
  std::weak_ptr<ios::UILabel> priceLabel1;
  std::weak_ptr<ios::UILabel> priceLabel2;
  std::weak_ptr<ios::UILabel> expiredDateLabel;
  std::weak_ptr<ios::UILabel> termLabel;
  std::weak_ptr<ios::UIImageView> iconImageView;
  std::weak_ptr<ios::UIView> containerView;
  // Held weakly: the screen owns the table that owns this row.
  std::weak_ptr<DetailCardInfomationServiceTableViewCellDelegate> delegate;

  const std::shared_ptr<DefServiceDtos>& defServiceDtos() const { return service_; }
  void setDefServiceDtos(std::shared_ptr<DefServiceDtos> service);

  void detailButtonClicked(const std::shared_ptr<ios::UIButton>& sender);

 private:
  std::shared_ptr<DefServiceDtos> service_;
};

}  // namespace kerbelin
