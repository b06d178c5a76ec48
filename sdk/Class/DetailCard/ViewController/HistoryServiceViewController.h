#pragma once

#include <Class/DetailCard/CustomView/Cell/HistoryService/HistoryServiceFilterTableViewCell.h>
#include <Class/MyCode/ContainerFloatingChoiceAddressViewController.h>
#include <Foundation/Bundle.h>
#include <Foundation/Date.h>
#include <Foundation/Dictionary.h>
#include <UIKit/UIDatePicker.h>
#include <UIKit/UITableView.h>
#include <UIKit/UIToolbar.h>
#include <UIKit/UIViewController.h>
#include <Ultilities/Enums/Enums.h>
#include <Ultilities/Paging/PagedList.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kerbelin {

class DefServiceDtos;
class HistoryModel;

// A service's usage history for a chosen period: the service's name and state, the period filter,
// and the entries the server lists for it, each opening its detail.
//
// The screen keeps its filter itself: the period chosen in the picker sheet and, for "Chọn ngày",
// the two days confirmed in the date picker. Choosing only changes the filter; the first request
// leaves when the view loads and the next ones when the user presses search. Each request carries a
// copy of the filter, and its reply is shown labelled with that copy, whatever was chosen since. Only
// the newest request's reply is shown; a failed or refused reply (non-zero `resultCode`) keeps what
// the screen shows and says so. A range whose start is after its end is not sent.
class HistoryServiceViewController : public ios::UIViewController,
                                     public ios::UITableViewDataSource,
                                     public ios::UITableViewDelegate,
                                     public HistoryServiceFilterTableViewCellDelegate,
                                     public ContainerFloatingChoiceAddressViewControllerDelegate {
 public:
  // What a request asks for: a period and, for a range, its first and last day as "dd/MM/yyyy" ("" for
  // an open end).
  struct Filter {
    SearchType searchType = SearchType::Tran5;
    std::string fromDateFilter;
    std::string toDateFilter;
  };

  static constexpr char backwardsRangeMessage[] = "Ngày bắt đầu phải trước hoặc trùng ngày kết thúc.";
  static constexpr char failureMessage[] = "Không tải được lịch sử sử dụng. Vui lòng thử lại.";
  static constexpr int pageSize = 10;

  // `init(nibName:bundle:)`; without a bundle the nib is found as NibBundle.h says.
  static std::shared_ptr<HistoryServiceViewController> create(std::optional<std::string> nibName = std::nullopt,
                                                              std::shared_ptr<ios::Bundle> bundle = nullptr);
  HistoryServiceViewController(std::optional<std::string> nibName, std::shared_ptr<ios::Bundle> bundle);

  std::weak_ptr<ios::UITableView> tableView;
  // The reply shown, its `searchType` and dates set to the filter its request carried; none until
  // the first usable reply.
  std::shared_ptr<HistoryModel> historyModel;
  int currentIndexPopup = 0;
  std::vector<std::string> popUpTextArray{"5 giao dịch gần nhất", "10 giao dịch gần nhất", "Trong tuần này",
                                          "Trong tháng này", "Chọn ngày"};
  std::vector<SearchType> popUpCodeArray{SearchType::Tran5, SearchType::Tran10, SearchType::Week,
                                         SearchType::Month, SearchType::Range};
  // Input, set before the view loads: only its `code` is read.
  std::shared_ptr<DefServiceDtos> rootService;
  // One picker and one bar above it serve both date fields.
  const std::shared_ptr<ios::UIDatePicker> datePicker;
  const std::shared_ptr<ios::UIToolbar> toolbar;

  const Filter& filter() const { return filter_; }

  void viewDidLoad() override;
  void configTableView();
  // Sends the history request for the current filter.
  void loadData();
  // Date only, from 100 years ago to the moment of loading; "Xong" at the left, "Huỷ" at the right.
  void showDatePicker();
  // "Xong": the picked day goes into the field being edited and into the filter.
  void toTextFieldDone();
  // "Huỷ": closes the picker; the field and the filter keep what they had.
  void cancelDatePicker();

  void transactionAction() override;
  void searchAction() override;
  void ChoiceIndexArea(std::shared_ptr<AreaModel> obj, int index) override;

  // Five sections: title, condition, filter, column captions, entries (or the one empty row).
  int numberOfSections(ios::UITableView& tableView) override;
  int numberOfRowsInSection(ios::UITableView& tableView, int section) override;
  std::shared_ptr<ios::UITableViewCell> cellForRowAt(ios::UITableView& tableView,
                                                     const ios::IndexPath& indexPath) override;
  ios::CGFloat heightForRowAt(ios::UITableView& tableView, const ios::IndexPath& indexPath) override;
  void didSelectRowAt(ios::UITableView& tableView, const ios::IndexPath& indexPath) override;

  // A day as the server reads it: "dd/MM/yyyy", Gregorian, ASCII digits, in the device's time zone.
  static std::string dayText(ios::Date date);

 private:
  ios::Dictionary requestParams() const;
  void send(const PagedList::Page& page, const Filter& filter);
  // The reply's history model, or none when the reply is unusable or refused.
  static std::shared_ptr<HistoryModel> historyIn(ios::Dictionary reply);
  void finish(const PagedList::Page& page, const Filter& filter, std::shared_ptr<HistoryModel> model);
  bool rangeIsBackwards() const;
  // Writes the picked day into the field being edited (the end field first) and into the filter.
  void confirmDay(HistoryServiceFilterTableViewCell& row);
  void showMessage(const std::string& message);
  std::size_t entryCount() const;
  void fillFilterRow(HistoryServiceFilterTableViewCell& row);
  std::shared_ptr<ios::UITableViewCell> titleCell(ios::UITableView& tableView, const ios::IndexPath& indexPath);
  std::shared_ptr<ios::UITableViewCell> captionsCell(ios::UITableView& tableView, const ios::IndexPath& indexPath);
  std::shared_ptr<ios::UITableViewCell> entryCell(ios::UITableView& tableView, const ios::IndexPath& indexPath);

  Filter filter_;
  int pageNumber_ = 0;
  bool loading_ = false;
  PagedList paging_{pageNumber_, loading_, {.firstPage = 0, .pageSize = pageSize}};
};

}  // namespace kerbelin
