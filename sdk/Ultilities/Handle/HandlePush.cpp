#include <Ultilities/Handle/HandlePush.h>

#include <Class/BuyCard/Model/CardModel.h>
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
#include <Foundation/ClassRegistry.h>
#include <Foundation/Console.h>
#include <UIKit/UINavigationController.h>
#include <Ultilities/Constants/Storyboards.h>

namespace kerbelin {

namespace {

const auto registration = ios::ClassRegistration<HandlePush>("HandlePush");

void push(const std::shared_ptr<ios::UIViewController>& rootViewController,
          const std::shared_ptr<ios::UIViewController>& screen) {
  if (!rootViewController) return;
  if (auto navigationController = rootViewController->navigationController()) {
    navigationController->pushViewController(screen, true);
  }
}

// A screen made from its nib, named exactly after its class, with no bundle given.
template <class Screen>
std::shared_ptr<Screen> fromNib() {
  return Screen::create(ios::NSObject::className<Screen>(), nullptr);
}

}  // namespace

std::shared_ptr<HandlePush> HandlePush::create() {
  return std::make_shared<HandlePush>();
}

void HandlePush::pushDetaiCard(const std::shared_ptr<ios::UIViewController>& rootViewController,
                               TypeController type, std::shared_ptr<CardModel> cardModel) {
  auto screen = fromNib<DetailCardViewController>();
  screen->typeController = type;
  screen->baseModel = std::move(cardModel);
  push(rootViewController, screen);
}

void HandlePush::pushDetaiService(const std::shared_ptr<ios::UIViewController>& rootViewController,
                                  std::shared_ptr<DefServiceDtos> cardModel, std::optional<bool> isDetailCard,
                                  std::optional<TypeDetailCard> type) {
  auto screen = fromNib<DetailServiceViewController>();
  screen->defServiceDtos = std::move(cardModel);
  screen->isDetailCard = isDetailCard.value_or(false);
  screen->parentType = type.value_or(TypeDetailCard::UnPaid);
  push(rootViewController, screen);
}

void HandlePush::pushDetaiService(const std::shared_ptr<ios::UIViewController>& rootViewController,
                                  std::shared_ptr<DefServiceDtos> cardModel,
                                  std::optional<TypeDetailCard> type) {
  pushDetaiService(rootViewController, std::move(cardModel), std::nullopt, type);
}

void HandlePush::pushDetaiServiceContainer(const std::shared_ptr<ios::UIViewController>& rootViewController,
                                           std::shared_ptr<DefServiceDtos> rootService,
                                           std::optional<bool> isDetailCard,
                                           std::optional<TypeDetailCard> type) {
  auto screen = fromNib<DetailServiceContainerViewController>();
  screen->rootService = std::move(rootService);
  screen->parentType = type.value_or(TypeDetailCard::UnPaid);
  screen->isDetailCard = isDetailCard.value_or(false);
  push(rootViewController, screen);
}

void HandlePush::pushDetaiServiceContainer(const std::shared_ptr<ios::UIViewController>& rootViewController,
                                           std::shared_ptr<DefServiceDtos> rootService,
                                           std::optional<TypeDetailCard> type) {
  pushDetaiServiceContainer(rootViewController, std::move(rootService), std::nullopt, type);
}

void HandlePush::pushTutorialPay(const std::shared_ptr<ios::UIViewController>& rootViewController,
                                 const std::string& transId) {
  auto screen = fromNib<TutorialPayViewController>();
  screen->transId = transId;
  push(rootViewController, screen);
}

void HandlePush::presentTutorialGift(const std::shared_ptr<ios::UIViewController>& rootViewController,
                                     const std::string& text) {
  auto screen = fromNib<TutorialGiftViewController>();
  screen->text = text;
  if (rootViewController) rootViewController->present(screen, true, nullptr);
}

void HandlePush::pushPayment(const std::shared_ptr<ios::UIViewController>& rootViewController,
                             const std::string& text) {
  auto screen = PaymentViewController::create();
  screen->defCardCode = text;
  push(rootViewController, screen);
}

void HandlePush::pushWaitPayment(const std::shared_ptr<ios::UIViewController>& rootViewController,
                                 std::shared_ptr<PaymentModel> paymentModel) {
  auto screen = WaitPaymentViewController::create();
  screen->paymentModel = std::move(paymentModel);
  push(rootViewController, screen);
}

void HandlePush::pushHistoryServiceSearchDetail(
    const std::shared_ptr<ios::UIViewController>& rootViewController,
    std::shared_ptr<AccountEntryDtos> accountEntryDtos, std::shared_ptr<HistoryModel> historyModel) {
  auto screen = HistoryServiceSearchDetailViewController::create();
  screen->accountEntryDtos = std::move(accountEntryDtos);
  screen->historyModel = std::move(historyModel);
  push(rootViewController, screen);
}

void HandlePush::pushToShopService(const std::shared_ptr<ios::UIViewController>& rootViewController,
                                   const std::string& providerId) {
  // The scene is part of the framework's resources; a missing one is a packaging fault.
  auto screen = std::dynamic_pointer_cast<ShopServiceViewController>(
      shareInstanceMyCodeStoryboard()->instantiateViewController("ShopServiceViewController"));
  if (!screen) ios::fatalError("The storyboard \"MyCode\" has no ShopServiceViewController scene");
  screen->providerId = providerId;
  push(rootViewController, screen);
}

}  // namespace kerbelin
