#pragma once

// A fixture for my cards: the store's fixture (virtual clock, fake transport, the simulator's main
// bundle, a key window and touches) showing the my-cards scene in a navigation controller, with
// helpers that answer its requests with owned cards the way the back-end sends them.

#include <Class/BuyCard/Model/CardModel.h>
#include <Class/MyCard/MyCardViewController.h>
#include <sdk/Store/StoreTestSupport.h>

#include <string>
#include <vector>

namespace kerbelin::test {

inline const char kOwnCardsPath[] = "/kerbelin-app/v1/own-card/search/req";

// One owned card of a reply.
struct OwnCardFixture {
  std::string name = "Thẻ";
  std::string status = "A";
  int services = 1;
  bool rootService = true;
  std::vector<std::string> balances = {"8 lần"};  // availableUnit of each balance, first shown
  std::optional<std::string> rgb;
  std::string image;
};

inline ios::Dictionary ownCardJSON(const OwnCardFixture& card) {
  ios::Dictionary balances = ios::Dictionary::array();
  for (const auto& left : card.balances) balances.push_back({{"allocatedUnit", "10 lần"}, {"availableUnit", left}});
  ios::Dictionary services = ios::Dictionary::array();
  for (int i = 0; i < card.services; ++i) {
    services.push_back({{"namDefService", "Dịch vụ " + std::to_string(i + 1)}, {"ownAccountDtos", balances}});
  }
  ios::Dictionary json = {{"name", card.name},
                          {"status", card.status},
                          {"cardNoDisplay", "KB26 1100 0101"},
                          {"price", "1.200.000 đ"},
                          {"paymentExpirationDate", "10:30 08/12/2026"},
                          {"image", card.image},
                          {"ownServiceDtos", services}};
  if (card.rootService) {
    json["rootService"] = {{"expirationDate", "31/12/2026"}, {"ownAccountDtos", balances}};
  }
  if (card.rgb) json["styleDto"] = {{"rgb", *card.rgb}};
  return json;
}

class MyCardsTest : public StoreTest {
 protected:
  void TearDown() override {
    myCards.reset();
    StoreTest::TearDown();
  }

  void showMyCards() {
    myCards = std::dynamic_pointer_cast<MyCardViewController>(
        shareInstanceMyCardStoryboard()->instantiateViewController("MyCardViewController"));
    ASSERT_NE(myCards, nullptr);
    show(myCards);
    runUntilIdle();
  }

  // `screen` as a tab shows it: the root of a navigation controller whose bar is hidden.
  void show(const std::shared_ptr<ios::UIViewController>& screen) {
    navigation = ios::UINavigationController::create(screen);
    navigation->setNavigationBarHidden(true);
    window->setRootViewController(navigation);
    runUntilIdle();
  }

  std::vector<std::size_t> listRequests() const { return requestsTo(kOwnCardsPath); }
  std::size_t lastListRequest() const {
    const auto all = listRequests();
    EXPECT_FALSE(all.empty());
    return all.empty() ? 0 : all.back();
  }
  // The page the request at `index` asked for.
  int pageAsked(std::size_t index) const { return sentParams(index)["pageIndex"].get<int>(); }

  void answerCards(std::size_t index, const std::vector<OwnCardFixture>& cards) {
    ios::Dictionary list = ios::Dictionary::array();
    for (const auto& card : cards) list.push_back(ownCardJSON(card));
    answer(index, ios::Dictionary{{"ownCardDtos", list}});
    myCards->tableView.lock()->layoutIfNeeded();
  }
  // `count` cards named "<prefix> 1" ... "<prefix> count".
  static std::vector<OwnCardFixture> named(const std::string& prefix, int count) {
    std::vector<OwnCardFixture> list(count);
    for (int i = 0; i < count; ++i) list[i].name = prefix + " " + std::to_string(i + 1);
    return list;
  }
  // Shows the screen and answers its first page with `cards`.
  void showWith(const std::vector<OwnCardFixture>& cards) {
    showMyCards();
    answerCards(lastListRequest(), cards);
  }

  std::vector<std::string> shownNames() const {
    std::vector<std::string> names;
    for (const auto& [card, rows] : myCards->dataMyCard) names.push_back(card->name);
    return names;
  }

  std::shared_ptr<ios::UITableView> list() const { return myCards->tableView.lock(); }
  template <class Cell>
  std::shared_ptr<Cell> rowAt(ios::IndexPath indexPath) {
    list()->scrollToRow(indexPath, ios::UITableViewScrollPosition::top, false);
    list()->layoutIfNeeded();
    return std::dynamic_pointer_cast<Cell>(list()->cellForRow(indexPath));
  }

  // A flick up the list, as far as one drag goes.
  void flickUp() {
    touches->drag({187, 650}, {187, 150}, 0.08, 10);
    runUntilIdle();
  }

  std::shared_ptr<MyCardViewController> myCards;
};

}  // namespace kerbelin::test
