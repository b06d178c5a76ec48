// The usage history's requests as the user makes them: each period, a date range through the date
// picker, and what happens to replies that arrive after the filter has changed, late, refused or not
// at all.

#include "ServiceTestSupport.h"

#include <cstdlib>

namespace kerbelin::test {
namespace {

using ios::Dictionary;

using HistoryRequests = ServiceTest;

TEST_F(HistoryRequests, EachPeriodSendsItsCodeWithoutDates) {
  openHistory();
  ASSERT_EQ(historyRequests().size(), 1u) << "the first request leaves when the page loads";
  const Dictionary first = sentParams(lastHistoryRequest());
  EXPECT_EQ(first, (Dictionary{{"mobilePhone", "0912345678"},
                               {"ownServiceCode", "OC-1001-1"},
                               {"pageIndex", 0},
                               {"pageSize", 10},
                               {"searchEndTime", ""},
                               {"searchStartTime", ""},
                               {"searchType", "5TRAN"}}));
  answerLast(kHistoryPath, historyBody(2));

  const struct {
    int row;
    const char* title;
    const char* code;
  } periods[] = {{1, "10 giao dịch gần nhất", "10TRAN"},
                 {2, "Trong tuần này", "1W"},
                 {3, "Trong tháng này", "1MONTH"},
                 {4, "Chọn ngày", "RANGE_TIME"},
                 {0, "5 giao dịch gần nhất", "5TRAN"}};
  for (const auto& period : periods) {
    SCOPED_TRACE(period.code);
    pickPeriod(period.row);
    EXPECT_EQ(periodTitle(), period.title);
    EXPECT_EQ(dateAreaShown(), period.row == 4);
    Dictionary expected = first;
    expected["searchType"] = period.code;
    EXPECT_EQ(search(), expected);
    answerLast(kHistoryPath, historyBody(1));
  }
}

TEST_F(HistoryRequests, ARangeIsPickedWithTheDatePickerAndSentAsGregorianDays) {
  // A device set to Thai (Buddhist era) or Arabic digits still sends Gregorian ASCII days.
  const char* before = std::getenv("LC_ALL");
  const std::string saved = before ? before : "";
  ::setenv("LC_ALL", "th_TH.UTF-8", 1);
  openHistoryWith(historyBody(2));
  pickPeriod(4);
  ASSERT_TRUE(dateAreaShown());
  auto row = filterRow();
  EXPECT_EQ(pickDay(row->fromTextField, -2), "05/03/2024");
  EXPECT_EQ(pickDay(row->toTextField, -2, false), "") << "Huỷ keeps the field as it was";
  ::setenv("LC_ALL", "ar_EG.UTF-8", 1);
  EXPECT_EQ(pickDay(filterRow()->toTextField, 3), "06/03/2024") << "one picker, left where it was last spun";
  auto sent = search();
  ASSERT_TRUE(sent);
  EXPECT_EQ((*sent)["searchType"], "RANGE_TIME");
  EXPECT_EQ((*sent)["searchStartTime"], "05/03/2024");
  EXPECT_EQ((*sent)["searchEndTime"], "06/03/2024");
  answerLast(kHistoryPath, historyBody(1, "R"));
  EXPECT_EQ(screen->historyModel->fromDateFilter, "05/03/2024");
  EXPECT_EQ(filterRow()->fromTextField.lock()->text(), "05/03/2024") << "the days stay after the reply";

  pickPeriod(3);
  EXPECT_FALSE(dateAreaShown());
  sent = search();
  ASSERT_TRUE(sent);
  EXPECT_EQ((*sent)["searchStartTime"], "");
  EXPECT_EQ((*sent)["searchEndTime"], "");
  pickPeriod(4);
  EXPECT_EQ(filterRow()->fromTextField.lock()->text(), "") << "another period cleared the days";
  if (before) {
    ::setenv("LC_ALL", saved.c_str(), 1);
  } else {
    ::unsetenv("LC_ALL");
  }
}

TEST_F(HistoryRequests, ARangeThatEndsBeforeItStartsIsNotSent) {
  openHistoryWith(historyBody(2, "A"));
  pickPeriod(4);
  pickDay(filterRow()->toTextField, -2);
  pickDay(filterRow()->fromTextField, 1);
  EXPECT_FALSE(search());
  EXPECT_EQ(toasts(), std::vector<std::string>{HistoryServiceViewController::backwardsRangeMessage});
  EXPECT_EQ(firstEntryTime(), "A 01/03/2024");
}

TEST_F(HistoryRequests, DateAreaFollowsThePeriodEvenBeforeAnyReply) {
  openHistory();
  failRequest(lastHistoryRequest());
  pickPeriod(4);
  EXPECT_TRUE(dateAreaShown());
  const auto sent = search();
  ASSERT_TRUE(sent);
  EXPECT_EQ((*sent)["searchType"], "RANGE_TIME");
}

TEST_F(HistoryRequests, AReplyIsShownUnderTheFilterItsRequestCarried) {
  openHistoryWith(historyBody(2, "A"));
  pickPeriod(1);
  search();  // 10TRAN, in flight
  const auto tenNewest = lastHistoryRequest();
  pickPeriod(2);  // chosen, not searched
  answer(tenNewest, historyBody(3, "B"));
  EXPECT_EQ(firstEntryTime(), "B 01/03/2024");
  EXPECT_EQ(screen->historyModel->searchType, SearchType::Tran10);
  EXPECT_EQ(periodTitle(), "Trong tuần này") << "the user's choice stays";
  EXPECT_EQ(screen->filter().searchType, SearchType::Week);

  // Only the newest request counts: an older reply arriving last is dropped.
  search();  // 1W
  const auto week = lastHistoryRequest();
  pickPeriod(3);
  search();  // 1MONTH
  answerLast(kHistoryPath, historyBody(1, "D"));
  answer(week, historyBody(4, "C"));
  EXPECT_EQ(entryRows(), (std::vector<EntryRow>{{"D 01/03/2024", "+8 lần", "5 lần"}}));
  EXPECT_EQ(screen->historyModel->searchType, SearchType::Month);
}

TEST_F(HistoryRequests, AFailedOrRefusedReplyKeepsTheListAndSaysSo) {
  const struct {
    const char* name;
    std::function<void(std::size_t)> outcome;
  } cases[] = {
      {"transport failure", [this](std::size_t i) { failRequest(i); }},
      {"non-zero result code", [this](std::size_t i) { answer(i, historyBody(1, "X"), 40007); }},
      {"no body", [this](std::size_t i) { answer(i, std::nullopt); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    openHistoryWith(historyBody(2, "A"));
    const auto shown = screen->historyModel;
    pickPeriod(1);
    search();
    c.outcome(lastHistoryRequest());
    EXPECT_EQ(screen->historyModel, shown);
    EXPECT_EQ(firstEntryTime(), "A 01/03/2024");
    EXPECT_EQ(toasts(), std::vector<std::string>{HistoryServiceViewController::failureMessage});
    backToCaller();
  }
}

}  // namespace
}  // namespace kerbelin::test
