#pragma once

#include <Foundation/NSObject.h>
#include <UIKit/UIViewController.h>
#include <Ultilities/Enums/Enums.h>

#include <memory>
#include <optional>
#include <string>

namespace kerbelin {

class AccountEntryDtos;
class CardModel;
class DefServiceDtos;
class HistoryModel;
class PaymentModel;

// The screen router: the one place where a screen opens another screen that needs inputs. Each
// operation makes the target screen (from its nib, with `init()` or from its storyboard scene), sets
// every input before the screen can load its view, and pushes it with animation on the navigation
// controller of `rootViewController`. Without a `rootViewController`, or when it is in no navigation
// controller, nothing is shown and the new screen is dropped; nothing is reported either.
// `presentTutorialGift` alone presents modally from `rootViewController` itself.
//
// Stateless: make one for each navigation. Models are handed on by reference, unchecked; a null
// model reaches the target as null.
class HandlePush : public ios::NSObject {
 public:
  static std::shared_ptr<HandlePush> create();

  // The card detail, told which list opened it.
  void pushDetaiCard(const std::shared_ptr<ios::UIViewController>& rootViewController, TypeController type,
                     std::shared_ptr<CardModel> cardModel);

  // A service's detail, or the container of its detail and usage history. An absent `isDetailCard`
  // becomes false, an absent `type` becomes `UnPaid`.
  void pushDetaiService(const std::shared_ptr<ios::UIViewController>& rootViewController,
                        std::shared_ptr<DefServiceDtos> cardModel, std::optional<bool> isDetailCard,
                        std::optional<TypeDetailCard> type);
  void pushDetaiService(const std::shared_ptr<ios::UIViewController>& rootViewController,
                        std::shared_ptr<DefServiceDtos> cardModel, std::optional<TypeDetailCard> type);
  void pushDetaiServiceContainer(const std::shared_ptr<ios::UIViewController>& rootViewController,
                                 std::shared_ptr<DefServiceDtos> rootService,
                                 std::optional<bool> isDetailCard, std::optional<TypeDetailCard> type);
  void pushDetaiServiceContainer(const std::shared_ptr<ios::UIViewController>& rootViewController,
                                 std::shared_ptr<DefServiceDtos> rootService,
                                 std::optional<TypeDetailCard> type);

  void pushTutorialPay(const std::shared_ptr<ios::UIViewController>& rootViewController,
                       const std::string& transId);
  // Presented modally, with the platform's default presentation style.
  void presentTutorialGift(const std::shared_ptr<ios::UIViewController>& rootViewController,
                           const std::string& text);
  // The order screen for the card whose code is `text`.
  void pushPayment(const std::shared_ptr<ios::UIViewController>& rootViewController, const std::string& text);
  void pushWaitPayment(const std::shared_ptr<ios::UIViewController>& rootViewController,
                       std::shared_ptr<PaymentModel> paymentModel);
  void pushHistoryServiceSearchDetail(const std::shared_ptr<ios::UIViewController>& rootViewController,
                                      std::shared_ptr<AccountEntryDtos> accountEntryDtos,
                                      std::shared_ptr<HistoryModel> historyModel);
  // The provider page (scene "ShopServiceViewController" of the storyboard "MyCode").
  void pushToShopService(const std::shared_ptr<ios::UIViewController>& rootViewController,
                         const std::string& providerId);
};

}  // namespace kerbelin
