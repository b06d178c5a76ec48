#include <Class/Tabbar/TabbarViewController.h>

#include <Class/BuyCard/BuyCardViewController.h>
#include <Class/BuyCard/Model/CardModel.h>
#include <Class/CustomView/ViewAlertNoInternet.h>
#include <Class/MyCard/MyCardViewController.h>
#include <Class/MyCode/MyCodeViewController.h>
#include <Class/QRCode/QRCodeViewController.h>
#include <CoreText/UIFont.h>
#include <Foundation/Console.h>
#include <ObjectMapper/Mapper.h>
#include <Service/MyCardService.h>
#include <Service/ReplyDecoding.h>
#include <UIKit/Nib/UINib.h>
#include <UIKit/UIImage.h>
#include <UIKit/UINavigationController.h>
#include <UIKit/UITabBarItem.h>
#include <Ultilities/Constants/Constants.h>
#include <Ultilities/Constants/Screen.h>
#include <Ultilities/Constants/Storyboards.h>
#include <Ultilities/Enums/Enums.h>
#include <Ultilities/Extensions/UIColorExtension.h>

#include <algorithm>

namespace kerbelin {

namespace {

constexpr ios::CGFloat kBannerSideInset = 15;
constexpr ios::CGFloat kBannerHeight = 90;
constexpr ios::CGFloat kTitleFontSize = 11;
constexpr ios::CGFloat kTitleRaise = -4;
constexpr const char* kTitleColorNormal = "#333333";
constexpr const char* kTitleColorSelected = "#F26739";

struct Tab {
  const char* title;
  const std::shared_ptr<ios::UIStoryboard>& (*storyboard)();
  const char* scene;
};

std::shared_ptr<ios::UIViewController> instantiateRoot(const Tab& tab) {
  auto screen = tab.storyboard()->instantiateViewController(tab.scene);
  // The scenes ship with the framework; a missing one or one of another class is a packaging fault.
  const bool expectedClass = std::dynamic_pointer_cast<BuyCardViewController>(screen) ||
                             std::dynamic_pointer_cast<MyCardViewController>(screen) ||
                             std::dynamic_pointer_cast<MyCodeViewController>(screen) ||
                             std::dynamic_pointer_cast<QRCodeViewController>(screen);
  if (!screen || screen->className() != tab.scene || !expectedClass) {
    ios::fatalError(std::string("The tab scene \"") + tab.scene + "\" is missing from the framework");
  }
  return screen;
}

std::shared_ptr<ViewAlertNoInternet> loadBanner() {
  auto loaded = ios::loadNibNamed(ios::Bundle::main(), "ViewAlertNoInternet", nullptr);
  for (const auto& object : loaded.objects) {
    if (auto banner = std::dynamic_pointer_cast<ViewAlertNoInternet>(object)) return banner;
  }
  // An embedding host need not ship the banner's nib; the shell then carries a bare banner.
  return ViewAlertNoInternet::create();
}

// The paid cards of a reply: none unless its body holds "ownCardDtos" as an array of objects only.
std::vector<std::shared_ptr<CardModel>> ownedCards(ios::Dictionary reply) {
  auto body = bodyIgnoringResultCode(std::move(reply));
  if (!body) return {};
  auto found = body->find("ownCardDtos");
  if (found == body->end()) return {};
  return ios::mapArrayIfAllObjects<CardModel>(std::move(*found)).value_or(std::vector<std::shared_ptr<CardModel>>{});
}

bool hasPaidCard(const std::vector<std::shared_ptr<CardModel>>& cards) {
  return std::any_of(cards.begin(), cards.end(), [](const std::shared_ptr<CardModel>& card) {
    return card->status == rawValue(StatusCard::A) || card->status == rawValue(StatusCard::O);
  });
}

std::shared_ptr<TabbarViewController>& singleton() {
  // Never destroyed: the shell lives for the whole process, past static destruction.
  static auto* shell = new std::shared_ptr<TabbarViewController>();
  return *shell;
}

}  // namespace

std::shared_ptr<TabbarViewController> TabbarViewController::sharedInstance() {
  auto& shell = singleton();
  if (!shell) shell = create();
  return shell;
}

std::shared_ptr<TabbarViewController> TabbarViewController::create() {
  return std::make_shared<TabbarViewController>();
}

TabbarViewController::TabbarViewController(std::optional<std::string> nibName,
                                           std::shared_ptr<ios::Bundle> bundle)
    : ios::UITabBarController(std::move(nibName), std::move(bundle)), viewNoInternet(loadBanner()) {}

const std::vector<std::string>& TabbarViewController::arrayOfImageNameForUnselectedState() const {
  static const std::vector<std::string> names = {"Icon_muathe_unactive", "Icon_thecuatoi_unactive",
                                                 "Icon_macuatoi_unactive", "Icon_quetma_unactive"};
  return names;
}

const std::vector<std::string>& TabbarViewController::arrayOfImageNameForSelectedState() const {
  static const std::vector<std::string> names = {"Icon_muathe_active", "Icon_thecuatoi_active",
                                                 "Icon_macuatoi_active", "Icon_quetma_active"};
  return names;
}

void TabbarViewController::viewDidLoad() {
  ios::UITabBarController::viewDidLoad();
  viewNoInternet->setFrame({0, 0, SCREEN_WIDTH() - kBannerSideInset, kBannerHeight});
  viewNoInternet->setHidden(true);
  view()->addSubview(viewNoInternet);
  viewNoInternet->setCenter(view()->center());
  initTabbar();
  getMyCardData();
}

void TabbarViewController::initTabbar() {
  static const Tab tabs[] = {
      {"Mua Thẻ", shareInstanceBuyCardStoryboard, "BuyCardViewController"},
      {"Thẻ của tôi", shareInstanceMyCardStoryboard, "MyCardViewController"},
      {"Mã của tôi", shareInstanceMyCodeStoryboard, "MyCodeViewController"},
      {"Quét mã", shareInstanceQRCodeStoryboard, "QRCodeViewController"},
  };
  std::vector<std::shared_ptr<ios::UIViewController>> controllers;
  long tag = 0;
  for (const Tab& tab : tabs) {
    auto navigationController = ios::UINavigationController::create(instantiateRoot(tab));
    navigationController->setNavigationBarHidden(true);
    // The images come in `configTabbar()`; an empty name finds none.
    navigationController->setTabBarItem(ios::UITabBarItem::create(tab.title, ios::UIImage::named(""), tag++));
    controllers.push_back(std::move(navigationController));
  }
  setViewControllers(std::move(controllers));
  ios::UITabBar::appearance().barTintColor = ios::UIColor::white();
  ios::UITabBar::appearance().backgroundColor = ios::UIColor::white();
  configTabbar();
}

void TabbarViewController::configTabbar() {
  const auto& items = tabBar()->items();
  const auto& selectedNames = arrayOfImageNameForSelectedState();
  const auto& unselectedNames = arrayOfImageNameForUnselectedState();
  const std::size_t count = std::min({items.size(), selectedNames.size(), unselectedNames.size()});
  auto untinted = [](const std::string& name) -> std::shared_ptr<ios::UIImage> {
    auto image = ios::UIImage::named(name);
    return image ? image->withRenderingMode(ios::UIImageRenderingMode::alwaysOriginal) : nullptr;
  };
  for (std::size_t i = 0; i < count; ++i) {
    items[i]->selectedImage = untinted(selectedNames[i]);
    items[i]->image = untinted(unselectedNames[i]);
  }
  const auto selectedColor = colorWithRGBA(kTitleColorSelected);
  const auto normalColor = colorWithRGBA(kTitleColorNormal);
  const auto font = ios::UIFont::systemFont(kTitleFontSize);
  auto& itemAppearance = ios::UITabBarItem::appearance();
  itemAppearance.setTitleTextAttributes(
      {{ios::NSAttributedStringKey::font, font},
       {ios::NSAttributedStringKey::foregroundColor, normalColor->cgColor()}},
      ios::UIControl::normal);
  itemAppearance.setTitleTextAttributes(
      {{ios::NSAttributedStringKey::foregroundColor, selectedColor->cgColor()}}, ios::UIControl::selected);
  itemAppearance.titlePositionAdjustment = ios::UIOffset{0, kTitleRaise};
  tabBar()->isTranslucent = false;
}

void TabbarViewController::getMyCardData() {
  ios::Dictionary params = {
      {"isPaid", true}, {"keySearch", ""}, {"mobilePhone", phoneUser}, {"pageIndex", 1}, {"pageSize", 10}};
  auto weakSelf = weakAs<TabbarViewController>();
  MyCardService::create()->getListMyCard(
      params,
      [weakSelf](ios::Dictionary&& reply) {
        if (!hasPaidCard(ownedCards(std::move(reply)))) return;
        auto self = weakSelf.lock();
        if (!self) return;
        self->isSelectTabMyCard = true;
        self->setSelectedIndex(1);
      },
      [](const std::string&) {});
}

}  // namespace kerbelin
