// The screen router and the host's entry point: what each target screen receives, how it is shown,
// and what happens without a navigation controller.

#include <Class/BuyCard/BuyCardViewController.h>
#include <Class/BuyCard/Model/CardModel.h>
#include <Class/BuyCard/Model/DefServiceDtos.h>
#include <Class/DetailCard/Model/AccountEntryDtos.h>
#include <Class/DetailCard/Model/HistoryModel.h>
#include <Class/DetailCard/ViewController/DetailCardViewController.h>
#include <Class/DetailCard/ViewController/DetailServiceContainerViewController.h>
#include <Class/DetailCard/ViewController/DetailServiceViewController.h>
#include <Class/DetailCard/ViewController/HistoryServiceSearchDetailViewController.h>
#include <Class/DetailCard/ViewController/TutorialGiftViewController.h>
#include <Class/DetailCard/ViewController/TutorialPayViewController.h>
#include <Class/MyCode/ShopServiceViewController.h>
#include <Class/Pay/Model/PaymentModel.h>
#include <Class/Pay/PaymentViewController.h>
#include <Class/Pay/WaitPaymentViewController.h>
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

TEST_F(RouterTest, CardDetailReceivesTheListItCameFromAndTheSameCardAndSlidesIn) {
  auto card = CardModel::create();
  card->code = "PKG-01";
  router->pushDetaiCard(caller, TypeController::BuyCard, card);

  ASSERT_EQ(navigation->viewControllers().size(), 2u);
  auto detail = std::dynamic_pointer_cast<DetailCardViewController>(navigation->topViewController());
  ASSERT_NE(detail, nullptr);
  EXPECT_EQ(detail->typeController, TypeController::BuyCard);
  EXPECT_EQ(detail->baseModel, card);
  EXPECT_TRUE(navigation->isTransitioning());  // pushed with animation
  EXPECT_EQ(pushedScreen<DetailCardViewController>(), detail);

  router->pushDetaiCard(detail, TypeController::MyCard, card);
  auto fromMyCards = pushedScreen<DetailCardViewController>();
  ASSERT_NE(fromMyCards, nullptr);
  EXPECT_NE(fromMyCards, detail);
  EXPECT_EQ(fromMyCards->typeController, TypeController::MyCard);
}

TEST_F(RouterTest, ServiceScreensDefaultAnAbsentFlagToFalseAndAnAbsentStateToUnPaid) {
  auto service = DefServiceDtos::create();

  router->pushDetaiService(caller, service, true, TypeDetailCard::Paid);
  auto passed = pushedScreen<DetailServiceViewController>();
  ASSERT_NE(passed, nullptr);
  EXPECT_EQ(passed->defServiceDtos, service);
  EXPECT_TRUE(passed->isDetailCard);
  EXPECT_EQ(passed->parentType, TypeDetailCard::Paid);

  router->pushDetaiService(passed, nullptr, std::nullopt, std::nullopt);
  auto defaulted = pushedScreen<DetailServiceViewController>();
  ASSERT_NE(defaulted, nullptr);
  EXPECT_FALSE(defaulted->isDetailCard);
  EXPECT_EQ(defaulted->parentType, TypeDetailCard::UnPaid);

  router->pushDetaiServiceContainer(defaulted, service, true, TypeDetailCard::Expire);
  auto container = pushedScreen<DetailServiceContainerViewController>();
  ASSERT_NE(container, nullptr);
  EXPECT_EQ(container->rootService, service);
  EXPECT_TRUE(container->isDetailCard);
  EXPECT_EQ(container->parentType, TypeDetailCard::Expire);

  // The flag left out altogether, the state given.
  router->pushDetaiServiceContainer(container, service, TypeDetailCard::WaitPay);
  auto withoutFlag = pushedScreen<DetailServiceContainerViewController>();
  ASSERT_NE(withoutFlag, nullptr);
  EXPECT_FALSE(withoutFlag->isDetailCard);
  EXPECT_EQ(withoutFlag->parentType, TypeDetailCard::WaitPay);

  router->pushDetaiServiceContainer(withoutFlag, service, std::nullopt);
  auto bothAbsent = pushedScreen<DetailServiceContainerViewController>();
  ASSERT_NE(bothAbsent, nullptr);
  EXPECT_FALSE(bothAbsent->isDetailCard);
  EXPECT_EQ(bothAbsent->parentType, TypeDetailCard::UnPaid);
  EXPECT_EQ(navigation->viewControllers().size(), 6u);
}

TEST_F(RouterTest, PaymentTutorialHistoryAndProviderScreensReceiveTheirInputs) {
  router->pushTutorialPay(caller, "TX-778");
  auto tutorial = pushedScreen<TutorialPayViewController>();
  ASSERT_NE(tutorial, nullptr);
  EXPECT_EQ(tutorial->transId, "TX-778");

  router->pushPayment(tutorial, "DEF-CARD-9");
  auto payment = pushedScreen<PaymentViewController>();
  ASSERT_NE(payment, nullptr);
  EXPECT_EQ(payment->defCardCode, "DEF-CARD-9");

  auto order = PaymentModel::create();
  router->pushWaitPayment(payment, order);
  auto waiting = pushedScreen<WaitPaymentViewController>();
  ASSERT_NE(waiting, nullptr);
  EXPECT_EQ(waiting->paymentModel, order);

  auto entry = AccountEntryDtos::create();
  auto history = HistoryModel::create();
  router->pushHistoryServiceSearchDetail(waiting, entry, history);
  auto historyDetail = pushedScreen<HistoryServiceSearchDetailViewController>();
  ASSERT_NE(historyDetail, nullptr);
  EXPECT_EQ(historyDetail->accountEntryDtos, entry);
  EXPECT_EQ(historyDetail->historyModel, history);

  router->pushToShopService(historyDetail, "42");
  auto provider = pushedScreen<ShopServiceViewController>();
  ASSERT_NE(provider, nullptr);
  EXPECT_EQ(provider->providerId, "42");
  EXPECT_EQ(navigation->viewControllers().size(), 6u);
}

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

TEST_F(RouterTest, TheGiftGuideIsPresentedModallyAlsoFromInsideANavigationController) {
  router->presentTutorialGift(caller, "Quà tặng");
  advance(1);
  EXPECT_EQ(navigation->viewControllers().size(), 1u);
  auto gift = std::dynamic_pointer_cast<TutorialGiftViewController>(navigation->presentedViewController());
  ASSERT_NE(gift, nullptr);
  EXPECT_EQ(gift->text, "Quà tặng");
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
