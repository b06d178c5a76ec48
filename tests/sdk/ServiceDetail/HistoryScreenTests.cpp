// What the usage history and its neighbours show: the container's tabs, the history's rows for a
// reply, an entry's detail, and a reference picture of each screen.

#include "ServiceTestSupport.h"

#include <Class/DetailCard/CustomView/Cell/HistoryService/HistoeyServiceEmptyTableViewCell.h>
#include <Class/DetailCard/CustomView/Cell/HistoryService/HistoryServiceConditionTableViewCell.h>
#include <Class/DetailCard/CustomView/Cell/HistoryService/HistoryServiceTitleResultTableViewCell.h>
#include <Class/DetailCard/CustomView/Cell/HistoryService/HistoryTitleTableViewCell.h>
#include <Class/DetailCard/Model/AccountEntryDtos.h>
#include <Class/DetailCard/ViewController/DetailServiceViewController.h>
#include <Class/DetailCard/ViewController/HistoryServiceSearchDetailViewController.h>
#include <CoreText/NSAttributedString.h>
#include <Ultilities/Extensions/UIColorExtension.h>

namespace kerbelin::test {
namespace {

using ios::Dictionary;

bool sameColor(const std::shared_ptr<ios::UIColor>& a, const char* hex) {
  return a && a->cgColor() == colorWithRGBA(hex)->cgColor();
}

// ---- The container

class ServiceContainer : public ServiceTest {
 protected:
  // Which tab looks chosen: 0, 1, or -1 when both or neither do.
  int filledTab() const {
    const bool info = sameColor(container->infoButton.lock()->backgroundColor(), "#FF5722");
    const bool history = sameColor(container->historyButton.lock()->backgroundColor(), "#FF5722");
    return info == history ? -1 : info ? 0 : 1;
  }
  int page() const { return container->swipeView.lock()->currentIndex(); }
};

TEST_F(ServiceContainer, TabsAndSwipesShowEachPageWithItsLook) {
  openHistory();
  EXPECT_EQ(page(), 1);
  EXPECT_EQ(filledTab(), 1);
  tap(*container->infoButton.lock());
  settle();
  EXPECT_EQ(page(), 0);
  EXPECT_EQ(filledTab(), 0);
  tap(*container->infoButton.lock());  // the page shown: stays, same look
  settle();
  EXPECT_EQ(page(), 0);
  EXPECT_EQ(filledTab(), 0);

  const auto menu = container->swipeView.lock()->frame();
  const ios::CGFloat y = container->swipeView.lock()->convert(menu, window.get()).midY();
  touches->drag({330, y}, {40, y}, 0.15);
  settle();
  EXPECT_EQ(page(), 1);
  EXPECT_EQ(filledTab(), 1) << "a swipe by hand looks like the history tab's tap";

  auto detail = std::dynamic_pointer_cast<DetailServiceViewController>(container->children().at(0));
  ASSERT_NE(detail, nullptr);
  EXPECT_EQ(detail->defServiceDtos, screen->rootService) << "one service object for both pages";
  EXPECT_EQ(detail->parentType, TypeDetailCard::Paid);
  EXPECT_TRUE(detail->navigationView.lock()->isHidden()) << "the container's bar serves";
}

TEST_F(ServiceContainer, WordingFollowsWhetherItShowsACard) {
  for (const bool card : {false, true}) {
    HandlePush::create()->pushDetaiServiceContainer(caller, serviceFrom(serviceJSON("A")), card, std::nullopt);
    settle();
    container = top<DetailServiceContainerViewController>();
    EXPECT_EQ(container->titleLabel.lock()->text(), card ? "Chi tiết thẻ" : "Chi tiết dịch vụ");
    EXPECT_EQ(container->infoButton.lock()->title(ios::UIControl::normal),
              card ? "Thông tin thẻ" : "Thông tin dịch vụ");
    auto detail = std::dynamic_pointer_cast<DetailServiceViewController>(container->children().at(0));
    EXPECT_EQ(detail->parentType, TypeDetailCard::UnPaid) << "the router's default";
    EXPECT_FALSE(detail->isDetailCard);
    container->backButtonClicked(nullptr);
    settle();
    EXPECT_EQ(navigation->topViewController(), caller);
  }
}

// ---- The history's rows

using HistoryRows = ServiceTest;

TEST_F(HistoryRows, AReplyFillsTitleConditionCaptionsAndEntriesAndAnEntryOpensItsDetail) {
  openHistoryWith(historyBody(3, "T", "LIMIT"));
  auto title = rowOf<HistoryTitleTableViewCell>(table(), {0, 0});
  EXPECT_EQ(title->titleLabel.lock()->text(), "Tập gym 8 buổi");
  auto captions = rowOf<HistoryServiceTitleResultTableViewCell>(table(), {3, 0});
  EXPECT_FALSE(captions->contentView()->isHidden());
  EXPECT_EQ(captions->title2Label.lock()->text(), "Số tiền");
  EXPECT_EQ(entryRows(), (std::vector<EntryRow>{{"T 01/03/2024", "-1 lần", "5 lần"},
                                                {"T 02/03/2024", "-1 lần", "6 lần"},
                                                {"T 03/03/2024", "+8 lần", "7 lần"}}));

  tap(*rowOf(table(), {4, 1}));
  settle();
  auto detail = top<HistoryServiceSearchDetailViewController>();
  ASSERT_NE(detail, nullptr);
  EXPECT_EQ(detail->accountEntryDtos, screen->historyModel->accountEntryDtos[1]);
  EXPECT_EQ(detail->historyModel, screen->historyModel);
}

TEST_F(HistoryRows, CaptionsFollowTheUnitAndAnEmptyListShowsItsMessageRow) {
  const struct {
    const char* unit;
    int entries;
    const char* caption;
  } cases[] = {{"TIMES", 1, "Số lần"}, {"DAY", 1, "Số lượng"}, {"LIMIT", 0, nullptr}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.unit);
    openHistoryWith(historyBody(c.entries, "T", c.unit));
    auto captions = rowOf<HistoryServiceTitleResultTableViewCell>(table(), {3, 0});
    EXPECT_EQ(captions->contentView()->isHidden(), c.caption == nullptr);
    if (c.caption) {
      EXPECT_EQ(captions->title2Label.lock()->text(), c.caption);
    }
    if (c.entries == 0) {
      ASSERT_EQ(table().numberOfRows(4), 1);
      auto empty = rowOf(table(), {4, 0});
      EXPECT_NE(std::dynamic_pointer_cast<HistoeyServiceEmptyTableViewCell>(empty), nullptr);
      tap(*empty);
      settle();
      EXPECT_EQ(top<DetailServiceContainerViewController>(), container) << "the empty row opens nothing";
    }
    backToCaller();
  }
}

TEST_F(HistoryRows, ConditionRowShowsTheServicesStateAndLimits) {
  const struct {
    const char* status;
    std::optional<std::string> usage;
    const char* badge;  // null: the nib's
    const char* limit;
  } cases[] = {{"A", std::nullopt, "   Còn hiệu lực   ", "8 lần"},
               {"C", "<b>Tối đa</b> 8 buổi", "   Hết hiệu lực   ", "Tối đa 8 buổi"},
               {"W", "", nullptr, ""}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.status);
    Dictionary body = historyBody(1, "T", "TIMES", c.status);
    if (c.usage) body["usageDescription"] = *c.usage;
    openHistoryWith(body);
    auto row = rowOf<HistoryServiceConditionTableViewCell>(table(), {1, 0});
    if (c.badge) {
      EXPECT_EQ(row->conditionLabel.lock()->text(), c.badge);
    } else {
      EXPECT_EQ(row->conditionLabel.lock()->text().value_or(""), "");
    }
    EXPECT_EQ(row->dateLabel.lock()->text(), "31/12/2026");
    auto value = row->value1Label.lock()->attributedText();
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->string().substr(0, std::string(c.limit).size()), c.limit);
    EXPECT_EQ(row->value2Label.lock()->text(), "5 lần");
    backToCaller();
  }
}

