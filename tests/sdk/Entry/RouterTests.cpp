// The screen router and the host's entry point: what happens without a navigation controller, and
// whose nib a screen is made from. What each target screen receives is the opening screens' own test
// (store, my cards, card detail, service detail, checkout), through their rows and buttons.

#include <Class/BuyCard/BuyCardViewController.h>
#include <Class/BuyCard/Model/CardModel.h>
#include <Class/DetailCard/ViewController/DetailCardViewController.h>
#include <Class/DetailCard/ViewController/TutorialGiftViewController.h>
#include <Class/DetailCard/ViewController/TutorialPayViewController.h>
#include <Manager.h>
#include <UIKit/UILabel.h>
#include <UIKit/UINavigationController.h>
#include <UIKit/UIWindow.h>
#include <Ultilities/Constants/Storyboards.h>
#include <Ultilities/Handle/HandlePush.h>
#include <gtest/gtest.h>
#include <sdk/Entry/EntryTestSupport.h>

#include <functional>
#include <vector>

namespace kerbelin::test {
namespace {

using ios::UINavigationController;
using ios::UIViewController;

class RouterTest : public EntryTest {
 protected:
  void SetUp() override {
    EntryTest::SetUp();
    caller = UIViewController::create();
    navigation = UINavigationController::create(caller);
    window = ios::UIWindow::create();
    window->setRootViewController(navigation);
    window->makeKeyAndVisible();
    runUntilIdle();
  }

  // The screen the last push put on top, once its slide-in has ended.
  template <class Screen>
  std::shared_ptr<Screen> pushedScreen() {
    advance(UINavigationController::transitionDuration);
    EXPECT_FALSE(navigation->isTransitioning());
    return std::dynamic_pointer_cast<Screen>(navigation->topViewController());
  }

  std::shared_ptr<HandlePush> router = HandlePush::create();
  std::shared_ptr<UIViewController> caller;
  std::shared_ptr<UINavigationController> navigation;
  std::shared_ptr<ios::UIWindow> window;
};

TEST_F(RouterTest, WithoutANavigationControllerNothingIsPushedButTheGiftGuideIsStillPresented) {
  auto alone = UIViewController::create();
  window->setRootViewController(alone);
  runUntilIdle();
  auto card = CardModel::create();
  const std::vector<std::function<void(const std::shared_ptr<UIViewController>&)>> pushes = {
      [&](const auto& root) { router->pushDetaiCard(root, TypeController::BuyCard, card); },
      [&](const auto& root) { router->pushDetaiService(root, nullptr, std::nullopt, std::nullopt); },
      [&](const auto& root) { router->pushDetaiServiceContainer(root, nullptr, std::nullopt, std::nullopt); },
      [&](const auto& root) { router->pushTutorialPay(root, "T"); },
      [&](const auto& root) { router->pushPayment(root, "C"); },
      [&](const auto& root) { router->pushWaitPayment(root, nullptr); },
      [&](const auto& root) { router->pushHistoryServiceSearchDetail(root, nullptr, nullptr); },
      [&](const auto& root) { router->pushToShopService(root, "7"); },
  };
  for (const auto& push : pushes) {
    push(alone);
    push(nullptr);
  }
  advance(1);
  EXPECT_EQ(window->rootViewController(), alone);
  EXPECT_EQ(alone->presentedViewController(), nullptr);
  EXPECT_TRUE(alone->children().empty());
  EXPECT_EQ(card.use_count(), 1);  // the dropped screens released the card

  router->presentTutorialGift(nullptr, "ignored");
  EXPECT_EQ(alone->presentedViewController(), nullptr);

  router->presentTutorialGift(alone, "Tặng thẻ cho bạn bè");
  auto gift = std::dynamic_pointer_cast<TutorialGiftViewController>(alone->presentedViewController());
  ASSERT_NE(gift, nullptr);
  EXPECT_EQ(gift->text, "Tặng thẻ cho bạn bè");
  EXPECT_EQ(gift->modalPresentationStyle, ios::UIModalPresentationStyle::fullScreen);
  EXPECT_TRUE(gift->isBeingPresented());  // animated: still on its way in
  advance(1);
  EXPECT_FALSE(gift->isBeingPresented());
  EXPECT_EQ(gift->presentingViewController(), alone);
}

TEST_F(RouterTest, ANibOfTheSameNameInTheMainBundleIsPreferredToTheFrameworksOwn) {
  ios::Bundle::setMainBundle(ios::Bundle::create(
      "host", ios::Bundle::ResourceMap{
                  {"DetailCardViewController.nib.json",
                   R"({"objects": [{"class": "UILabel", "properties": {"text": "Của ứng dụng"}}]})"}}));
  router->pushDetaiCard(caller, TypeController::BuyCard, CardModel::create());
  auto fromHost = pushedScreen<DetailCardViewController>();
  ASSERT_NE(fromHost, nullptr);
  auto label = std::dynamic_pointer_cast<ios::UILabel>(fromHost->view());
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->text(), "Của ứng dụng");

  // Any other nib still comes from the framework.
  router->pushTutorialPay(fromHost, "T-1");
  auto fromFramework = pushedScreen<TutorialPayViewController>();
  ASSERT_NE(fromFramework, nullptr);
  EXPECT_NE(fromFramework->textView.lock(), nullptr);
}

TEST_F(RouterTest, TheEntryPointGivesANewStoreScreenOnEachCallThatNavigatesOnItsHostsController) {
  Manager manager;
  auto first = manager.viewController();
  auto second = Manager().viewController();
  auto store = std::dynamic_pointer_cast<BuyCardViewController>(first);
  ASSERT_NE(store, nullptr);
  EXPECT_NE(first, second);
  EXPECT_FALSE(store->providerId.has_value());
  EXPECT_FALSE(store->isViewLoaded());
  EXPECT_EQ(shareInstanceBuyCardStoryboard(), shareInstanceBuyCardStoryboard());

  // Shown in the host's navigation stack, the store opens screens on that stack.
  navigation->pushViewController(first, false);
  router->pushDetaiCard(first, TypeController::BuyCard, CardModel::create());
  auto detail = pushedScreen<DetailCardViewController>();
  ASSERT_NE(detail, nullptr);
  EXPECT_EQ(navigation->viewControllers().size(), 3u);
}

}  // namespace
}  // namespace kerbelin::test
