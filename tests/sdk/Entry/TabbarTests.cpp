// The tab shell: its four tabs and their look, the banner it carries, and the start-up request for
// paid cards that may switch it to "Thẻ của tôi".

#include <Class/BuyCard/BuyCardViewController.h>
#include <Class/CustomView/ViewAlertNoInternet.h>
#include <Class/MyCard/MyCardViewController.h>
#include <Class/MyCode/MyCodeViewController.h>
#include <Class/QRCode/QRCodeViewController.h>
#include <Class/Tabbar/TabbarViewController.h>
#include <UIKit/UIImage.h>
#include <UIKit/UILabel.h>
#include <UIKit/UINavigationController.h>
#include <UIKit/UITabBarItem.h>
#include <Ultilities/Constants/Constants.h>
#include <gtest/gtest.h>
#include <sdk/Entry/EntryTestSupport.h>

#include <functional>
#include <string>

namespace kerbelin::test {
namespace {

bool isNamedImage(const std::shared_ptr<ios::UIImage>& image, const std::string& name) {
  return image && image->description().find("main: " + name + ")") != std::string::npos;
}

class TabbarTest : public EntryTest {
 protected:
  // A shell whose view has loaded, and the index of its start-up request.
  std::shared_ptr<TabbarViewController> loadedShell() {
    auto shell = TabbarViewController::create();
    shell->loadViewIfNeeded();
    runUntilIdle();
    return shell;
  }

  std::size_t ownCardRequest() {
    auto found = requestsTo(kOwnCardPath);
    EXPECT_FALSE(found.empty());
    return found.empty() ? 0 : found.front();
  }

  // Answers the start-up request with `body` (no body at all when nullopt) and delivers the reply.
  void answer(const std::optional<ios::Dictionary>& body) { FakeBackendTest::answer(ownCardRequest(), body); }

