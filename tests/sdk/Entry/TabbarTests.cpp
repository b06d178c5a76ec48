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

bool isNamedImage(const std::shared_ptr<ios::UIImage>& image, const std::string& name) {
  return image && image->description().find("main: " + name + ")") != std::string::npos;
}

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

TEST_F(TabbarTest, LoadingBuildsFourTabsEachInANavigationControllerWithAHiddenBar) {
  auto shell = loadedShell();
  const auto& tabs = shell->viewControllers();
  ASSERT_EQ(tabs.size(), 4u);
  const std::string titles[] = {"Mua Thẻ", "Thẻ của tôi", "Mã của tôi", "Quét mã"};
  for (std::size_t i = 0; i < tabs.size(); ++i) {
    auto navigation = std::dynamic_pointer_cast<ios::UINavigationController>(tabs[i]);
    ASSERT_NE(navigation, nullptr) << i;
    EXPECT_TRUE(navigation->isNavigationBarHidden()) << i;
    ASSERT_EQ(navigation->viewControllers().size(), 1u);
    EXPECT_EQ(navigation->tabBarItem()->title, titles[i]);
    EXPECT_EQ(navigation->tabBarItem()->tag, static_cast<long>(i));
  }
  auto rootOf = [&](std::size_t i) {
    return std::static_pointer_cast<ios::UINavigationController>(tabs[i])->viewControllers().front();
  };
  EXPECT_NE(std::dynamic_pointer_cast<BuyCardViewController>(rootOf(0)), nullptr);
  EXPECT_NE(std::dynamic_pointer_cast<MyCardViewController>(rootOf(1)), nullptr);
  EXPECT_NE(std::dynamic_pointer_cast<MyCodeViewController>(rootOf(2)), nullptr);
  EXPECT_NE(std::dynamic_pointer_cast<QRCodeViewController>(rootOf(3)), nullptr);
  EXPECT_EQ(shell->selectedIndex(), 0u);
  EXPECT_EQ(shell->tabBar()->items().size(), 4u);
}

TEST_F(TabbarTest, TabsShowTheirOwnImagesUntinted) {
  auto shell = loadedShell();
  const std::string names[] = {"Icon_muathe", "Icon_thecuatoi", "Icon_macuatoi", "Icon_quetma"};
  const auto& items = shell->tabBar()->items();
  ASSERT_EQ(items.size(), 4u);
  for (std::size_t i = 0; i < items.size(); ++i) {
    EXPECT_TRUE(isNamedImage(items[i]->image, names[i] + "_unactive")) << i;
    EXPECT_TRUE(isNamedImage(items[i]->selectedImage, names[i] + "_active")) << i;
    ASSERT_TRUE(items[i]->image && items[i]->selectedImage) << i;
    EXPECT_EQ(items[i]->image->renderingMode(), ios::UIImageRenderingMode::alwaysOriginal);
    EXPECT_EQ(items[i]->selectedImage->renderingMode(), ios::UIImageRenderingMode::alwaysOriginal);
  }
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
  auto shell = loadedShell();
  auto params = sentParams(ownCardRequest());
  EXPECT_EQ(params, (ios::Dictionary{{"isPaid", true},
                                     {"keySearch", ""},
                                     {"mobilePhone", phoneUser},
                                     {"pageIndex", 1},
                                     {"pageSize", 10}}));
  EXPECT_EQ(params["isPaid"].type(), ios::Dictionary::value_t::boolean);
}

TEST_F(TabbarTest, APaidOrInUseCardSwitchesToMyCards) {
  for (const char* status : {"A", "O"}) {
    auto shell = loadedShell();
    answer(cardsBody({card("W"), card(status)}));
    EXPECT_EQ(shell->selectedIndex(), 1u) << status;
    EXPECT_TRUE(shell->isSelectTabMyCard) << status;
    fake = ios::FakeTransport::create();
    ios::HTTPClient::shared()->setTransport(fake);
  }
}

TEST_F(TabbarTest, RepliesWithoutAUsablePaidCardLeaveTheStore) {
  const std::vector<std::pair<std::string, std::optional<ios::Dictionary>>> replies = {
      {"expired, cancelled, waiting", cardsBody({card("E"), card("C"), card("W")})},
      {"lower-case letter", cardsBody({card("a"), card("o")})},
      {"a stray element refuses the whole array", cardsBody({card("A"), 5})},
      {"cards not an array", cardsBody(card("A"))},
      {"no ownCardDtos", ios::Dictionary{{"lstCate", ios::Dictionary::array({card("A")})}}},
      {"no body", std::nullopt},
  };
  for (const auto& [label, body] : replies) {
    auto shell = loadedShell();
    answer(body);
    EXPECT_EQ(shell->selectedIndex(), 0u) << label;
    EXPECT_FALSE(shell->isSelectTabMyCard) << label;
    fake = ios::FakeTransport::create();
    ios::HTTPClient::shared()->setTransport(fake);
  }
}

TEST_F(TabbarTest, AFailedRequestChangesNothing) {
  auto shell = loadedShell();
  ASSERT_TRUE(
      fake->fail(ownCardRequest(), ios::HTTPError{ios::HTTPError::Kind::connectionRefused, "refused"}));
  runUntilIdle();
  EXPECT_EQ(shell->selectedIndex(), 0u);
  EXPECT_FALSE(shell->isSelectTabMyCard);
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
