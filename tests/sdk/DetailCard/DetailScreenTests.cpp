// The card detail as a user meets it: opened from the store or from my cards, its request, its
// sections by state and tab, its rows, and every tap that leaves it.

#include "DetailTestSupport.h"

#include <Class/BuyCard/Model/CardModel.h>
#include <Class/DetailCard/CustomView/Cell/DetailCardCell/DetailCardRuleTableViewCell/DetailCardRuleTableViewCell.h>
#include <Class/DetailCard/ViewController/DetailCardViewController.h>
#include <Class/DetailCard/ViewController/DetailServiceContainerViewController.h>
#include <Class/DetailCard/ViewController/DetailServiceViewController.h>
#include <Class/DetailCard/ViewController/TutorialGiftViewController.h>
#include <Class/DetailCard/ViewController/TutorialPayViewController.h>
#include <Class/MyCode/Cell/MyCodeTitleTableViewCell.h>
#include <Class/Pay/PaymentViewController.h>
#include <UIKit/UIActivityViewController.h>
#include <Ultilities/Handle/HandlePush.h>

#include <tuple>

namespace kerbelin::test {
namespace {

using Kind = TypeCellDetailCard;
using ios::Dictionary;

// A card as the back-end sends it: `status` picks the state ("" for sale).
struct CardJSON {
  std::string status;
  int services = 0;
  int promotions = 0;
  bool root = false;
  std::string terms;
};

Dictionary service(int i, const std::string& status) {
  return {{"code", "DV-" + std::to_string(i)}, {"name", "Dịch vụ " + std::to_string(i)},
          {"namDefService", "Dịch vụ " + std::to_string(i)}, {"status", status}, {"unitPrice", "15.000 đ"},
          {"expiryDate", "30 ngày"}, {"expirationDate", "01/01/2027"},
          {"defServiceUnitDtos", Dictionary::array({{{"displayLimitUnit", "30 ngày"}}})},
          {"ownAccountDtos", Dictionary::array({{{"allocatedUnit", "8 lần"}, {"availableUnit", "5 lần"}}})}};
}

Dictionary cardJSON(const CardJSON& c) {
  Dictionary card = {{"code", "SV-GYM-1M"}, {"cardNo", "KB01"}, {"defCardCode", "SV-GYM-1M"},
                     {"name", "Thẻ tập Gym 1 tháng"}, {"status", c.status}, {"usageTerms", c.terms},
                     {"transactionCode", "GD01"}, {"templatePromotion", "Quà tặng"}, {"price", "450.000 đ"},
                     {"listedPrice", "600.000 đ"}, {"priceNumber", 450000}, {"listedPriceNumber", 600000}};
  Dictionary services = Dictionary::array(), promotions = Dictionary::array();
  for (int i = 0; i < c.services; ++i) services.push_back(service(i, c.status));
  for (int i = 0; i < c.promotions; ++i) promotions.push_back({{"urlIcon", ""}, {"description", "Ưu đãi"}});
  card[c.status.empty() ? "defServiceDtos" : "ownServiceDtos"] = services;
  card["promotionDtos"] = promotions;
  if (c.root) card["rootService"] = service(0, c.status);
  return card;
}

class DetailScreen : public DetailTest {
 protected:
  // Opens the detail of a card through the router, as the store or my cards does.
  void open(TypeController from, const std::string& code = "SP-OPENER") {
    auto card = CardModel::create();
    card->code = code;
    card->cardNo = "KB01";
    HandlePush::create()->pushDetaiCard(root, from, card);
    runUntilIdle();
    settle();
    screen = top<DetailCardViewController>();
    ASSERT_TRUE(screen);
  }
  // Opens a card from the store when it is for sale (no status), else from my cards, and answers
  // with `card`: the store's request under "defCardDto".
  void show(const Dictionary& card) {
    const bool forSale = card["status"].get<std::string>().empty();
    open(forSale ? TypeController::BuyCard : TypeController::MyCard);
    answerDetail(card, forSale ? "defCardDto" : "ownCardDto");
  }
  void showCard(const CardJSON& card) { show(cardJSON(card)); }
  void answerDetail(const Dictionary& card, const std::string& key) {
    answer(fake->requests().size() - 1, Dictionary{{key, card}});
    settle();
    table()->layoutIfNeeded();
  }