  static ios::Dictionary cardsBody(ios::Dictionary cards) { return {{"ownCardDtos", std::move(cards)}}; }
  static ios::Dictionary card(const std::string& status) {
    return {{"code", "C-" + status}, {"status", status}};
  }
};

TEST_F(TabbarTest, TheSharedShellIsMadeOnceWithoutLoadingItsView) {
  auto shared = TabbarViewController::sharedInstance();
  ASSERT_NE(shared, nullptr);
  EXPECT_EQ(TabbarViewController::sharedInstance(), shared);
  // Loading the view would send the start-up request (another test may have shown the shared shell
  // already, so the view's state alone proves nothing here).
  runUntilIdle();
  EXPECT_TRUE(fake->requests().empty());
  EXPECT_NE(TabbarViewController::create(), shared);  // a shell made directly is another one
  EXPECT_FALSE(shared->isSelectTabMyCard);
}

TEST_F(TabbarTest, LoadingBuildsFourTabsEachInANavigationControllerWithAHiddenBarAndUntintedImages) {
  auto shell = loadedShell();
  const auto& tabs = shell->viewControllers();
  ASSERT_EQ(tabs.size(), 4u);
  ASSERT_EQ(shell->tabBar()->items().size(), 4u);
  const std::string titles[] = {"Mua Thẻ", "Thẻ của tôi", "Mã của tôi", "Quét mã"};
  const std::string images[] = {"Icon_muathe", "Icon_thecuatoi", "Icon_macuatoi", "Icon_quetma"};
  for (std::size_t i = 0; i < tabs.size(); ++i) {
    SCOPED_TRACE(titles[i]);
    auto navigation = std::dynamic_pointer_cast<ios::UINavigationController>(tabs[i]);
    ASSERT_NE(navigation, nullptr);
    EXPECT_TRUE(navigation->isNavigationBarHidden());
    ASSERT_EQ(navigation->viewControllers().size(), 1u);
    EXPECT_EQ(navigation->tabBarItem()->title, titles[i]);
    EXPECT_EQ(navigation->tabBarItem()->tag, static_cast<long>(i));
    const auto& item = shell->tabBar()->items()[i];
    ASSERT_TRUE(isNamedImage(item->image, images[i] + "_unactive"));
    ASSERT_TRUE(isNamedImage(item->selectedImage, images[i] + "_active"));
    EXPECT_EQ(item->image->renderingMode(), ios::UIImageRenderingMode::alwaysOriginal);
    EXPECT_EQ(item->selectedImage->renderingMode(), ios::UIImageRenderingMode::alwaysOriginal);
  }
  auto rootOf = [&](std::size_t i) {
    return std::static_pointer_cast<ios::UINavigationController>(tabs[i])->viewControllers().front();
  };
  EXPECT_NE(std::dynamic_pointer_cast<BuyCardViewController>(rootOf(0)), nullptr);
  EXPECT_NE(std::dynamic_pointer_cast<MyCardViewController>(rootOf(1)), nullptr);
  EXPECT_NE(std::dynamic_pointer_cast<MyCodeViewController>(rootOf(2)), nullptr);
  EXPECT_NE(std::dynamic_pointer_cast<QRCodeViewController>(rootOf(3)), nullptr);
  EXPECT_EQ(shell->selectedIndex(), 0u);
}

TEST_F(TabbarTest, TheBannerFromTheHostsNibIsHiddenOnTopOfTheShell) {
  auto shell = TabbarViewController::create();
  auto banner = shell->viewNoInternet;
  ASSERT_NE(banner, nullptr);
  ASSERT_FALSE(banner->subviews().empty());  // the nib's content, not a bare banner
  auto title = std::dynamic_pointer_cast<ios::UILabel>(banner->subviews().front());
  ASSERT_NE(title, nullptr);
  EXPECT_EQ(title->text(), "Không có kết nối Internet");

  shell->loadViewIfNeeded();
  EXPECT_TRUE(banner->isHidden());
  EXPECT_EQ(banner->superview(), shell->view());
  // Above the tab's content, so that it shows when the monitor unhides it.
  auto& subviews = shell->view()->subviews();
  EXPECT_EQ(subviews.back(), banner);
}

TEST_F(TabbarTest, WithoutTheHostsNibTheShellCarriesABareBanner) {
  ios::Bundle::setMainBundle(nullptr);
  auto shell = TabbarViewController::create();
  ASSERT_NE(shell->viewNoInternet, nullptr);
  EXPECT_TRUE(shell->viewNoInternet->subviews().empty());
}

TEST_F(TabbarTest, TheStartUpRequestAsksForTheFirstTenPaidCardsOfTheCustomer) {
  loadedShell();
  EXPECT_EQ(sentParams(ownCardRequest()), (ios::Dictionary{{"isPaid", true},
                                                           {"keySearch", ""},
                                                           {"mobilePhone", phoneUser},
                                                           {"pageIndex", 1},
                                                           {"pageSize", 10}}));
}

TEST_F(TabbarTest, OnlyAPaidOrInUseCardSwitchesToMyCards) {
  const struct {
    std::string label;
    std::optional<ios::Dictionary> body;
    bool switches;
    bool fails = false;
  } cases[] = {
      {"paid", cardsBody({card("W"), card("A")}), true},
      {"in use", cardsBody({card("W"), card("O")}), true},
      {"expired, cancelled, waiting", cardsBody({card("E"), card("C"), card("W")}), false},
      {"lower-case letter", cardsBody({card("a"), card("o")}), false},
      {"a stray element refuses the whole array", cardsBody({card("A"), 5}), false},
      {"cards not an array", cardsBody(card("A")), false},
      {"no ownCardDtos", ios::Dictionary{{"lstCate", ios::Dictionary::array({card("A")})}}, false},
      {"no body", std::nullopt, false},
      {"failed request", std::nullopt, false, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    fake = ios::FakeTransport::create();
    ios::HTTPClient::shared()->setTransport(fake);
    auto shell = loadedShell();
    if (c.fails) {
      failRequest(ownCardRequest());
    } else {
      answer(c.body);
    }
    EXPECT_EQ(shell->selectedIndex(), c.switches ? 1u : 0u);
    EXPECT_EQ(shell->isSelectTabMyCard, c.switches);
  }
}

TEST_F(TabbarTest, AShellReleasedBeforeTheReplyIsLeftAlone) {
  auto shell = loadedShell();
  std::weak_ptr<TabbarViewController> weak = shell;
  shell.reset();
  EXPECT_TRUE(weak.expired());  // the pending request does not keep the shell
  answer(cardsBody({card("A")}));
  EXPECT_TRUE(weak.expired());
}

}  // namespace
}  // namespace kerbelin::test
