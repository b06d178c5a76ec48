#pragma once

#include <Class/DetailCard/CustomView/Cell/DetailCardCell/DetailCardTabTableViewCell/DetailCardTabTableViewCell.h>
#include <Class/DetailCard/Model/DetailCardTableModel.h>
#include <Class/DetailCard/ViewController/DetailCardRoutes.h>
#include <Foundation/Bundle.h>
#include <Foundation/Dictionary.h>
#include <UIKit/UITableView.h>
#include <UIKit/UIViewController.h>
#include <Ultilities/Enums/Enums.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kerbelin {

class BaseModel;
class CardModel;

// One card, for sale (opened from the store) or owned (from my cards): its detail is asked for once
// when the view loads (DetailCardRequest), and the table's sections follow the card's state and the
// selected tab (DetailCardTableModel):
//   WaitPay  Cover, [Infomation], [Promotion], ConditionWait, [InfomationService]
//   Expire   Condition, [Infomation], [Promotion], [InfomationService]
//   UnPaid   Cover, [Infomation], [Promotion], [InfomationService]
//   Paid     Condition, [Infomation], [Promotion], [InfomationService]
// a bracketed section only when the card has a root service, promotions, or services or terms.
// The buy bar shows for a card for sale once its detail has arrived. Where the rows lead, and the QR
// and share sheets, are DetailCardRoutes'.
//
// A failed or unusable reply leaves an empty table and takes the loading indicator away. An index
// handed back by a row that lies outside the card's lists is ignored.
class DetailCardViewController : public ios::UIViewController,
                                 public ios::UITableViewDataSource,
                                 public ios::UITableViewDelegate,
                                 public DetailCardTabTableViewCellDelegate {
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
  // Sets the sections of the card's state and reloads the table.
  void addCell();
  // Asks for the detail the opening list names.
  void getDataDetail();
  void backButtonClicked();
  // Opens the order screen for the detail's code; nothing before the detail has arrived.
  void buyCardButtonClicked();
  // What a service row's detail button reports: see DetailCardRoutes.
  void detailAction(int index);
  void detailInfomationServiceAction(int index);

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

  // The tab row: the services or the terms.
  void tabAction(TypeDetailCardTabAction type) override;

 private:
  void applyDetail(std::shared_ptr<CardModel> card);
  void updateSections();
  const DetailCardSection* sectionAt(int section) const;
  std::shared_ptr<ios::UITableViewCell> cellFor(ios::UITableView& tableView, DetailCardRow kind, int row);
  std::shared_ptr<ios::UITableViewCell> serviceCell(ios::UITableView& tableView, int row);
  std::shared_ptr<ios::UITableViewCell> ownedServiceCell(ios::UITableView& tableView, int row);
  std::shared_ptr<ios::UIView> headerFor(ios::UITableView& tableView, DetailCardHeader kind);
  void reloadTable();


  std::vector<DetailCardSection> sections_;
  std::shared_ptr<DetailCardRoutes> routes_;
};

}  // namespace kerbelin