  std::shared_ptr<ios::UITableView> table() const { return screen->tableView.lock(); }
  int sectionOf(Kind kind) const {
    for (std::size_t i = 0; i < screen->listSection.size(); ++i)
      if (screen->listSection[i] == kind) return static_cast<int>(i);
    return -1;
  }
  // The first row of a section, scrolled into view the least (a list scrolled past its end would
  // still be moving back when tapped).
  template <class T>
  std::shared_ptr<T> rowOf(Kind kind) {
    return test::rowOf<T>(*table(), {sectionOf(kind), 0}, ios::UITableViewScrollPosition::none);
  }
  std::shared_ptr<ios::UIView> headerOf(Kind kind) {
    table()->scrollToRow({sectionOf(kind), 0}, ios::UITableViewScrollPosition::top, false);
    table()->layoutIfNeeded();
    return table()->headerView(sectionOf(kind));
  }
  static std::shared_ptr<ios::UIView> firstButton(const std::shared_ptr<ios::UIView>& view) {
    if (!view || std::dynamic_pointer_cast<ios::UIButton>(view)) return view;
    for (const auto& subview : view->subviews())
      if (auto found = firstButton(subview)) return found;
    return nullptr;
  }
  // Taps a row the way a user does: scrolled up below its section's pinned header as far as the
  // list goes (its end stays above the buy bar), then touched a little below the header.
  void tapRow(int section, int row) {
    auto list = table();
    for (int pass = 0; pass < 3; ++pass) {  // rows measured on the way change the list's length
      const ios::CGFloat end =
          list->contentSize().height + list->adjustedContentInset().bottom - list->bounds().height();
      const ios::CGFloat wanted =
          list->rectForRow({section, row}).minY() - DetailCardViewController::sectionHeaderHeight;
      list->setContentOffset({0, std::max<ios::CGFloat>(0, std::min(wanted, end))});
      list->layoutIfNeeded();
    }
    auto cell = list->cellForRow({section, row});
    ASSERT_TRUE(cell);
    const ios::CGRect frame = cell->convert(cell->bounds(), window.get());
    touches->tap({frame.midX(), std::min(frame.minY() + 60, frame.maxY() - 10)});
    runUntilIdle();
  }
  std::shared_ptr<DetailCardViewController> screen;
};

// Each opening list names the detail its own way; a reply that fails or holds no card leaves an empty
// screen without its overlay or buy bar.
TEST_F(DetailScreen, AsksForTheDetailTheOpeningListNamesAndAnUnusableReplyLeavesAnEmptyScreen) {
  const Dictionary owned = {{"cardNo", "KB01"}, {"mobilePhone", "0912345678"}};
  struct Case {
    TypeController from;
    const char* path;
    Dictionary params;
    std::optional<Dictionary> body;  // none: the request fails
  };
  const Case cases[] = {
      {TypeController::BuyCard, "/def-card/detail/req", {{"code", "SP-OPENER"}}, std::nullopt},
      {TypeController::MyCard, "/own-card/detail/req", owned, Dictionary{{"other", 1}}},
      {TypeController::MyCode, "/own-card/detail/req", owned, Dictionary{{"ownCardDto", "thẻ"}}},
      {TypeController::BuyCard, "/def-card/detail/req", {{"code", "SP-OPENER"}}, Dictionary{{"defCardDto", "thẻ"}}},
      {TypeController::BuyCard, "/def-card/detail/req", {{"code", "SP-OPENER"}},
       Dictionary{{"defCardDto", Dictionary::array()}}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.body ? c.body->dump() : "failure");
    open(c.from);
    const auto index = fake->requests().size() - 1;
    EXPECT_NE(fake->requests()[index].url.find(c.path), std::string::npos);
    Dictionary params = c.params;
    if (c.from != TypeController::BuyCard) params["isPaid"] = c.from == TypeController::MyCode;
    EXPECT_EQ(sentParams(index), params);
    EXPECT_EQ(overlays(), 1);
    c.body ? answer(index, c.body) : failRequest(index);
    settle();
    EXPECT_TRUE(screen->listSection.empty());
    EXPECT_EQ(table()->numberOfSections(), 0);
    EXPECT_TRUE(screen->buyCardView.lock()->isHidden());
    EXPECT_EQ(overlays(), 0);
  }
}

TEST_F(DetailScreen, SectionsFollowTheStateAndTheTab) {
  struct Case {
    const char* name;
    CardJSON card;
    std::vector<Kind> sections;
    int serviceRowsInfo, serviceRowsRule;
    bool buyBar;
  };
  const Case cases[] = {
      {"for sale", {"", 2, 2, true, "<b>Điều kiện</b>"},
       {Kind::Cover, Kind::Infomation, Kind::Promotion, Kind::InfomationService}, 2, 1, true},
      {"for sale, bare", {"", 0, 0, false, ""}, {Kind::Cover}, -1, -1, true},
      {"for sale, terms only", {"", 0, 0, false, "Điều kiện"}, {Kind::Cover, Kind::InfomationService}, 0, 1, true},
      {"awaiting payment", {"W", 2, 1, true, ""},
       {Kind::Cover, Kind::Infomation, Kind::Promotion, Kind::ConditionWait, Kind::InfomationService}, 2, 1, false},
      {"paid", {"A", 2, 0, true, ""}, {Kind::Condition, Kind::Infomation, Kind::InfomationService}, 2, -1, false},
      {"expired, terms only", {"E", 0, 1, false, "Điều kiện"}, {Kind::Condition, Kind::Promotion, Kind::InfomationService}, 0, -1, false},
  };
  for (const auto& c : cases) {
    showCard(c.card);
    EXPECT_EQ(screen->listSection, c.sections) << c.name;
    EXPECT_EQ(screen->buyCardView.lock()->isHidden(), !c.buyBar) << c.name;
    EXPECT_EQ(table()->contentInset().bottom, c.buyBar ? 60 : 20) << c.name;
    const int services = sectionOf(Kind::InfomationService);
    if (services < 0) continue;
    EXPECT_EQ(table()->numberOfRows(services), c.serviceRowsInfo) << c.name;
    auto tabs = std::dynamic_pointer_cast<DetailCardTabTableViewCell>(headerOf(Kind::InfomationService));
    EXPECT_EQ(tabs != nullptr, c.serviceRowsRule >= 0) << c.name;
    if (!tabs) {
      EXPECT_TRUE(std::dynamic_pointer_cast<MyCodeTitleTableViewCell>(headerOf(Kind::InfomationService))) << c.name;
      continue;
    }
    tap(tabs->ruleButton.lock());
    table()->layoutIfNeeded();
    EXPECT_EQ(screen->typeTabAction, TypeDetailCardTabAction::RuleButton);
    EXPECT_EQ(table()->numberOfRows(services), c.serviceRowsRule) << c.name;
    auto rule = rowOf<DetailCardRuleTableViewCell>(Kind::InfomationService);
    ASSERT_TRUE(rule) << c.name;
    EXPECT_EQ(rule->labelTitle.lock()->text().value_or(""), c.card.terms == "<b>Điều kiện</b>" ? "Điều kiện" : c.card.terms);
    tapRow(services, 0);  // the rule row opens nothing
    settle();
    EXPECT_EQ(top(), screen) << c.name << " " << top()->className();
  }
}

TEST_F(DetailScreen, TheBuyBarWaitsForTheDetailAndBuysItsCode) {
  open(TypeController::BuyCard);
  EXPECT_TRUE(screen->buyCardView.lock()->isHidden());
  screen->buyCardButtonClicked();  // no detail yet: nothing to order
  EXPECT_EQ(top(), screen);
  answerDetail(cardJSON({"", 1, 0, false, ""}), "defCardDto");
  tap(screen->buyCardView.lock()->subviews().at(0));
  settle();
  auto order = top<PaymentViewController>();
  ASSERT_TRUE(order);
  EXPECT_EQ(order->defCardCode, "SV-GYM-1M");  // the detail's code, not the opener's
}

TEST_F(DetailScreen, RootServiceRowShowsItsThreeValuesByState) {
  struct Case {
    const char* status;
    std::optional<std::string> saleDescription, ownedDescription;
    std::string value1, value2, value3;
    bool view1Hidden, qrHidden;
  };
  const Case cases[] = {
      {"", std::nullopt, std::nullopt, "<none>", "30 ngày", "30 ngày", true, true},
      {"", "<b>Không giới hạn</b>", std::nullopt, "<none>", "Không giới hạn", "30 ngày", true, true},
      {"A", std::nullopt, std::nullopt, "8 lần", "5 lần", "01/01/2027", false, false},
      {"E", std::nullopt, "Mỗi ngày <b>1 lần</b>", "Mỗi ngày 1 lần", "5 lần", "01/01/2027", false, false},
      {"W", std::nullopt, std::nullopt, "8 lần", "5 lần", "30 ngày", false, true},
  };
  for (const auto& c : cases) {
    auto card = cardJSON({c.status, 1, 0, true, ""});
    if (c.saleDescription) card["rootService"]["usageDesciption"] = *c.saleDescription;
    if (c.ownedDescription) card["rootService"]["usageDescription"] = *c.ownedDescription;
    show(card);
    auto row = rowOf<DetailCardInfomationTableViewCell>(Kind::Infomation);
    ASSERT_TRUE(row) << c.status;
    EXPECT_EQ(textOf(row->valueLabel1), c.value1) << c.status;
    EXPECT_EQ(textOf(row->valueLabel2), c.value2) << c.status;
    EXPECT_EQ(textOf(row->valueLabel3), c.value3) << c.status;
    EXPECT_EQ(row->view1.lock()->isHidden(), c.view1Hidden) << c.status;
    EXPECT_EQ(row->qrButton.lock()->isHidden(), c.qrHidden) << c.status;
  }
}

TEST_F(DetailScreen, TapsOpenWhatTheRowStandsFor) {
  struct Case {
    const char* name;
    std::string status;
    Kind section;
    int row;
    bool container;  // the service container rather than the single service screen
    bool isDetailCard;
  };
  const Case cases[] = {{"offered service", "", Kind::InfomationService, 1, false, false},
                        {"root of a card for sale", "", Kind::Infomation, 0, false, true},
                        {"service awaiting payment", "W", Kind::InfomationService, 0, false, false},
                        {"owned service", "A", Kind::InfomationService, 1, true, false},
                        {"root of an expired card", "E", Kind::Infomation, 0, true, true}};
  for (const auto& c : cases) {
    showCard({c.status, 2, 0, true, ""});
    tapRow(sectionOf(c.section), c.row);
    settle();
    const auto expectedType = c.status.empty() ? TypeDetailCard::UnPaid : screen->cardModel->type;
    const auto& expected =
        c.section == Kind::Infomation ? screen->cardModel->rootService
                                      : (c.status.empty() ? screen->cardModel->defServiceDtos : screen->cardModel->ownServiceDtos)[c.row];
    std::tuple<std::shared_ptr<DefServiceDtos>, bool, TypeDetailCard> opened;
    if (auto container = top<DetailServiceContainerViewController>())
      opened = {container->rootService, container->isDetailCard, container->parentType};
    if (auto single = top<DetailServiceViewController>())
      opened = {single->defServiceDtos, single->isDetailCard, single->parentType};
    EXPECT_EQ(top<DetailServiceContainerViewController>() != nullptr, c.container) << c.name;
    EXPECT_EQ(opened, std::tuple(expected, c.isDetailCard, expectedType)) << c.name;
    navigation->popViewController(false);
    runUntilIdle();
  }
}

TEST_F(DetailScreen, RowButtonsOpenTheGuidesAndIndexesOutsideTheListsAreIgnored) {
  showCard({"W", 1, 1, false, ""});
  tap(firstButton(rowOf<DetailCardConditionWaitPayTableViewCell>(Kind::ConditionWait)));
  settle();
  auto guide = top<TutorialPayViewController>();
  ASSERT_TRUE(guide);
  EXPECT_EQ(guide->transId, "GD01");
  navigation->popViewController(false);
  runUntilIdle();
  for (int index : {-1, 1, 7}) {
    screen->detailAction(index);
    screen->detailInfomationServiceAction(index);
  }
  settle();
  EXPECT_EQ(top(), screen);

  showCard({"A", 1, 1, false, ""});
  auto header = std::dynamic_pointer_cast<DetailCardPromotionTableViewCell>(headerOf(Kind::Promotion));
  ASSERT_TRUE(header);
  EXPECT_FALSE(header->tutorialLabel.lock()->isHidden());
  tap(header->tutorialLabel.lock());
  settle();
  auto gift = std::dynamic_pointer_cast<TutorialGiftViewController>(screen->presentedViewController());
  ASSERT_TRUE(gift);
  EXPECT_EQ(gift->text, "Quà tặng");
}

// The cover's QR sheet shows the card's fixed code, with save and share and no countdown; its
// share waits for the sheet's slide-down, then offers the picture.
TEST_F(DetailScreen, CoverQRShowsTheCardsCodeAndSharesItsPictureOnceTheSheetHasGone) {
  for (const auto& [status, code] : {std::pair{"", "SV-GYM-1M"}, std::pair{"W", "SV-GYM-1M-OWNED"}}) {
    auto card = cardJSON({status, 1, 0, false, ""});
    card["defCardCode"] = "SV-GYM-1M-OWNED";
    show(card);
    tap(rowOf<DetailCardCoverTableViewCell>(Kind::Cover)->qrButton.lock());
    settle();
    auto sheet = std::dynamic_pointer_cast<ContainerFloatingQRCodeViewController>(screen->presentedViewController());
    ASSERT_TRUE(sheet);
    auto popup = sheet->popup();
    EXPECT_EQ(sheet->code, code);
    EXPECT_EQ(decodedQR(popup->imageQRCode.lock()->image()), code);
    EXPECT_FALSE(popup->viewSaveAndShareImage.lock()->isHidden());
    EXPECT_TRUE(popup->labelTime.lock()->isHidden() && popup->labelDescription.lock()->isHidden());
    EXPECT_EQ(popup->timer, nullptr);
    tap(popup->viewSaveAndShareImage.lock()->subviews().at(1));  // "Chia sẻ"
    EXPECT_EQ(screen->presentedViewController(), sheet);  // not before the slide-down has finished
    settle();
    auto share = std::dynamic_pointer_cast<ios::UIActivityViewController>(screen->presentedViewController());
    ASSERT_TRUE(share);
    EXPECT_EQ(decodedQR(std::any_cast<std::shared_ptr<ios::UIImage>>(share->activityItems().at(0))), code);
    EXPECT_EQ(share->excludedActivityTypes,
              (std::vector<ios::UIActivityType>{ios::UIActivityType::airDrop, ios::UIActivityType::postToFacebook}));
    screen->dismiss(false);
    runUntilIdle();
  }
  EXPECT_TRUE(requestsTo(kQRPath).empty());
}

TEST_F(DetailScreen, OwnedStatesLookAsRecorded) {
  struct Case {
    const char* status;
    const char* picture;
    Kind scrolledTo;
  };
  const Case cases[] = {{"A", "card-detail-paid", Kind::Condition},
                        {"E", "card-detail-expired-services", Kind::InfomationService},
                        {"W", "card-detail-awaiting-payment", Kind::ConditionWait}};
  for (const auto& c : cases) {
    auto card = cardJSON({c.status, 2, 1, true, ""});
    card["paymentTime"] = "09:30 01/12/2026";
    show(card);
    table()->scrollToRow({sectionOf(c.scrolledTo), 0}, ios::UITableViewScrollPosition::top, false);
    advance(1);
    EXPECT_TRUE(looksAsRecorded(c.picture));
  }
}

// The tab row tells its delegate before it restyles itself.
class TabOrder : public DetailCardTabTableViewCellDelegate {
 public:
  explicit TabOrder(std::shared_ptr<DetailCardTabTableViewCell> row) : row_(std::move(row)) {}
  void tabAction(TypeDetailCardTabAction type) override {
    told.push_back(type);
    ruleOrangeWhenTold.push_back(row_->ruleButton.lock()->backgroundColor()->cgColor() ==
                                 ios::UIColor::white()->cgColor());
  }
  std::vector<TypeDetailCardTabAction> told;
  std::vector<bool> ruleOrangeWhenTold;  // true: still white, i.e. not yet restyled

 private:
  std::shared_ptr<DetailCardTabTableViewCell> row_;
};

TEST(DetailTabRow, TellsTheDelegateFirstThenRestyles) {
  auto row = fromNib<DetailCardTabTableViewCell>();
  ASSERT_TRUE(row);
  auto order = std::make_shared<TabOrder>(row);
  row->delegate = order;
  row->changeBackground(TypeDetailCardTabAction::InfoButton);
  row->ruleButtonClicked();
  row->ruleButtonClicked();  // the selected tab tells the delegate again
  EXPECT_EQ(order->told, (std::vector{TypeDetailCardTabAction::RuleButton, TypeDetailCardTabAction::RuleButton}));
  EXPECT_EQ(order->ruleOrangeWhenTold, (std::vector{true, false}));
  EXPECT_EQ(row->ruleButton.lock()->titleColor(ios::UIControl::normal)->cgColor(), ios::UIColor::white()->cgColor());
  EXPECT_EQ(row->infoButton.lock()->backgroundColor()->cgColor(), ios::UIColor::white()->cgColor());
  EXPECT_EQ(row->typeTab, TypeDetailCardTabAction::InfoButton);
}

}  // namespace
}  // namespace kerbelin::test
