// The waiting-for-payment screen: the pending-payment request, the four texts it shows, and the
// way out to my cards.

#include "PayTestSupport.h"

#include <Class/Pay/Model/PaymentModel.h>
#include <Class/Tabbar/TabbarViewController.h>
#include <CoreText/NSAttributedString.h>
#include <Foundation/NotificationCenter.h>
#include <ObjectMapper/Mapper.h>
#include <Ultilities/Constants/Constants.h>

#include <functional>

namespace kerbelin::test {
namespace {

using ios::Dictionary;

class WaitScreen : public PayTest {
 protected:
  std::shared_ptr<WaitPaymentViewController> open(const Dictionary& order) {
    HandlePush::create()->pushWaitPayment(caller, ios::mapObject<PaymentModel>(order));
    auto waiting = top<WaitPaymentViewController>();
    advance(1);
    return waiting;
  }

  // Money, order line, deadline line and guide; "(none)" for a label never written.
  static std::vector<std::string> shown(const WaitPaymentViewController& waiting) {
    auto guide = waiting.desLabel.lock()->attributedText();
    std::vector<std::string> texts;
    for (const auto& label : {waiting.moneyLabel, waiting.codeLabel, waiting.dteLabel})
      texts.push_back(label.lock()->text().value_or("(none)"));
    texts.push_back(guide ? guide->string() : "(none)");
    return texts;
  }
};

TEST_F(WaitScreen, AsksForThePaymentOnlyForAPlacedOrder) {
  const Dictionary placed = {{"amount", 520000}, {"defCardNo", "KB000123"}, {"mobilePhone", phoneUser},
                             {"orderNo", "DH0001"}};
  Dictionary free = placed;
  free["amount"] = 0;
  const std::vector<std::tuple<const char*, std::function<void(Dictionary&)>, std::optional<Dictionary>>> cases = {
      {"placed order", [](Dictionary&) {}, placed},
      {"amount 0 still asks", [](Dictionary& o) { o["amount"] = 0; }, free},
      {"no card number", [](Dictionary& o) { o.erase("cardNo"); }, std::nullopt},
      {"no order number", [](Dictionary& o) { o.erase("orderNo"); }, std::nullopt},
      {"amount as text", [](Dictionary& o) { o["amount"] = "520000"; }, std::nullopt},
  };
  for (const auto& [name, change, params] : cases) {
    SCOPED_TRACE(name);
    Dictionary order = orderJSON();
    change(order);
    const auto before = requestsTo(kWaitPath).size();
    open(order);
    const auto sent = requestsTo(kWaitPath);
    ASSERT_EQ(sent.size(), before + (params ? 1 : 0));
    if (params) {
      EXPECT_EQ(sentParams(sent.back()), *params);
    }
  }
  HandlePush::create()->pushWaitPayment(caller, nullptr);
  advance(1);
  EXPECT_EQ(requestsTo(kWaitPath).size(), 2u);
}

TEST_F(WaitScreen, ShowsAmountOrderDeadlineAndGuideAsTheServerWroteThem) {
  const Dictionary reply = {{"orderNo", "DH0001"}, {"amount", "520.000 đ"}, {"expirationTime", "10:30"},
                            {"expirationDate", "08/12/2026"}, {"paymentGuide", "<p><b>Thanh toán</b> tại quầy</p>"}};
  const std::vector<std::string> untouched = {"(none)", "(none)", "(none)", "(none)"};
  const std::vector<std::pair<std::function<void(std::size_t)>, std::vector<std::string>>> cases = {
      {[&](std::size_t i) { answer(i, reply); },
       {"520.000 đ", "Mã đơn hàng DH0001", "Hạn thanh toán đến 10:30 ngày 08/12/2026", "Thanh toán tại quầy\n"}},
      {[&](std::size_t i) { answer(i, Dictionary::object()); }, {"", "Mã đơn hàng ", "Hạn thanh toán đến  ngày ", ""}},
      {[&](std::size_t i) { answer(i, std::nullopt); }, untouched},
      {[&](std::size_t i) {
         fake->fail(i, ios::HTTPError{ios::HTTPError::Kind::timedOut, "timed out"});
         runUntilIdle();
       },
       untouched},
  };
  for (const auto& [outcome, expected] : cases) {
    SCOPED_TRACE(expected[1]);
    auto waiting = open(orderJSON());
    outcome(requestsTo(kWaitPath).back());
    EXPECT_EQ(shown(*waiting), expected);
  }
}

TEST_F(WaitScreen, DoneRefreshesMyCardsSelectsTheirTabAndReturnsToTheRoot) {
  auto shell = TabbarViewController::sharedInstance();
  shell->loadViewIfNeeded();
  shell->setSelectedIndex(0);
  std::vector<std::pair<std::size_t, std::size_t>> seen;  // tab and stack size when posted
  auto token = ios::NotificationCenter::defaultCenter().addObserver(
      NotificationName::RefreshMyCardPage, nullptr,
      [&](const ios::Notification&) { seen.emplace_back(shell->selectedIndex(), navigation->viewControllers().size()); });
  for (const char* control : {"btnBack", "btnDone"}) {
    SCOPED_TRACE(control);
    HandlePush::create()->pushPayment(caller, "PKG-SWIM-10");
    advance(1);
    auto waiting = open(orderJSON());
    ASSERT_EQ(navigation->viewControllers().size(), 3u);
    tap(*findIdentified(waiting->view(), control));
    EXPECT_EQ(navigation->viewControllers().size(), 1u);  // at once: not animated
    EXPECT_EQ(shell->selectedIndex(), std::string(control) == "btnDone" ? 1u : 0u);
  }
  ios::NotificationCenter::defaultCenter().removeObserver(token);
  EXPECT_EQ(seen, (std::vector<std::pair<std::size_t, std::size_t>>{{0, 3}}));  // done only, before the rest
}

}  // namespace
}  // namespace kerbelin::test
