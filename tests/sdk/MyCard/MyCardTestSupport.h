#pragma once

// A fixture for my cards: the store's fixture (fake back-end, virtual clock, host bundle, window and
// touches) showing screens as a tab does, with owned cards answered the way the back-end sends them.

#include <Class/BuyCard/Model/CardModel.h>
#include <Class/MyCard/MyCardViewController.h>
#include <sdk/Store/StoreTestSupport.h>

#include <string>
#include <vector>

namespace kerbelin::test {

inline const char kOwnCardsPath[] = "/kerbelin-app/v1/own-card/search/req";

struct OwnCardFixture {
  std::string name = "Thẻ";
  std::string status = "A";
  int services = 1;
  bool rootService = true;
  std::vector<std::string> balances = {"8 lần"};  // availableUnit of each balance, first shown
  std::optional<std::string> rgb{};
  std::string image{};
};

inline ios::Dictionary ownCardJSON(const OwnCardFixture& card) {
  ios::Dictionary balances = ios::Dictionary::array();
  for (const auto& left : card.balances) balances.push_back({{"availableUnit", left}});
  ios::Dictionary services = ios::Dictionary::array();
  for (int i = 1; i <= card.services; ++i) {
    services.push_back({{"namDefService", "Dịch vụ " + std::to_string(i)}, {"ownAccountDtos", balances}});
  }
  ios::Dictionary json = {{"name", card.name},   {"status", card.status}, {"cardNoDisplay", "KB26 1100 0101"},
                          {"price", "1.200.000 đ"}, {"image", card.image},  {"paymentExpirationDate", "10:30 08/12"},
                          {"ownServiceDtos", services}};
  if (card.rootService) json["rootService"] = {{"expirationDate", "31/12/2026"}, {"ownAccountDtos", balances}};
  if (card.rgb) json["styleDto"] = {{"rgb", *card.rgb}};
  return json;
}

class MyCardsTest : public StoreTest {
 protected:
  void TearDown() override {
    myCards.reset();
    StoreTest::TearDown();
  }

  // `screen` as a tab shows it: the root of a navigation controller whose bar is hidden.
  void show(const std::shared_ptr<ios::UIViewController>& screen) {
    navigation = ios::UINavigationController::create(screen);
    navigation->setNavigationBarHidden(true);
    window->setRootViewController(navigation);
    runUntilIdle();
  }
  // A new my-cards screen whose first page holds `cards`.
  void showWith(const std::vector<OwnCardFixture>& cards) {
    myCards = std::dynamic_pointer_cast<MyCardViewController>(
        shareInstanceMyCardStoryboard()->instantiateViewController("MyCardViewController"));
    show(myCards);
    answerCards(last(), cards);
  }

  std::size_t last() const { return requestsTo(kOwnCardsPath).back(); }
  std::size_t sent() const { return requestsTo(kOwnCardsPath).size(); }
  int pageAsked(std::size_t index) const { return sentParams(index)["pageIndex"].get<int>(); }
  void answerCards(std::size_t index, const std::vector<OwnCardFixture>& cards) {
    ios::Dictionary list = ios::Dictionary::array();
    for (const auto& card : cards) list.push_back(ownCardJSON(card));
    answer(index, ios::Dictionary{{"ownCardDtos", list}});
    listView()->layoutIfNeeded();
  }
  static std::vector<OwnCardFixture> named(const std::string& prefix, int count) {
    std::vector<OwnCardFixture> cards(count);
    for (int i = 0; i < count; ++i) cards[i].name = prefix + " " + std::to_string(i + 1);
    return cards;
  }
  std::vector<std::string> shownNames() const {
    std::vector<std::string> names;
    for (const auto& section : myCards->dataMyCard) names.push_back(section.first->name);
    return names;
  }

  std::shared_ptr<ios::UITableView> listView() const { return myCards->tableView.lock(); }
  template <class Cell>
  std::shared_ptr<Cell> rowAt(ios::IndexPath indexPath) {
    return rowOf<Cell>(*listView(), indexPath);
  }
  void flickUp() {
    touches->drag({187, 650}, {187, 150}, 0.08, 10);
    runUntilIdle();
  }
  void pullDown() {
    listView()->setContentOffset({0, 0});
    touches->drag({187, 200}, {187, 450}, 0.5, 20);
    runUntilIdle();
  }

  std::shared_ptr<MyCardViewController> myCards;
};

}  // namespace kerbelin::test
