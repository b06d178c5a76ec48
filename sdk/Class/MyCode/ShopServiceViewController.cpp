#include <Class/MyCode/ShopServiceViewController.h>

#include <Class/MyCode/Model/ProvideInforModel.h>
#include <Foundation/ClassRegistry.h>
#include <Foundation/Console.h>
#include <Foundation/DispatchQueue.h>
#include <Foundation/NumberFormatting.h>
#include <ObjectMapper/Mapper.h>
#include <Service/MyCardService.h>
#include <Service/ReplyDecoding.h>
#include <UIKit/UINavigationController.h>
#include <Ultilities/Common/Common.h>
#include <Ultilities/Constants/Screen.h>
#include <Ultilities/Constants/Storyboards.h>
#include <WebImage/UIImageViewWebCache.h>

#include <algorithm>

namespace kerbelin {

namespace {
using Screen = ShopServiceViewController;
const auto registration = ios::ClassRegistration<Screen, ios::UIViewController>()
                              .property("viewTop", &Screen::viewTop)
                              .property("viewHeader", &Screen::viewHeader)
                              .property("swipMenu", &Screen::swipMenu)
                              .property("labelPrepaidCard", &Screen::labelPrepaidCard)
                              .property("labelBranch", &Screen::labelBranch)
                              .property("labelIntroduce", &Screen::labelIntroduce)
                              .property("viewAction", &Screen::viewAction)
                              .property("leftViewActive", &Screen::leftViewActive)
                              .property("heightViewTop", &Screen::heightViewTop)
                              .property("topViewTop", &Screen::topViewTop)
                              .property("labelTitleHeader", &Screen::labelTitleHeader)
                              .property("imageCoverHeader", &Screen::imageCoverHeader)
                              .property("imageLogoHeader", &Screen::imageLogoHeader)
                              .method("didPressedBack:", &Screen::didPressedBack)
                              .method("didPressedIntroduce:", &Screen::didPressedIntroduce)
                              .method("didPressedBranch:", &Screen::didPressedBranch)
                              .method("didPressedPrepaidCard:", &Screen::didPressedPrepaidCard)
                              .method("handlePan:", &Screen::handlePan);

constexpr int kPages = 3;
constexpr double kTabTapGuardSeconds = 1;

ios::CGFloat topViewHeight() { return SCREEN_WIDTH() / 65 * 30 + 80; }

template <class T>
std::shared_ptr<T> scene(const std::shared_ptr<ios::UIStoryboard>& storyboard, const std::string& identifier) {
  auto made = std::dynamic_pointer_cast<T>(storyboard->instantiateViewController(identifier));
  if (!made) ios::fatalError("The storyboard has no " + identifier + " scene");
  return made;
}

void setConstant(const std::weak_ptr<ios::NSLayoutConstraint>& constraint, ios::CGFloat value) {
  if (auto shown = constraint.lock()) shown->setConstant(value);
}

void show(const std::weak_ptr<ios::UIView>& view) {
  if (auto shown = view.lock()) shown->setHidden(false);
}

void loadImage(const std::weak_ptr<ios::UIImageView>& view, const std::string& text) {
  if (auto shown = view.lock()) ios::sd_setImage(*shown, ios::URL::fromString(text), nullptr, 0, nullptr);
}
}  // namespace

std::shared_ptr<ShopServiceViewController> ShopServiceViewController::create() {
  return std::make_shared<ShopServiceViewController>();
}

ShopServiceViewController::ShopServiceViewController()
    : viewIntroduct(scene<IntroductSeviceViewController>(shareInstanceMyCodeStoryboard(),
                                                         "IntroductSeviceViewController")),
      viewBranch(scene<BranchServiceViewController>(shareInstanceMyCodeStoryboard(), "BranchServiceViewController")),
      viewBuyCard(scene<BuyCardViewController>(shareInstanceBuyCardStoryboard(), "BuyCardViewController")) {}

void ShopServiceViewController::viewDidLoad() {
  UIViewController::viewDidLoad();
  setConstant(heightViewTop, topViewHeight());
  if (providerId) getInforService(*providerId);
  if (auto header = viewHeader.lock()) header->setAlpha(0);
  if (auto bar = viewAction.lock()) Common::SetShadowAndcornerRadiusView(*bar, 5);
}

void ShopServiceViewController::viewDidAppear(bool animated) {
  UIViewController::viewDidAppear(animated);
  setConstant(heightViewTop, topViewHeight());
  topPadding = Common::getTopPadding();
}

// ---- Provider

void ShopServiceViewController::getInforService(const std::string& id) {
  overlay_ = WSLoadingView::showWithMask();
  auto weak = weakAs<ShopServiceViewController>();
  auto overlay = overlay_;
  auto ended = [weak, overlay](ios::Dictionary&& reply) {
    WSLoadingView::hide(overlay);
    if (auto self = weak.lock()) self->applyProvider(std::move(reply));
  };
  // A failure only takes the overlay away; the page stays empty.
  MyCardService::create()->getInforService({{"providerCode", ""}, {"providerId", id}}, ended,
                                           [ended](const std::string&) { ended(nullptr); });
}

void ShopServiceViewController::applyProvider(ios::Dictionary reply) {
  auto body = bodyRequiringResultCodeZero(std::move(reply));
  if (!body || !body->contains("list")) return;
  auto records = ios::mapArrayIfAllObjects<ProvideInforModel>(std::move((*body)["list"]));
  if (!records) return;
  initSwipeMenu();
  if (!records->empty()) {
    const auto& first = *records->front();
    loadImage(imageLogoHeader, first.logo);
    loadImage(imageCoverHeader, first.image);
    if (auto title = labelTitleHeader.lock()) title->setText(first.name);
  }
  viewIntroduct->GetData(std::move(*records));
}

// ---- Tabs

void ShopServiceViewController::initSwipeMenu() {
  show(viewTop);
  show(viewAction);
  auto self = sharedAs<ShopServiceViewController>();
  viewIntroduct->delegate = self;
  viewBranch->delegate = self;
  viewBranch->providerId = providerId;
  viewBuyCard->delegate = self;
  viewBuyCard->isCheckHiddenViewHeader = true;
  if (providerId) viewBuyCard->providerId = providerId;
  for (const auto& tab : std::initializer_list<std::shared_ptr<ios::UIViewController>>{viewIntroduct, viewBranch, viewBuyCard})
    addChild(tab);
  if (auto menu = swipMenu.lock()) {
    menu->dataSource = self;
    menu->delegate = self;
    ios::SwipeMenuViewOptions options;
    options.tabView.height = 0;
    menu->reloadData(options);
  }
  view()->addGestureRecognizer(ios::UIPanGestureRecognizer::create(self, "handlePan:"));
}

int ShopServiceViewController::numberOfPages(ios::SwipeMenuView&) { return kPages; }

std::string ShopServiceViewController::titleForPageAt(ios::SwipeMenuView&, int index) {
  return "view " + std::to_string(index);
}

std::shared_ptr<ios::UIViewController> ShopServiceViewController::viewControllerForPageAt(ios::SwipeMenuView&,
                                                                                         int index) {
  const auto& tab = children().at(static_cast<std::size_t>(index));
  tab->didMoveToParent(sharedAs<ios::UIViewController>());
  return tab;
}

void ShopServiceViewController::didChangeIndexFrom(ios::SwipeMenuView&, int, int toIndex) {
  choiceViewBottom(toIndex);
}

void ShopServiceViewController::choiceViewBottom(int index) {
  if (!isCheckScollSileMenu) showTab(index);
}

void ShopServiceViewController::showTab(int index) {
  const int page = std::clamp(index, 0, kPages - 1);
  auto bar = viewAction.lock();
  setConstant(leftViewActive, (bar ? bar->frame().size.width : 0) * page / kPages);
  const std::weak_ptr<ios::UILabel> captions[kPages] = {labelIntroduce, labelBranch, labelPrepaidCard};
  for (int i = 0; i < kPages; ++i)
    if (auto caption = captions[i].lock()) caption->setTextColor(i == page ? ios::UIColor::white() : ios::UIColor::black());
}

void ShopServiceViewController::tapTab(int index, bool guarded) {
  showTab(index);
  if (auto menu = swipMenu.lock()) menu->jump(index, true);
  if (!guarded) return;
  // The jump reports the pages it passes; they must not restyle the tab bar meanwhile.
  isCheckScollSileMenu = true;
  auto weak = weakAs<ShopServiceViewController>();
  ios::DispatchQueue::main().asyncAfter(kTabTapGuardSeconds, [weak] {
    if (auto self = weak.lock()) self->isCheckScollSileMenu = false;
  });
}

void ShopServiceViewController::didPressedIntroduce(const std::shared_ptr<ios::NSObject>&) { tapTab(0, true); }

void ShopServiceViewController::didPressedBranch(const std::shared_ptr<ios::NSObject>&) { tapTab(1, false); }

void ShopServiceViewController::didPressedPrepaidCard(const std::shared_ptr<ios::NSObject>&) { tapTab(2, true); }

void ShopServiceViewController::didPressedBack(const std::shared_ptr<ios::NSObject>&) {
  if (auto navigation = navigationController()) navigation->popViewController(true);
}

// ---- Header fold

ios::CGFloat ShopServiceViewController::collapseLimit() const {
  return -(SCREEN_WIDTH() / 65 * 30 + 36 - topPadding);
}

void ShopServiceViewController::setTopOffset(ios::CGFloat constant) {
  const ios::CGFloat limit = collapseLimit();
  const ios::CGFloat clamped = std::clamp(constant, limit, ios::CGFloat(0));
  setConstant(topViewTop, clamped);
  if (auto header = viewHeader.lock()) header->setAlpha(clamped / limit);
}

void ShopServiceViewController::scrollTableView(ios::CGFloat hieu) {
  auto top = topViewTop.lock();
  if (!top) return;
  const ios::CGFloat c = top->constant();
  const ios::CGFloat limit = collapseLimit();
  const bool moves = (c > limit && c < 0) || (c == 0 && hieu > 0) || (c == limit && hieu < 0);
  if (moves) {
    ios::print(ios::doubleDescription((c - hieu) / limit));
    setTopOffset(c - hieu);
  }
  holdLists(moves);
}

void ShopServiceViewController::holdLists(bool holdStill) {
  viewIntroduct->isUpdateContentOfset = holdStill;
  viewBranch->isUpdateContentOfset = holdStill;
  viewBuyCard->isUpdateContentOfset = holdStill;
}

void ShopServiceViewController::handlePan(const std::shared_ptr<ios::UIPanGestureRecognizer>& recognizer) {
  auto top = topViewTop.lock();
  if (!recognizer || !top) return;
  if (recognizer->state() == ios::UIGestureRecognizer::State::began) {
    oldTranslationY = top->constant();
    ios::print(ios::doubleDescription(oldTranslationY));
  } else if (recognizer->state() == ios::UIGestureRecognizer::State::changed) {
    setTopOffset(oldTranslationY + recognizer->translation(view().get()).y);
  }
}

}  // namespace kerbelin
