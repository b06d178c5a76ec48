#include <UIKit/UIViewController.h>

#include <Foundation/Console.h>
#include <UIKit/UINavigationController.h>
#include <UIKit/UIScreen.h>
#include <UIKit/UITabBarController.h>
#include <UIKit/UIWindow.h>

#include <algorithm>

namespace ios {

namespace {

// The length of the platform's modal slide.
constexpr double kPresentationDuration = 0.35;

const auto registration = ClassRegistration<UIViewController, UIResponder>("UIViewController")
                              .factory([] { return UIViewController::create(); })
                              .property("title", &UIViewController::title);

UIViewController::NibViewLoader& nibViewLoader() {
  static UIViewController::NibViewLoader loader;
  return loader;
}

// Whether the presenter's view leaves the window under a presented controller of this style. The
// `custom` style is the one alerts and sheets use: they fade in over the presenter, which stays.
bool coversPresenter(UIModalPresentationStyle style) {
  return style != UIModalPresentationStyle::overFullScreen &&
         style != UIModalPresentationStyle::overCurrentContext && style != UIModalPresentationStyle::custom;
}

bool fades(UIModalPresentationStyle style) { return style == UIModalPresentationStyle::custom; }

// The controller whose presentation context `controller` is in: its topmost container.
std::shared_ptr<UIViewController> contextRoot(std::shared_ptr<UIViewController> controller) {
  while (auto parent = controller->parent()) controller = parent;
  return controller;
}

}  // namespace

std::shared_ptr<UIViewController> UIViewController::create() { return std::make_shared<UIViewController>(); }

UIViewController::UIViewController(std::optional<std::string> nibName, std::shared_ptr<Bundle> nibBundle)
    : nibName_(std::move(nibName)), nibBundle_(std::move(nibBundle)) {}

UIViewController::~UIViewController() = default;

void UIViewController::setNibViewLoader(NibViewLoader loader) { nibViewLoader() = std::move(loader); }

const std::shared_ptr<UIView>& UIViewController::view() {
  if (!view_) {
    loadView();
    if (!view_) setView(UIView::create(UIScreen::main()->bounds()));
    viewDidLoad();
  }
  return view_;
}

void UIViewController::setView(std::shared_ptr<UIView> view) {
  if (view_) view_->setViewDelegate({});
  view_ = std::move(view);
  if (view_) view_->setViewDelegate(std::static_pointer_cast<UIResponder>(shared_from_this()));
}

void UIViewController::loadView() {
  if (nibViewLoader()) {
    // Asked with an empty name too: a storyboard scene's controller has no nib name but a view to load.
    auto bundle = nibBundle_ ? nibBundle_ : Bundle::main();
    if (nibViewLoader()(*this, nibName_.value_or(""), bundle) && view_) return;
  }
  auto plain = UIView::create(UIScreen::main()->bounds());
  plain->setBackgroundColor(nullptr);
  setView(plain);
}

void UIViewController::beginAppearanceTransition(bool appearing, bool animated) {
  const bool already = appearing ? (appearance_ == Appearance::appeared || appearance_ == Appearance::appearing)
                                 : (appearance_ == Appearance::disappeared || appearance_ == Appearance::disappearing);
  if (already) return;
  appearance_ = appearing ? Appearance::appearing : Appearance::disappearing;
  appearanceAnimated_ = animated;
  if (appearing) {
    viewWillAppear(animated);
  } else {
    viewWillDisappear(animated);
  }
  for (const auto& child : children_)
    if (child->isViewLoaded() && child->view()->superview()) child->beginAppearanceTransition(appearing, animated);
}

void UIViewController::endAppearanceTransition() {
  if (appearance_ == Appearance::appearing) {
    appearance_ = Appearance::appeared;
    viewDidAppear(appearanceAnimated_);
  } else if (appearance_ == Appearance::disappearing) {
    appearance_ = Appearance::disappeared;
    viewDidDisappear(appearanceAnimated_);
  } else {
    return;
  }
  for (const auto& child : children_) child->endAppearanceTransition();
}

std::shared_ptr<UITabBarItem> UIViewController::tabBarItem() {
  if (!tabBarItem_) tabBarItem_ = UITabBarItem::create(title, nullptr, 0);
  return tabBarItem_;
}

void UIViewController::addChild(const std::shared_ptr<UIViewController>& child) {
  if (!child || child.get() == this) return;
  auto self = std::static_pointer_cast<UIViewController>(shared_from_this());
  if (child->parent() == self) return;
  child->removeFromParent();
  child->willMoveToParent(self);
  children_.push_back(child);
  child->parent_ = self;
}

void UIViewController::removeFromParent() {
  auto parent = this->parent();
  if (!parent) return;
  auto self = std::static_pointer_cast<UIViewController>(shared_from_this());
  auto& siblings = parent->children_;
  siblings.erase(std::remove(siblings.begin(), siblings.end(), self), siblings.end());
  parent_.reset();
  didMoveToParent(nullptr);
}

std::shared_ptr<UINavigationController> UIViewController::navigationController() const {
  for (auto p = parent(); p; p = p->parent())
    if (auto nav = std::dynamic_pointer_cast<UINavigationController>(p)) return nav;
  return nullptr;
}

std::shared_ptr<UITabBarController> UIViewController::tabBarController() const {
  for (auto p = parent(); p; p = p->parent())
    if (auto tabs = std::dynamic_pointer_cast<UITabBarController>(p)) return tabs;
  return nullptr;
}

std::shared_ptr<UIWindow> UIViewController::viewWindow() const { return view_ ? view_->window() : nullptr; }

std::shared_ptr<UIViewController> UIViewController::presentedViewController() const {
  if (presented_) return presented_;
  if (auto p = parent()) return p->presentedViewController();
  return nullptr;
}

std::shared_ptr<UIViewController> UIViewController::presentingViewController() const {
  if (auto presenter = presenting_.lock()) return presenter;
  if (auto p = parent()) return p->presentingViewController();
  return nullptr;
}

void UIViewController::present(const std::shared_ptr<UIViewController>& controller, bool animated,
                               std::function<void()> completion) {
  if (!controller) return;
  auto root = contextRoot(std::static_pointer_cast<UIViewController>(shared_from_this()));
  if (root->presented_) {
    // Refused, as on the platform; double taps on a button that presents rely on it.
    NSLog("Warning: Attempt to present " + controller->className() + " on " + className() +
          " which is already presenting " + root->presented_->className());
    return;
  }
  if (controller->presentingViewController() || controller->parent()) {
    NSLog("Application tried to present modally an active controller " + controller->className() + ".");
    return;
  }
  if (!root->viewWindow()) {
    NSLog("Warning: Attempt to present " + controller->className() + " on " + className() +
          " whose view is not in the window hierarchy!");
    return;
  }
  root->presentNow(controller, animated, std::move(completion));
}

void UIViewController::presentNow(const std::shared_ptr<UIViewController>& controller, bool animated,
                                  std::function<void()> completion) {
  auto self = std::static_pointer_cast<UIViewController>(shared_from_this());
  auto window = viewWindow();
  presented_ = controller;
  controller->presenting_ = self;
  controller->beingPresented_ = true;
  const bool covers = coversPresenter(controller->modalPresentationStyle);
  const bool fading = fades(controller->modalPresentationStyle);

  auto presentedView = controller->view();
  const CGRect bounds = window->bounds();
  presentedView->setFrame(bounds);
  if (animated && fading) presentedView->setAlpha(0);
  if (animated && !fading) presentedView->setFrame(bounds.offsetBy(0, bounds.height()));
  window->addSubview(presentedView);
  auto coordinator = std::make_shared<UIViewControllerTransitionCoordinator>();
  coordinator->isAnimated = animated;
  coordinator->transitionDuration = animated ? kPresentationDuration : 0;
  controller->setTransitionCoordinator(coordinator);
  controller->beginAppearanceTransition(true, animated);
  if (covers) beginAppearanceTransition(false, animated);

  std::weak_ptr<UIViewController> weakSelf = self;
  UIView::animate(
      animated ? kPresentationDuration : 0, 0, UIViewAnimationOptions::curveEaseInOut,
      [&] {
        presentedView->setFrame(bounds);
        presentedView->setAlpha(1);
      },
      [weakSelf, controller, coversPresenter = covers, completion = std::move(completion)](bool) {
        auto presenter = weakSelf.lock();
        controller->beingPresented_ = false;
        controller->setTransitionCoordinator(nullptr);
        // The covered view leaves before anyone hears of the end, so that a dismissal started from
        // `viewDidAppear` finds it gone and puts it back.
        if (presenter && coversPresenter && presenter->view_) presenter->view_->removeFromSuperview();
        controller->endAppearanceTransition();
        // A dismissal already under way tells the presenter itself when it ends.
        if (presenter && coversPresenter && !controller->beingDismissed_) {
          presenter->endAppearanceTransition();
        }
        if (completion) completion();
      });
}

void UIViewController::dismiss(bool animated, std::function<void()> completion) {
  auto self = std::static_pointer_cast<UIViewController>(shared_from_this());
  auto root = contextRoot(self);
  if (!root->presented_) {
    // Nothing presented here: a presented controller dismisses itself through its presenter.
    if (auto presenter = root->presenting_.lock()) presenter->dismiss(animated, std::move(completion));
    return;
  }
  auto controller = root->presented_;
  if (controller->beingDismissed_) return;
  if (controller->presented_) controller->dismiss(false);  // what it presents goes first
  controller->beingDismissed_ = true;
  auto window = controller->viewWindow();
  const bool covers = coversPresenter(controller->modalPresentationStyle);
  const bool fading = fades(controller->modalPresentationStyle);
  auto presentedView = controller->view();
  if (covers && window && root->view_ && !root->view_->superview()) {
    root->view_->setFrame(window->bounds());
    window->insertSubview(root->view_, presentedView, false);
  }
  controller->beginAppearanceTransition(false, animated);
  if (covers) root->beginAppearanceTransition(true, animated);
  const CGRect bounds = window ? window->bounds() : presentedView->frame();
  std::weak_ptr<UIViewController> weakRoot = root;
  UIView::animate(
      animated ? kPresentationDuration : 0, 0, UIViewAnimationOptions::curveEaseInOut,
      [&] {
        if (animated && fading) presentedView->setAlpha(0);
        if (animated && !fading) presentedView->setFrame(bounds.offsetBy(0, bounds.height()));
      },
      [weakRoot, controller, presentedView, coversPresenter = covers,
       completion = std::move(completion)](bool) {
        presentedView->removeFromSuperview();
        presentedView->setAlpha(1);
        controller->beingDismissed_ = false;
        controller->presenting_.reset();
        if (auto presenter = weakRoot.lock()) {
          presenter->presented_ = nullptr;
          controller->endAppearanceTransition();
          if (coversPresenter) presenter->endAppearanceTransition();
        } else {
          controller->endAppearanceTransition();
        }
        if (completion) completion();
      });
}

std::shared_ptr<UIViewControllerTransitionCoordinator> UIViewController::transitionCoordinator() const {
  if (coordinator_) return coordinator_;
  if (auto p = parent()) return p->transitionCoordinator();
  return nullptr;
}

std::shared_ptr<UIResponder> UIViewController::next() const {
  if (view_)
    if (auto superview = view_->superview()) return superview;
  if (auto p = parent()) return p;
  return presenting_.lock();
}

}  // namespace ios
