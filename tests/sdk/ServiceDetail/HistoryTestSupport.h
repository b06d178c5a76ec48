#pragma once

// The usage history as the user reaches it: a service's container pushed through the router, its
// history tab tapped. Helpers tap the real controls (period sheet, date picker, toolbar, search),
// answer the request they start and hand back what was sent, so a test reads as the user's story.

#include "ServiceTestSupport.h"

#include <Class/DetailCard/CustomView/Cell/HistoryService/HIstoryServiceResultTableViewCell.h>
#include <Class/DetailCard/CustomView/Cell/HistoryService/HistoryServiceFilterTableViewCell.h>
#include <Class/DetailCard/Model/HistoryModel.h>
#include <Class/DetailCard/ViewController/DetailServiceContainerViewController.h>
#include <Class/DetailCard/ViewController/HistoryServiceViewController.h>
#include <Class/MyCode/ChoiceAddressViewController.h>
#include <Class/MyCode/ContainerFloatingChoiceAddressViewController.h>
#include <Foundation/Calendar.h>
#include <Toast/ToastView.h>
#include <Ultilities/Handle/HandlePush.h>

namespace kerbelin::test {

// A history reply: `count` entries, newest first, each time text starting with `tag` so a test can
// tell replies apart; the oldest entry is the payment, the others uses.
inline ios::Dictionary historyBody(int count, const std::string& tag = "T", const std::string& unit = "TIMES",
                                   const std::string& status = "A") {
  ios::Dictionary entries = ios::Dictionary::array();
  for (int i = 0; i < count; ++i) {
    const bool payment = i == count - 1;
    entries.push_back({{"id", i + 1},
                       {"transactionId", 700000001 + i},
                       {"amountUnit", payment ? "+8 lần" : "-1 lần"},
                       {"availableAfterUnit", std::to_string(5 + i) + " lần"},
                       {"providerName", "Gym Sao Việt"},
                       {"entryTime", tag + " 0" + std::to_string(i + 1) + "/03/2024"},
                       {"entryTimeDetail", "10:1" + std::to_string(i) + " 0" + std::to_string(i + 1) + "/03/2024"},
                       {"transType", payment ? "PAYMENT" : "USAGE"}});
  }
  return {{"serviceName", "Tập gym 8 buổi"},
          {"status", status},
          {"expirationDate", "31/12/2026"},
          {"unitType", unit},
          {"ownAccountDtos", ios::Dictionary::array({{{"allocatedUnit", "8 lần"}, {"availableUnit", "5 lần"}}})},
          {"accountEntryDtos", entries}};
}

class HistoryTest : public ServiceTest {
 protected:
  void SetUp() override {
    ServiceTest::SetUp();
    // Noon on 7 March 2024, UTC: the same day in any time zone the tests run in.
    ios::Date::setNowSourceForTesting([] { return ios::Date::fromTimeIntervalSince1970(1709812800); });
  }
  void TearDown() override {
    ios::Date::setNowSourceForTesting(nullptr);
    ServiceTest::TearDown();
  }

  // Pushes the service's container as the card detail does and taps its history tab.
  void openHistory(const std::string& status = "A") {
    HandlePush::create()->pushDetaiServiceContainer(caller, serviceFrom(serviceJSON(status)), std::nullopt,
                                                    TypeDetailCard::Paid);
    settle();
    container = top<DetailServiceContainerViewController>();
    ASSERT_NE(container, nullptr);
    tap(*container->historyButton.lock());
    settle();
    screen = std::dynamic_pointer_cast<HistoryServiceViewController>(container->children().at(1));
    ASSERT_NE(screen, nullptr);
  }
  // Opens the history and answers its first request with `body`.
  void openHistoryWith(const ios::Dictionary& body) {
    openHistory();
    answer(lastHistoryRequest(), body);
  }

  std::vector<std::size_t> historyRequests() const {
    std::vector<std::size_t> found;
    for (std::size_t i = 0; i < fake->requests().size(); ++i) {
      if (fake->requests()[i].url.find(kHistoryPath) != std::string::npos) found.push_back(i);
    }
    return found;
  }
  std::size_t lastHistoryRequest() const {
    auto all = historyRequests();
    EXPECT_FALSE(all.empty());
    return all.empty() ? 0 : all.back();
  }

  ios::UITableView& table() const { return *screen->tableView.lock(); }
  std::shared_ptr<HistoryServiceFilterTableViewCell> filterRow() {
    return std::dynamic_pointer_cast<HistoryServiceFilterTableViewCell>(cellAt(table(), {2, 0}));
  }
  bool dateAreaShown() { return !filterRow()->dateView.lock()->isHidden(); }
  std::string periodTitle() { return filterRow()->transactionButton.lock()->title(ios::UIControl::normal).value_or(""); }

  // Picks period `index` in the sheet the period button opens.
  void pickPeriod(int index) {
    tap(*filterRow()->transactionButton.lock());
    settle();
    auto sheet = std::dynamic_pointer_cast<ContainerFloatingChoiceAddressViewController>(screen->presentedViewController());
    ASSERT_NE(sheet, nullptr);
    auto list = std::dynamic_pointer_cast<ChoiceAddressViewController>(sheet->fpc->contentViewController());
    auto& rows = *list->tableView.lock();
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
  // buttons, and taps "Xong" (or "Huỷ"); the field's text afterwards.
  std::string pickDay(const std::weak_ptr<ios::UITextField>& weakField, int days, bool confirm = true) {
    auto field = weakField.lock();
    tap(*field);
    EXPECT_TRUE(field->isFirstResponder());
    EXPECT_NE(screen->datePicker->window(), nullptr) << "the picker shows in place of the keyboard";
    for (int i = 0; i < std::abs(days); ++i) {
      tap(*screen->datePicker->stepButton(ios::UIDatePicker::Column::day, days));
    }
    const auto& items = screen->toolbar->items();
    tap(*(confirm ? items.front() : items.back())->barView());
    settle();
    EXPECT_FALSE(field->isFirstResponder());
    return field->text().value_or("");
  }

  struct EntryRow {
    std::string time, amount, balance;
    friend bool operator==(const EntryRow&, const EntryRow&) = default;
    friend std::ostream& operator<<(std::ostream& out, const EntryRow& row) {
      return out << "{" << row.time << ", " << row.amount << ", " << row.balance << "}";
    }
  };
  // The entry rows as shown; empty when the list shows its empty row.
  std::vector<EntryRow> entryRows() {
    std::vector<EntryRow> rows;
    for (int i = 0; i < table().numberOfRows(4); ++i) {
      auto row = std::dynamic_pointer_cast<HIstoryServiceResultTableViewCell>(cellAt(table(), {4, i}));
      if (!row) continue;
      rows.push_back({row->dateLabel.lock()->text().value_or(""), row->value1Label.lock()->text().value_or(""),
                      row->value2Label.lock()->text().value_or("")});
    }
    return rows;
  }
  std::string firstEntryTime() {
    auto rows = entryRows();
    return rows.empty() ? "" : rows.front().time;
  }

  // The messages of the toasts showing over the history page.
  std::vector<std::string> toasts() const {
    std::vector<std::string> found;
    for (const auto& view : screen->view()->subviews()) {
      if (auto toast = std::dynamic_pointer_cast<ios::ToastView>(view)) found.push_back(toast->message());
    }
    return found;
  }

  std::shared_ptr<DetailServiceContainerViewController> container;
  std::shared_ptr<HistoryServiceViewController> screen;
};

}  // namespace kerbelin::test
