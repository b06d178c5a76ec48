#pragma once

#include <UIKit/UIButton.h>
#include <UIKit/UIColor.h>
#include <UIKit/UIImageView.h>
#include <UIKit/UILabel.h>
#include <UIKit/UITableViewCell.h>
#include <UIKit/UIViewController.h>

#include <memory>
#include <optional>
#include <string>

namespace kerbelin {

class DefServiceDtos;

// What a host learns of a service row: its detail button was tapped. `index` is the button's tag,
// which the host set to the service's index in its list.
class MyCodeInfomationServiceTableViewCellDelegate {
 public:
  virtual ~MyCodeInfomationServiceTableViewCellDelegate() = default;
  virtual void detailInfomationServiceAction(int index) = 0;
};

// One service of an owned card: name, provider logo, limits granted and left, expiry and a validity
// badge, with a detail button (told to `delegate`), a QR button (the service's time-limited code in
// the QR panel, presented from `rootViewController`) and a provider button (the provider's page).
//
// Each fill starts from the nib's own value texts and badge, so a reused row never shows another
// service's limits or validity.
class MyCodeInfomationServiceTableViewCell : public ios::UITableViewCell {
 public:
  static constexpr char identifier[] = "MyCodeInfomationServiceTableViewCell";
  static constexpr char validText[] = "Còn hiệu lực";
  static constexpr char expiredText[] = "Hết hiệu lực";

  static std::shared_ptr<MyCodeInfomationServiceTableViewCell> create();
  MyCodeInfomationServiceTableViewCell();

  // Remembers the nib's value texts and badge.
  void awakeFromNib() override;

  // Held weakly: the host screen owns the table that owns this row.
  std::weak_ptr<ios::UIViewController> rootViewController;
  std::weak_ptr<MyCodeInfomationServiceTableViewCellDelegate> delegate;
  std::weak_ptr<ios::UIView> viewContent;
  std::weak_ptr<ios::UIView> viewIcon;
  std::weak_ptr<ios::UILabel> valueLabel1;  // limit granted, or the usage description
  std::weak_ptr<ios::UILabel> valueLabel2;  // limit left
  std::weak_ptr<ios::UILabel> valueLabel3;  // expiry date
  std::weak_ptr<ios::UIButton> buttonAction;
  std::weak_ptr<ios::UIImageView> imageIconService;
  std::weak_ptr<ios::UIView> viewEffect;
  std::weak_ptr<ios::UILabel> labelEffect;
  std::weak_ptr<ios::UILabel> nameLabel;
  std::weak_ptr<ios::UIButton> detailButton;
  std::shared_ptr<DefServiceDtos> objOwnServiceDetail;

  // Shows `obj` and keeps it for the QR and provider buttons.
  void getDataServiceDetail(const std::shared_ptr<DefServiceDtos>& obj);

  // Button actions.
  void detailButtonClicked(const std::shared_ptr<ios::UIButton>& sender);
  void pressedShowQR();
  void pressedGoToShopService();

 private:
  void restoreNibLook();

  struct NibLook {
    std::optional<std::string> value1, value2, effect;
    std::shared_ptr<ios::UIColor> effectTextColor, effectBackground;
  } nibLook_;
};

}  // namespace kerbelin
