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
    auto waiting = std::dynamic_pointer_cast<WaitPaymentViewController>(navigation->topViewController());
    advance(1);
    return waiting;
  }

  static std::string text(const std::weak_ptr<ios::UILabel>& label) {
    return label.lock()->text().value_or("(none)");
  }
  static std::string richText(const std::weak_ptr<ios::UILabel>& label) {
    auto attributed = label.lock()->attributedText();
    return attributed ? attributed->string() : "(none)";
  }
};

TEST_F(WaitScreen, AsksForThePaymentOnlyForAPlacedOrder) {
  struct Case {
    const char* name;
    std::function<void(Dictionary&)> change;
    std::optional<Dictionary> params;  // none: no request
  };
  const Dictionary full = {{"amount", 520000}, {"defCardNo", "KB000123"}, {"mobilePhone", phoneUser},
                           {"orderNo", "DH0001"}};
  Dictionary free = full;
  free["amount"] = 0;
  const std::vector<Case> cases = {
      {"placed order", [](Dictionary&) {}, full},
      {"amount 0 still asks", [](Dictionary& o) { o["amount"] = 0; }, free},
      {"no card number", [](Dictionary& o) { o.erase("cardNo"); }, std::nullopt},
      {"no order number", [](Dictionary& o) { o.erase("orderNo"); }, std::nullopt},
      {"amount as text", [](Dictionary& o) { o["amount"] = "520000"; }, std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Dictionary order = orderJSON();
    c.change(order);
    const auto before = requestsTo(kWaitPath).size();
    open(order);
    const auto sent = requestsTo(kWaitPath);
    ASSERT_EQ(sent.size(), before + (c.params ? 1 : 0));
    if (c.params) EXPECT_EQ(sentParams(sent.back()), *c.params);
  }
  HandlePush::create()->pushWaitPayment(caller, nullptr);
  advance(1);
  EXPECT_EQ(requestsTo(kWaitPath).size(), 2u);
}

TEST_F(WaitScreen, ShowsAmountOrderDeadlineAndGuideAsTheServerWroteThem) {
  struct Case {
    const char* name;
    std::function<void(std::size_t)> outcome;
    std::vector<std::string> shown;  // money, order line, deadline line, guide text
  };
  const Dictionary reply = {{"orderNo", "DH0001"},
                            {"amount", "520.000 đ"},
                            {"expirationTime", "10:30"},
                            {"expirationDate", "08/12/2026"},
                            {"paymentGuide", "<p><b>Thanh toán</b> tại quầy</p>"}};
  const std::vector<Case> cases = {
      {"full reply", [&](std::size_t i) { answer(i, reply); },
       {"520.000 đ", "Mã đơn hàng DH0001", "Hạn thanh toán đến 10:30 ngày 08/12/2026", "Thanh toán tại quầy\n"}},
      {"empty body", [&](std::size_t i) { answer(i, Dictionary::object()); },
       {"", "Mã đơn hàng ", "Hạn thanh toán đến  ngày ", ""}},
      {"no body", [&](std::size_t i) { answer(i, std::nullopt); },
       {"(none)", "(none)", "(none)", "(none)"}},
      {"failure", [&](std::size_t i) { failRequest(i, "Hết thời gian chờ"); },
       {"(none)", "(none)", "(none)", "(none)"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    auto waiting = open(orderJSON());
    c.outcome(requestsTo(kWaitPath).back());
    EXPECT_EQ((std::vector<std::string>{text(waiting->moneyLabel), text(waiting->codeLabel),
                                        text(waiting->dteLabel), richText(waiting->desLabel)}),
              c.shown);
  }
}

TEST_F(WaitScreen, DoneRefreshesMyCardsSelectsTheirTabAndReturnsToTheRoot) {
  auto shell = TabbarViewController::sharedInstance();
  shell->loadViewIfNeeded();
  shell->setSelectedIndex(0);
  struct Seen {
    std::size_t tab;
    std::size_t stack;
  };
  std::vector<Seen> seen;
  auto token = ios::NotificationCenter::defaultCenter().addObserver(
      NotificationName::RefreshMyCardPage, nullptr,
      [&](const ios::Notification&) { seen.push_back({shell->selectedIndex(), navigation->viewControllers().size()}); });

  for (const char* control : {"btnBack", "btnDone"}) {
    SCOPED_TRACE(control);
    HandlePush::create()->pushPayment(caller, "PKG-SWIM-10");
    advance(1);
    auto waiting = open(orderJSON());
    ASSERT_EQ(navigation->viewControllers().size(), 3u);
    tap(*find(waiting->view(), control));
    EXPECT_EQ(navigation->viewControllers().size(), 1u);  // at once: not animated
    EXPECT_FALSE(navigation->isTransitioning());
  }
  ios::NotificationCenter::defaultCenter().removeObserver(token);
  ASSERT_EQ(seen.size(), 1u);  // done only
  EXPECT_EQ(seen[0].tab, 0u);  // posted before the tab changed
  EXPECT_EQ(seen[0].stack, 3u);
  EXPECT_EQ(shell->selectedIndex(), 1u);
}

}  // namespace
}  // namespace kerbelin::test
