#pragma once

#include <Class/DetailCard/CustomView/Cell/DetailServiceCell/DetailServiceContentTableViewCell.h>
#include <Foundation/Bundle.h>
#include <UIKit/NSLayoutConstraint.h>
#include <UIKit/UILabel.h>
#include <UIKit/UITableView.h>
#include <UIKit/UIViewController.h>
#include <Ultilities/Enums/Enums.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kerbelin {

class DefServiceDtos;

// A service's prices, limits and expiry: a header row with the service's name and state, one
// label / icon / value row per fact, and a row with its description.
//
// Which facts are listed, and from which fields, depends on whether the screen shows a card's own
// information (`isDetailCard`), on the state of the card that holds the service (`parentType`) and
// on the service's own state. Everything comes from `defServiceDtos`, read once when the view loads:
// the screen sends no request. It shows its own bar (back button and title) when opened by itself;
// as the first page of the service container, for a paid or expired card, the container's bar serves.
class DetailServiceViewController : public ios::UIViewController,
                                    public ios::UITableViewDataSource,
                                    public ios::UITableViewDelegate {
 public:
  // `init(nibName:bundle:)`; without a bundle the nib is found as NibBundle.h says.
  static std::shared_ptr<DetailServiceViewController> create(
      std::optional<std::string> nibName = std::nullopt, std::shared_ptr<ios::Bundle> bundle = nullptr);
  DetailServiceViewController(std::optional<std::string> nibName, std::shared_ptr<ios::Bundle> bundle);

  static constexpr char textUnitPrice[] = "Giá mỗi lần sử dụng";
  static constexpr char textLimitUsage[] = "Hạn mức";
  static constexpr char textListedPrice[] = "Giá niêm yết";
  static constexpr char textPrice[] = "Giá khách hàng thanh toán";
  static constexpr char textLimitDetailDescription[] = "Hạn mức được sử dụng";
  static constexpr char textExpiryDate[] = "Hạn sử dụng";
  static constexpr char textAllocatedUnit[] = "Hạn mức đã cấp";
  static constexpr char textAvailableUnit[] = "Hạn mức còn lại";
  // The row icons, image assets of the host's main bundle.
  static constexpr char iconRemaining[] = "Icon_hanmucconlai";
  static constexpr char iconAllocated[] = "Icon_hanmucdacap";

  std::weak_ptr<ios::UITableView> tableView;
  std::weak_ptr<ios::UIView> navigationView;
  std::weak_ptr<ios::NSLayoutConstraint> cstHeightNavigation;
  std::weak_ptr<ios::UILabel> titleLabel;
  // The value rows, index for index: labels, icon names, values (server texts, shown as they come).
  std::vector<std::string> textArray;
  std::vector<std::string> iconArray;
  std::vector<std::string> priceArray;

  // Inputs, set before the view loads.
  std::shared_ptr<DefServiceDtos> defServiceDtos;
  TypeDetailCard parentType = TypeDetailCard::UnPaid;  // the state of the card the service belongs to
  bool isDetailCard = false;                           // the card's own information, not one service

  void viewDidLoad() override;
  // The title and the bar (44 points, or hidden at 0 inside the container of a paid or expired card).
  void configUI();
  // Chooses the value rows and reloads the table.
  void loadData();
  void backButtonClicked(const std::shared_ptr<ios::NSObject>& sender);

  // Three sections: the header row, the value rows, the description row.
  int numberOfSections(ios::UITableView& tableView) override;
  int numberOfRowsInSection(ios::UITableView& tableView, int section) override;
  std::shared_ptr<ios::UITableViewCell> cellForRowAt(ios::UITableView& tableView,
                                                     const ios::IndexPath& indexPath) override;
  ios::CGFloat heightForRowAt(ios::UITableView& tableView, const ios::IndexPath& indexPath) override;

  // How a value is drawn under `label`.
  static DetailServiceContentTableViewCell::ValueFormat formatFor(const std::string& label);

 private:
  struct Row {
    std::string label;
    std::string icon;
    std::string value;
  };
  // The rows for the inputs; none keeps the rows as they were (a card's information for a paid or
  // expired card lists nothing).
  std::optional<std::vector<Row>> chooseRows() const;
  std::vector<Row> cardRows(std::string usable) const;
  std::vector<Row> serviceRows(std::string limit, std::string usable) const;
  std::vector<Row> ownedRows(bool valid) const;
};

}  // namespace kerbelin
