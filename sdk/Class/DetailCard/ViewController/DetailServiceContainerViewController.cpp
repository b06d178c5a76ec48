#include <Class/DetailCard/ViewController/DetailServiceContainerViewController.h>

#include <Class/DetailCard/ViewController/DetailServiceViewController.h>
#include <Class/DetailCard/ViewController/HistoryServiceViewController.h>
#include <Foundation/ClassRegistry.h>
#include <UIKit/UINavigationController.h>
#include <Ultilities/Extensions/UIColorExtension.h>
#include <Ultilities/Handle/NibBundle.h>

namespace kerbelin {

namespace {
using Screen = DetailServiceContainerViewController;
const auto registration =
    ios::ClassRegistration<Screen, ios::UIViewController>("DetailServiceContainerViewController")
        .property("infoButton", &Screen::infoButton)
        .property("historyButton", &Screen::historyButton)
        .property("swipeView", &Screen::swipeView)
        .property("titleLabel", &Screen::titleLabel)
        .method("backButtonClicked:", &Screen::backButtonClicked)
        .method("infoButtonClicked:", &Screen::infoButtonClicked)
        .method("historyButtonClicked:", &Screen::historyButtonClicked);

void paint(ios::UIButton* button, bool shown) {
  if (!button) return;
  button->setBackgroundColor(shown ? colorWithRGBA("#FF5722") : ios::UIColor::white());
  button->setTitleColor(shown ? ios::UIColor::white() : colorWithRGBA("#333333"), ios::UIControl::normal);
}
}  // namespace

std::shared_ptr<DetailServiceContainerViewController> DetailServiceContainerViewController::create(
    std::optional<std::string> nibName, std::shared_ptr<ios::Bundle> bundle) {
  return std::make_shared<DetailServiceContainerViewController>(std::move(nibName), std::move(bundle));
}

DetailServiceContainerViewController::DetailServiceContainerViewController(std::optional<std::string> nibName,
                                                                           std::shared_ptr<ios::Bundle> bundle)
    : ios::UIViewController(nibName,
                            nibName ? resolveNibBundle(*nibName, std::move(bundle)) : std::move(bundle)) {}

void DetailServiceContainerViewController::viewDidLoad() {
  UIViewController::viewDidLoad();
  initSwipeMenu();
}

void DetailServiceContainerViewController::initSwipeMenu() {
  auto self = sharedAs<Screen>();
  auto menu = swipeView.lock();
  if (menu) {
    menu->dataSource = std::static_pointer_cast<ios::SwipeMenuViewDataSource>(self);
    menu->delegate = std::static_pointer_cast<ios::SwipeMenuViewDelegate>(self);
  }
  ios::SwipeMenuViewOptions menuOptions;
  menuOptions.tabView.height = 0;
  const std::string detailNib = "DetailServiceViewController";
  auto detail = DetailServiceViewController::create(detailNib);
  detail->defServiceDtos = rootService;
  detail->parentType = parentType;
  const std::string historyNib = "HistoryServiceViewController";
  auto history = HistoryServiceViewController::create(historyNib);
  history->rootService = rootService;
  addChild(detail);
  addChild(history);
  if (menu) menu->reloadData(menuOptions, std::nullopt, false);
  if (auto title = titleLabel.lock()) title->setText(isDetailCard ? "Chi tiết thẻ" : "Chi tiết dịch vụ");
  if (auto info = infoButton.lock()) {
    info->setTitle(isDetailCard ? "Thông tin thẻ" : "Thông tin dịch vụ", ios::UIControl::normal);
  }
}

void DetailServiceContainerViewController::changeBackground(int index) {
  paint(infoButton.lock().get(), index == 0);
  paint(historyButton.lock().get(), index != 0);
}

void DetailServiceContainerViewController::backButtonClicked(const std::shared_ptr<ios::NSObject>&) {
  if (auto navigation = navigationController()) navigation->popViewController(true);
}

void DetailServiceContainerViewController::infoButtonClicked(const std::shared_ptr<ios::NSObject>&) {
  showPage(0);
}

void DetailServiceContainerViewController::historyButtonClicked(const std::shared_ptr<ios::NSObject>&) {
  showPage(1);
}

void DetailServiceContainerViewController::showPage(int index) {
  if (auto menu = swipeView.lock()) menu->jump(index, true);
  changeBackground(index);
}

int DetailServiceContainerViewController::numberOfPages(ios::SwipeMenuView&) { return 2; }

std::string DetailServiceContainerViewController::titleForPageAt(ios::SwipeMenuView&, int index) {
  return "view " + std::to_string(index);
}

std::shared_ptr<ios::UIViewController> DetailServiceContainerViewController::viewControllerForPageAt(
    ios::SwipeMenuView&, int index) {
  const auto& pages = children();
  if (index < 0 || static_cast<std::size_t>(index) >= pages.size()) return nullptr;
  const auto& page = pages[static_cast<std::size_t>(index)];
  page->didMoveToParent(sharedAs<ios::UIViewController>());
  return page;
}

void DetailServiceContainerViewController::didChangeIndexFrom(ios::SwipeMenuView&, int, int toIndex) {
  changeBackground(toIndex);
}

}  // namespace kerbelin
