// The payment guide and the gift screen, opened through the router as the card detail opens them.

#include "MyCardTestSupport.h"

#include <Class/DetailCard/ViewController/TutorialGiftViewController.h>
#include <Class/DetailCard/ViewController/TutorialPayViewController.h>
#include <CoreText/NSAttributedString.h>
#include <UIKit/UIButton.h>
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
    root = ios::UIViewController::create();
    show(root);
  }
  void TearDown() override {
    root.reset();
    MyCardsTest::TearDown();
  }
  void settleAnimations() {
    advance(1);
    runUntilIdle();
    window->layoutIfNeeded();
  }

  std::shared_ptr<TutorialPayViewController> openPaymentGuide(const std::string& transId) {
    HandlePush::create()->pushTutorialPay(root, transId);
    settleAnimations();
    return std::dynamic_pointer_cast<TutorialPayViewController>(navigation->topViewController());
  }
  std::shared_ptr<TutorialGiftViewController> openGift(const std::string& text) {
    HandlePush::create()->presentTutorialGift(root, text);
    settleAnimations();
    return std::dynamic_pointer_cast<TutorialGiftViewController>(root->presentedViewController());
  }
  void answerGuide(const std::optional<Dictionary>& body, int resultCode = 0) {
    Dictionary reply = Dictionary::parse(replyText(body));
    reply["resultCode"] = resultCode;
    ASSERT_TRUE(fake->respond(requestsTo(kGuidePath).back(), ios::FakeTransport::reply(200, reply.dump())));
    runUntilIdle();
  }
  void tapFirstButton(const ios::UIView& view) {
    for (const auto& child : view.subviews()) {
      if (auto button = std::dynamic_pointer_cast<ios::UIButton>(child)) {
        touches->tap(centerOf(*button));
        settleAnimations();
        return;
      }
      tapFirstButton(*child);
    }
  }
  static std::string shown(const TutorialPayViewController& screen) { return screen.textView.lock()->text(); }

  std::shared_ptr<ios::UIViewController> root;
};

TEST_F(Guides, ThePaymentGuideAsksForItsTransactionAndShowsOnlyThePaymentGuide) {
  for (const std::string code : {"GD202612060010", ""}) {
    auto guide = openPaymentGuide(code);
    ASSERT_NE(guide, nullptr);
    ASSERT_EQ(requestsTo(kGuidePath).size(), code.empty() ? 2u : 1u);
    EXPECT_EQ(sentParams(requestsTo(kGuidePath).back()), (Dictionary{{"transId", code}}));
    answerGuide(Dictionary{{"paymentGuideCash", "Tiền mặt"},
                           {"transferInstruction", "Chuyển khoản"},
                           {"paymentGuide", "Đến quầy và đọc <b>mã đơn hàng</b>"},
                           {"noteTransfer", "Ghi chú"}});
    EXPECT_EQ(shown(*guide), "Đến quầy và đọc mã đơn hàng");
    const auto attributes = guide->textView.lock()->attributedText()->attributes(0);
    EXPECT_EQ(attributes.at(ios::NSAttributedStringKey::font).font()->pointSize(), 15);
    tapFirstButton(*guide->view());  // back
    EXPECT_EQ(navigation->topViewController(), root);
  }
}

TEST_F(Guides, ThePaymentGuideShowsWhatTheReplyHolds) {
  const std::vector<std::pair<const char*, std::function<void()>>> outcomes = {
      {"cũ", [this] { failRequest(requestsTo(kGuidePath).back()); }},
      {"cũ", [this] { answerGuide(std::nullopt); }},
      {"", [this] { answerGuide(Dictionary{{"noteTransfer", "Ghi chú"}}); }},
      {"Trả tiền mặt", [this] { answerGuide(Dictionary{{"paymentGuide", "Trả tiền mặt"}}); }},
      // The guide does not judge the server's code: a guide that comes with one is still shown.
      {"Vẫn hiện", [this] { answerGuide(Dictionary{{"paymentGuide", "Vẫn hiện"}}, 9); }},
  };
  for (const auto& [expected, outcome] : outcomes) {
    auto guide = openPaymentGuide("GD1");
    ASSERT_NE(guide, nullptr);
    guide->textView.lock()->setText("cũ");
    outcome();
    EXPECT_EQ(shown(*guide), expected);
    navigation->popViewController(false);
    runUntilIdle();
  }
}

TEST_F(Guides, TheGiftScreenIsPresentedWithItsTextAndClosesByDismissal) {
  for (const auto& [html, text] : {std::pair{"<b>Tặng</b> 1 ly cà phê", "Tặng 1 ly cà phê"}, std::pair{"", ""}}) {
    auto gift = openGift(html);
    ASSERT_NE(gift, nullptr) << html;
    EXPECT_EQ(gift->textView.lock()->text(), text);
    EXPECT_TRUE(requestsTo("/kerbelin-app/").empty());
    tapFirstButton(*gift->view());  // close
    EXPECT_EQ(root->presentedViewController(), nullptr) << html;
    EXPECT_EQ(navigation->topViewController(), root);
  }
}

}  // namespace
}  // namespace kerbelin::test