// ---- The entry detail

class EntryDetail : public ServiceTest {
 protected:
  std::shared_ptr<HistoryServiceSearchDetailViewController> open(std::shared_ptr<AccountEntryDtos> entry) {
    HandlePush::create()->pushHistoryServiceSearchDetail(caller, std::move(entry), nullptr);
    settle();
    return top<HistoryServiceSearchDetailViewController>();
  }
  // Title, amount, amount without its signs, number, provider, time and balance after.
  static std::vector<std::string> shown(const HistoryServiceSearchDetailViewController& screen) {
    std::vector<std::string> texts;
    for (const auto& label : {screen.titleLabel, screen.priceLabel, screen.value2Label, screen.value1Label,
                              screen.nameLabel, screen.dateLabel, screen.value3Label})
      texts.push_back(label.lock()->text().value_or(""));
    return texts;
  }
};

TEST_F(EntryDetail, ShowsTheEntryByItsKind) {
  const struct {
    Dictionary json;
    const char* title;
    const char* color;
    const char* amount;
    const char* unsigned_;
    const char* number;
  } cases[] = {
      {{{"transType", "USAGE"}, {"amountUnit", "-120.000 đ"}, {"transactionId", 700000123}},
       "Sử dụng dịch vụ", "#FD243A", "-120.000 đ", "120.000 đ", "700000123"},
      {{{"transType", "PAYMENT"}, {"amountUnit", "+8 lần"}, {"transactionId", -5}},
       "Hoàn trả dịch vụ", "#53B86C", "+8 lần", "8 lần", "-5"},
      {{{"transType", "REFUND"}, {"amountUnit", "+-"}}, "Hoàn trả dịch vụ", "#53B86C", "+-", "", "0"},
      {{{"amountUnit", "1-2+3 – 4"}}, "Hoàn trả dịch vụ", "#53B86C", "1-2+3 – 4", "123 – 4", "0"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.amount);
    Dictionary json = c.json;
    json["providerName"] = "Gym Sao Việt";
    json["entryTimeDetail"] = "10:15 01/03/2024";
    json["availableAfterUnit"] = "5 lần";
    auto screen = open(ios::mapObject<AccountEntryDtos>(json));
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(shown(*screen), (std::vector<std::string>{c.title, c.amount, c.unsigned_, c.number, "Gym Sao Việt",
                                                         "Thời gian: 10:15 01/03/2024", "5 lần"}));
    EXPECT_TRUE(sameColor(screen->priceLabel.lock()->textColor(), c.color));
    screen->backButtonClicked(nullptr);
    settle();
    EXPECT_EQ(navigation->topViewController(), caller);
  }
  EXPECT_EQ(shown(*open(nullptr)), (std::vector<std::string>{"", "", "", "0", "", "Thời gian: ", ""}));
  // A sign that carries a combining mark is part of another character and stays.
  EXPECT_EQ(HistoryServiceSearchDetailViewController::removeSpecialCharsFromString("-\u0301x+"), "-\u0301x");
}

// ---- Pictures

using HistoryPictures = ServiceTest;

TEST_F(HistoryPictures, EachScreenLooksAsRecorded) {
  openHistoryWith(historyBody(4, "10:15"));
  auto check = [this](const char* name) {
    settle();
    EXPECT_TRUE(looksAsRecorded(name));
  };
  check("service-history-entries");
  pickPeriod(4);
  auto row = filterRow();
  pickDay(row->fromTextField, -6);
  tap(*filterRow()->toTextField.lock());
  check("service-history-range-picker");
  tap(*screen->toolbar->items().front()->barView());
  tap(*filterRow()->transactionButton.lock());
  settle();
  check("service-history-period-sheet");
  auto sheet = std::dynamic_pointer_cast<ContainerFloatingChoiceAddressViewController>(screen->presentedViewController());
  sheet->handleBackdrop();
  settle();
  tap(*container->infoButton.lock());
  check("service-container-detail");
  tap(*container->historyButton.lock());
  settle();
  tap(*rowOf(table(), {4, 0}));
  check("service-history-entry-detail");
}

}  // namespace
}  // namespace kerbelin::test
