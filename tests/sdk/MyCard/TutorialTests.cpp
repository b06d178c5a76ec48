// The payment guide and the gift screen, opened through the router as the card detail opens them.

#include "MyCardTestSupport.h"

#include <Class/DetailCard/ViewController/TutorialGiftViewController.h>
#include <Class/DetailCard/ViewController/TutorialPayViewController.h>
#include <Ultilities/Handle/HandlePush.h>

#include <functional>

namespace kerbelin::test {
namespace {

using ios::Dictionary;

inline const char kGuidePath[] = "/kerbelin-app/payment-guide/req";

class Guides : public MyCardsTest {
 protected:
  void SetUp() override {
    MyCardsTest::SetUp();
    show(root);
  }
  std::shared_ptr<TutorialPayViewController> openPaymentGuide(const std::string& transId) {
    HandlePush::create()->pushTutorialPay(root, transId);
    settle();
    return top<TutorialPayViewController>();
  }
  // Taps the screen's one button (back or close) and lets its animation end.
  void tapButton(const std::string& identifier) {
    tap(findIdentified(window, identifier));
    settle();
  }
  static std::string shown(const TutorialPayViewController& guide) { return guide.textView.lock()->text(); }

  std::shared_ptr<ios::UIViewController> root = ios::UIViewController::create();
};

TEST_F(Guides, ThePaymentGuideAsksForItsTransactionAndShowsOnlyThePaymentGuide) {
  for (const std::string code : {"GD202612060010", ""}) {
    auto guide = openPaymentGuide(code);
    EXPECT_EQ(sentParams(lastRequestTo(kGuidePath)), (Dictionary{{"transId", code}}));
    answer(lastRequestTo(kGuidePath), Dictionary{{"paymentGuideCash", "Tiền mặt"},
                                                     {"transferInstruction", "Chuyển khoản"},
                                                     {"paymentGuide", "Đến quầy, đọc <b>mã đơn hàng</b>"},
                                                     {"noteTransfer", "Ghi chú"}});
    EXPECT_EQ(shown(*guide), "Đến quầy, đọc mã đơn hàng");
    tapButton("btnBack");
    EXPECT_EQ(navigation->topViewController(), root);
  }
}

TEST_F(Guides, ThePaymentGuideShowsWhatTheReplyHolds) {
  const std::vector<std::pair<const char*, std::function<void(std::size_t)>>> outcomes = {
      {"cũ", [this](std::size_t i) { failRequest(i); }},
      {"cũ", [this](std::size_t i) { answer(i, std::nullopt); }},
      {"", [this](std::size_t i) { answer(i, Dictionary{{"noteTransfer", "Ghi chú"}}); }},
      {"Trả tiền mặt", [this](std::size_t i) { answer(i, Dictionary{{"paymentGuide", "Trả tiền mặt"}}); }},
      // The guide does not judge the server's code: a guide that comes with one is still shown.
      {"Vẫn hiện", [this](std::size_t i) { answer(i, Dictionary{{"paymentGuide", "Vẫn hiện"}}, 9); }},
  };
  for (const auto& [expected, outcome] : outcomes) {
    auto guide = openPaymentGuide("GD1");
    guide->textView.lock()->setText("cũ");
    outcome(lastRequestTo(kGuidePath));
    EXPECT_EQ(shown(*guide), expected);
  }
}

TEST_F(Guides, TheGiftScreenIsPresentedWithItsTextAndClosesByDismissal) {
  for (const auto& [html, text] : {std::pair{"<b>Tặng</b> 1 ly cà phê", "Tặng 1 ly cà phê"}, std::pair{"", ""}}) {
    HandlePush::create()->presentTutorialGift(root, html);
    settle();
    auto gift = std::dynamic_pointer_cast<TutorialGiftViewController>(root->presentedViewController());
    ASSERT_NE(gift, nullptr);
    EXPECT_EQ(gift->textView.lock()->text(), text);
    tapButton("btnClose");
    EXPECT_EQ(root->presentedViewController(), nullptr);
    EXPECT_EQ(navigation->topViewController(), root);
  }
  EXPECT_TRUE(fake->requests().empty());
}

}  // namespace
}  // namespace kerbelin::test
