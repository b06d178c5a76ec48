#pragma once

// A fixture for a service's screens, reached as the user reaches them: pushed through the router on a
// navigation controller in a key window, on the screen fixture's fake back-end and clock. Helpers tap
// the real controls (period sheet, date picker, toolbar, search) and hand back what was sent, so a
// test reads as the user's story.

#include <Class/BuyCard/Model/DefServiceDtos.h>
#include <Class/DetailCard/CustomView/Cell/HistoryService/HIstoryServiceResultTableViewCell.h>
#include <Class/DetailCard/CustomView/Cell/HistoryService/HistoryServiceFilterTableViewCell.h>
#include <Class/DetailCard/Model/HistoryModel.h>
#include <Class/DetailCard/ViewController/DetailServiceContainerViewController.h>
#include <Class/DetailCard/ViewController/HistoryServiceViewController.h>
#include <Class/MyCode/ContainerFloatingChoiceAddressViewController.h>
#include <ObjectMapper/Mapper.h>
#include <Toast/ToastView.h>
#include <Ultilities/Handle/HandlePush.h>
#include <support/ScreenTest.h>

#include <tuple>

namespace kerbelin::test {

inline const char kHistoryPath[] = "/kerbelin-app/transaction/history/req";

// A service of an owned card as the back-end sends it, every text distinct. `status` "" is a service
// for sale; the two optional descriptions are left out unless given.
inline ios::Dictionary serviceJSON(const std::string& status, std::optional<std::string> usageDesciption = {},
                                   std::optional<std::string> usageDescription = {}) {
  ios::Dictionary service = {{"code", "OC-1001-1"}, {"name", "Gói tập 8 buổi"}, {"namDefService", "Tập gym 8 buổi"},
                             {"description", "Áp dụng tại mọi chi nhánh."}, {"status", status},
                             {"price", "450.000 đ"}, {"listedPrice", "600.000 đ"}, {"unitPrice", "56.250 đ"},
                             {"limitDetailDescription", "Tối đa 8 buổi"},
                             {"expiryDate", "30 ngày kể từ ngày thanh toán"}, {"expirationDate", "31/12/2026"},
                             {"defServiceUnitDtos", ios::Dictionary::array({{{"displayLimitUnit", "8 lần/tháng"}}})},
                             {"ownAccountDtos",
                              ios::Dictionary::array({{{"allocatedUnit", "8 lần"}, {"availableUnit", "5 lần"}}})}};
  if (usageDesciption) service["usageDesciption"] = *usageDesciption;
  if (usageDescription) service["usageDescription"] = *usageDescription;
  return service;
}
inline std::shared_ptr<DefServiceDtos> serviceFrom(const ios::Dictionary& json) {
  return ios::mapObject<DefServiceDtos>(json);
}

// A history reply: `count` entries, newest first, each time text starting with `tag` so a test can
// tell replies apart; the oldest entry is the payment, the others uses.
inline ios::Dictionary historyBody(int count, const std::string& tag = "T", const std::string& unit = "TIMES",
                                   const std::string& status = "A") {
  ios::Dictionary entries = ios::Dictionary::array();
  for (int i = 0; i < count; ++i) {
    const bool payment = i == count - 1;
    const std::string day = "0" + std::to_string(i + 1) + "/03/2024";
    entries.push_back({{"id", i + 1}, {"transactionId", 700000001 + i}, {"amountUnit", payment ? "+8 lần" : "-1 lần"},
                       {"availableAfterUnit", std::to_string(5 + i) + " lần"}, {"providerName", "Gym Sao Việt"},
                       {"entryTime", tag + " " + day}, {"entryTimeDetail", "10:1" + std::to_string(i) + " " + day},
                       {"transType", payment ? "PAYMENT" : "USAGE"}});
  }
  return {{"serviceName", "Tập gym 8 buổi"}, {"status", status}, {"expirationDate", "31/12/2026"},
          {"unitType", unit},
          {"ownAccountDtos", ios::Dictionary::array({{{"allocatedUnit", "8 lần"}, {"availableUnit", "5 lần"}}})},
          {"accountEntryDtos", entries}};
}

class ServiceTest : public ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    // Noon on 7 March 2024, UTC: the same day in any time zone the tests run in.
    ios::Date::setNowSourceForTesting([] { return ios::Date::fromTimeIntervalSince1970(1709812800); });
    caller = ios::UIViewController::create();
    showInNavigation(caller);
    navigation->setNavigationBarHidden(true, false);
  }
  void TearDown() override {
    caller.reset();
    ScreenTest::TearDown();
    ios::Date::setNowSourceForTesting(nullptr);
  }

  // Lets pushes, pops, slides and fades finish and lays the window out.
  void settle() {
    ScreenTest::settle();
    window->layoutIfNeeded();
  }
  void backToCaller() {
    navigation->popToRootViewController(false);
    settle();
  }

  std::vector<std::size_t> historyRequests() const { return requestsTo(kHistoryPath); }
  std::size_t lastHistoryRequest() const { return lastRequestTo(kHistoryPath); }

  // ---- The history, as the card detail opens it: the service's container, then its history tab.
  void openHistory() {
    HandlePush::create()->pushDetaiServiceContainer(caller, serviceFrom(serviceJSON("A")), std::nullopt,
                                                    TypeDetailCard::Paid);
    settle();
    container = top<DetailServiceContainerViewController>();
    ASSERT_NE(container, nullptr);
    tap(*container->historyButton.lock());
    settle();
    screen = std::dynamic_pointer_cast<HistoryServiceViewController>(container->children().at(1));
    ASSERT_NE(screen, nullptr);
  }
  void openHistoryWith(const ios::Dictionary& body) {
    openHistory();
    answerLast(kHistoryPath, body);
  }
  ios::UITableView& table() const { return *screen->tableView.lock(); }
  std::shared_ptr<HistoryServiceFilterTableViewCell> filterRow() {
    return rowOf<HistoryServiceFilterTableViewCell>(table(), {2, 0});
  }
  bool dateAreaShown() { return !filterRow()->dateView.lock()->isHidden(); }
  std::string periodTitle() { return filterRow()->transactionButton.lock()->title(ios::UIControl::normal).value_or(""); }

  // Picks period `index` in the sheet the period button opens.
  void pickPeriod(int index) {
    tap(*filterRow()->transactionButton.lock());
    settle();
    auto sheet = std::dynamic_pointer_cast<ContainerFloatingChoiceAddressViewController>(screen->presentedViewController());
    ASSERT_NE(sheet, nullptr);
    auto& rows = *std::dynamic_pointer_cast<ChoiceAddressViewController>(sheet->fpc->contentViewController())
                      ->tableView.lock();
    rows.layoutIfNeeded();
    tap(*rows.cellForRow({0, index}));
    settle();
    ASSERT_EQ(screen->presentedViewController(), nullptr);
  }
  // Taps search; the parameters of the request it sent, or none.
  std::optional<ios::Dictionary> search() {
    const auto before = historyRequests().size();
    tap(*filterRow()->buttonView.lock());
    settle();
    if (historyRequests().size() == before) return std::nullopt;
    return sentParams(lastHistoryRequest());
  }
  // Opens the date picker from `field`, steps its day `days` times (down when negative) with its
  // buttons and taps "Xong" (or "Huỷ"); the field's text afterwards.
  std::string pickDay(const std::weak_ptr<ios::UITextField>& weakField, int days, bool confirm = true) {
    auto field = weakField.lock();
    tap(*field);
    EXPECT_NE(screen->datePicker->window(), nullptr) << "the picker shows in place of the keyboard";
    for (int i = 0; i < std::abs(days); ++i) tap(*screen->datePicker->stepButton(ios::UIDatePicker::Column::day, days));
    const auto& items = screen->toolbar->items();
    tap(*(confirm ? items.front() : items.back())->barView());
    settle();
    EXPECT_FALSE(field->isFirstResponder());
    return field->text().value_or("");
  }

  // An entry row as shown: its time, amount and balance.
  using EntryRow = std::tuple<std::string, std::string, std::string>;
  // The entry rows as shown; empty when the list shows its empty row.
  std::vector<EntryRow> entryRows() {
    std::vector<EntryRow> rows;
    for (int i = 0; i < table().numberOfRows(4); ++i) {
      if (auto row = rowOf<HIstoryServiceResultTableViewCell>(table(), {4, i})) {
        rows.emplace_back(textOf(row->dateLabel), textOf(row->value1Label), textOf(row->value2Label));
      }
    }
    return rows;
  }
  std::string firstEntryTime() {
    auto rows = entryRows();
    return rows.empty() ? "" : std::get<0>(rows.front());
  }
  // The messages of the toasts showing over the history page.
  std::vector<std::string> toasts() const {
    std::vector<std::string> found;
    for (const auto& view : screen->view()->subviews()) {
      if (auto toast = std::dynamic_pointer_cast<ios::ToastView>(view)) found.push_back(toast->message());
    }
    return found;
  }

  std::shared_ptr<ios::UIViewController> caller;
  std::shared_ptr<DetailServiceContainerViewController> container;
  std::shared_ptr<HistoryServiceViewController> screen;
};

}  // namespace kerbelin::test
