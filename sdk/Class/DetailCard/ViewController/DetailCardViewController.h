#pragma once

#include <Class/DetailCard/CustomView/Cell/DetailCardCell/DetailCardConditionWaitPayTableViewCell/DetailCardConditionWaitPayTableViewCell.h>
#include <Class/DetailCard/CustomView/Cell/DetailCardCell/DetailCardCoverTableViewCell/DetailCardCoverTableViewCell.h>
#include <Class/DetailCard/CustomView/Cell/DetailCardCell/DetailCardInfomationServiceTableViewCell/DetailCardInfomationServiceTableViewCell.h>
#include <Class/DetailCard/CustomView/Cell/DetailCardCell/DetailCardInfomationTableViewCell/DetailCardInfomationTableViewCell.h>
#include <Class/DetailCard/CustomView/Cell/DetailCardCell/DetailCardPromotionTableViewCell/DetailCardPromotionTableViewCell.h>
#include <Class/DetailCard/CustomView/Cell/DetailCardCell/DetailCardTabTableViewCell/DetailCardTabTableViewCell.h>
#include <Class/MyCode/Cell/MyCodeInfomationServiceTableViewCell.h>
#include <Class/MyCode/PopupQRController/ContainerFloatingQRCodeViewController.h>
#include <Foundation/Bundle.h>
#include <Foundation/Dictionary.h>
#include <UIKit/UITableView.h>
#include <UIKit/UIViewController.h>
#include <Ultilities/Enums/Enums.h>
#include <Ultilities/lib/WSLoadingView.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kerbelin {

class BaseModel;
class CardModel;
class DefServiceDtos;

// One card, for sale (opened from the store) or owned (from my cards): its detail is asked for once
// when the view loads, and the table's sections follow the card's state:
//   WaitPay  Cover, [Infomation], [Promotion], ConditionWait, [InfomationService]
//   Expire   Condition, [Infomation], [Promotion], [InfomationService]
//   UnPaid   Cover, [Infomation], [Promotion], [InfomationService]
//   Paid     Condition, [Infomation], [Promotion], [InfomationService]
// a bracketed section only when the card has a root service, promotions, or services or terms.
// The buy bar shows for a card for sale once its detail has arrived. Every tap that leaves the
// screen goes through HandlePush; the QR sheet and the share sheet are presented here.
//
// A failed or unusable reply leaves an empty table and takes the loading indicator away. An index
// handed back by a row that lies outside the card's lists is ignored.
class DetailCardViewController : public ios::UIViewController,
                                 public ios::UITableViewDataSource,
                                 public ios::UITableViewDelegate,
                                 public DetailCardTabTableViewCellDelegate,
                                 public DetailCardInfomationServiceTableViewCellDelegate,
                                 public MyCodeInfomationServiceTableViewCellDelegate,
                                 public DetailCardInfomationTableViewCellDelegate,
                                 public DetailCardPromotionTableViewCellDelegate,
                                 public DetailCardConditionWaitPayTableViewCellDelegate,
                                 public DetailCardCoverTableViewCellDelegate,
                                 public ContainerFloatingQRCodeViewControllerDelegate {
 public:
  static constexpr ios::CGFloat coverHeight = 335;
  static constexpr ios::CGFloat sectionHeaderHeight = 56;
  static constexpr ios::CGFloat promotionFooterHeight = 12;
  // A section without a header or footer view.
  static constexpr ios::CGFloat noSectionView = 0.1;

  // `init(nibName:bundle:)`; without a bundle the nib is found as NibBundle.h says.
  static std::shared_ptr<DetailCardViewController> create(std::optional<std::string> nibName = std::nullopt,
                                                          std::shared_ptr<ios::Bundle> bundle = nullptr);
  DetailCardViewController(std::optional<std::string> nibName, std::shared_ptr<ios::Bundle> bundle);

  void viewDidLoad() override;

  std::weak_ptr<ios::UITableView> tableView;
  std::weak_ptr<ios::UIView> buyCardView;
  TypeDetailCard type = TypeDetailCard::UnPaid;
  std::vector<TypeCellDetailCard> listSection;
  TypeDetailCardTabAction typeTabAction = TypeDetailCardTabAction::InfoButton;
  std::shared_ptr<CardModel> cardModel;
  // Inputs, set by the router before the view loads.
  std::shared_ptr<BaseModel> baseModel;
  std::optional<TypeController> typeController;

  // Delegate and data source, the twelve row nibs.
  void configTableView();
  // The buy bar and the table's bottom inset by `type`.
  void confgUI();
  // Appends the sections of the card's state and reloads the table.
  void addCell();
  // Asks for the detail: "/def-card/detail/req" with "code" for the store, "/own-card/detail/req"
  // with "cardNo", "mobilePhone" and "isPaid" (true for my codes) otherwise.
  void getDataDetail();
  void backButtonClicked();
  // Opens the order screen for the detail's code; nothing before the detail has arrived.
  void buyCardButtonClicked();

  // ---- Table
  int numberOfSections(ios::UITableView& tableView) override;
  int numberOfRowsInSection(ios::UITableView& tableView, int section) override;
  std::shared_ptr<ios::UITableViewCell> cellForRowAt(ios::UITableView& tableView,
                                                     const ios::IndexPath& indexPath) override;
  ios::CGFloat heightForRowAt(ios::UITableView& tableView, const ios::IndexPath& indexPath) override;
  std::shared_ptr<ios::UIView> viewForHeaderInSection(ios::UITableView& tableView, int section) override;
  ios::CGFloat heightForHeaderInSection(ios::UITableView& tableView, int section) override;
  std::shared_ptr<ios::UIView> viewForFooterInSection(ios::UITableView& tableView, int section) override;
  ios::CGFloat heightForFooterInSection(ios::UITableView& tableView, int section) override;
  void didSelectRowAt(ios::UITableView& tableView, const ios::IndexPath& indexPath) override;

  // ---- What the rows and the QR sheet report
  void tabAction(TypeDetailCardTabAction type) override;
  void detailAction(int index) override;
  void detailInfomationServiceAction(int index) override;
  void detailCardInfomationAction() override;
  void tutorialAction() override;
  void tutorialPayAction() override;
  void qrCodeAction() override;
  void shareQRcode(const std::string& qr) override;

 private:
  void applyDetail(const ios::Dictionary& reply, const std::string& key);
  std::optional<TypeCellDetailCard> kindOf(int section) const;
  // The services the section lists in the screen's state.
  const std::vector<std::shared_ptr<DefServiceDtos>>* serviceList() const;
  // Entry `index` of the card's owned (or offered) services; null outside the list.
  std::shared_ptr<DefServiceDtos> ownService(int index) const;
  std::shared_ptr<DefServiceDtos> offeredService(int index) const;
  bool showsRuleRow() const;
  std::shared_ptr<ios::UITableViewCell> serviceCell(ios::UITableView& tableView, int row);
  std::optional<TypeDetailCard> cardType() const;
  void openRootService();
  void openService(int index);

  WSLoadingView::Token overlay_;
};

}  // namespace kerbelin
