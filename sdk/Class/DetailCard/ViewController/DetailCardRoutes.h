#pragma once

#include <Class/DetailCard/CustomView/Cell/DetailCardCell/DetailCardConditionWaitPayTableViewCell/DetailCardConditionWaitPayTableViewCell.h>
#include <Class/DetailCard/CustomView/Cell/DetailCardCell/DetailCardCoverTableViewCell/DetailCardCoverTableViewCell.h>
#include <Class/DetailCard/CustomView/Cell/DetailCardCell/DetailCardInfomationServiceTableViewCell/DetailCardInfomationServiceTableViewCell.h>
#include <Class/DetailCard/CustomView/Cell/DetailCardCell/DetailCardInfomationTableViewCell/DetailCardInfomationTableViewCell.h>
#include <Class/DetailCard/CustomView/Cell/DetailCardCell/DetailCardPromotionTableViewCell/DetailCardPromotionTableViewCell.h>
#include <Class/MyCode/Cell/MyCodeInfomationServiceTableViewCell.h>
#include <Class/MyCode/PopupQRController/ContainerFloatingQRCodeViewController.h>
#include <UIKit/UIViewController.h>
#include <Ultilities/Enums/Enums.h>

#include <memory>
#include <optional>
#include <string>

namespace kerbelin {

class CardModel;
class DefServiceDtos;

// Where the card detail's rows lead, and the sheets they open over it: the delegate of every row and
// of the QR sheet. A service opens its own screen while the card is for sale or awaiting payment, and
// the container of its detail and usage history once the card is paid or expired; the root service
// likewise. The guides, the card's QR sheet and the share sheet open from the detail.
//
// It reads the card the detail shows, `card`; an index outside the card's lists, a missing card's
// service, or a detail that is gone opens nothing.
class DetailCardRoutes : public DetailCardInfomationServiceTableViewCellDelegate,
                         public MyCodeInfomationServiceTableViewCellDelegate,
                         public DetailCardInfomationTableViewCellDelegate,
                         public DetailCardPromotionTableViewCellDelegate,
                         public DetailCardConditionWaitPayTableViewCellDelegate,
                         public DetailCardCoverTableViewCellDelegate,
                         public ContainerFloatingQRCodeViewControllerDelegate,
                         public std::enable_shared_from_this<DetailCardRoutes> {
 public:
  explicit DetailCardRoutes(std::weak_ptr<ios::UIViewController> detail);

  std::shared_ptr<CardModel> card;

  void openRootService();
  // Service `index` of the list the card's state shows.
  void openService(int index);

  // A not-yet-paid card's service row: its service; nothing for a paid or expired card.
  void detailAction(int index) override;
  // An owned service row: its container.
  void detailInfomationServiceAction(int index) override;
  void detailCardInfomationAction() override;
  void tutorialAction() override;
  void tutorialPayAction() override;
  // The card's fixed code: its product code while for sale, its card code once owned.
  void qrCodeAction() override;
  void shareQRcode(const std::string& qr) override;

 private:
  std::optional<TypeDetailCard> cardType() const;
  std::shared_ptr<DefServiceDtos> ownService(int index) const;

  std::weak_ptr<ios::UIViewController> detail_;
};

}  // namespace kerbelin
