#include <UIKit/UINavigationController.h>

#include <UIKit/UIScreen.h>
#include <UIKit/UIWindow.h>

#include <algorithm>

namespace ios {

// The edge pan's target and delegate: drives a pop with the finger.
class NavigationInteractivePop : public UIPercentDrivenInteractiveTransition, public UIGestureRecognizerDelegate {
 public:
  explicit NavigationInteractivePop(std::weak_ptr<UINavigationController> navigation)
      : navigation_(std::move(navigation)) {}

  void handleNavigationTransition(std::shared_ptr<UIGestureRecognizer> sender) {
    auto pan = std::dynamic_pointer_cast<UIPanGestureRecognizer>(sender);
    auto navigation = navigation_.lock();
    if (!pan || !navigation) return;
    const CGFloat width = std::max<CGFloat>(1, navigation->view()->bounds().width());
    switch (pan->state()) {
      case UIGestureRecognizer::State::began: start(); break;
      case UIGestureRecognizer::State::changed:
        update(std::clamp<double>(pan->translation(navigation->view().get()).x / width, 0, 1));
        break;
      case UIGestureRecognizer::State::ended:
        // A quick flick to the right completes even a short drag.
        if (percent_ > 0.5 || pan->velocity(navigation->view().get()).x > 500) {
          finish();
        } else {
          cancel();
        }
        break;
      case UIGestureRecognizer::State::cancelled:
      case UIGestureRecognizer::State::failed: cancel(); break;
      case UIGestureRecognizer::State::possible: break;
    }
  }

  bool gestureRecognizerShouldBegin(UIGestureRecognizer&) override {
    auto navigation = navigation_.lock();
    return navigation && navigation->viewControllers().size() > 1 && !navigation->isTransitioning() &&
           !move_.has_value();
  }

  void start() {
    auto navigation = navigation_.lock();
    if (!navigation || move_ || navigation->stack_.size() < 2 || navigation->transitioning_) return;
    auto from = navigation->stack_.back();
    navigation->stack_.pop_back();
    move_ = UINavigationController::Move{from, navigation->stack_.back(), false, true, {from}};
    navigation->transitioning_ = true;
    percent_ = 0;
    navigation->begin(*move_, true);
  }

  void update(double percent) override {
    auto navigation = navigation_.lock();
    if (!navigation || !move_) return;
    percent_ = percent;
    navigation->place(*move_, percent);
  }

  void finish() override { complete(true); }
  void cancel() override { complete(false); }

 private:
  void complete(bool finishing) {
    auto navigation = navigation_.lock();
    if (!navigation || !move_) return;
    const auto move = *move_;
    move_.reset();
    const double remaining = UINavigationController::transitionDuration * (finishing ? 1 - percent_ : percent_);
    std::weak_ptr<UINavigationController> weak = navigation;
    UIView::animate(
        remaining, 0, UIViewAnimationOptions::curveEaseOut, [&] { navigation->place(move, finishing ? 1 : 0); },
        [weak, move, finishing](bool) {
          auto navigation = weak.lock();
          if (!navigation) return;
          if (!finishing) navigation->stack_.push_back(move.from);  // the screen stays on the stack
          navigation->end(move, finishing);
        });
  }

  std::weak_ptr<UINavigationController> navigation_;
  std::optional<UINavigationController::Move> move_;
};

namespace {

const auto registration = ClassRegistration<UINavigationController, UIViewController>("UINavigationController")
                              .factory([] { return UINavigationController::create(); });
const auto transitionRegistration =
    ClassRegistration<UIPercentDrivenInteractiveTransition>("UIPercentDrivenInteractiveTransition");
const auto popRegistration =
    ClassRegistration<NavigationInteractivePop, UIPercentDrivenInteractiveTransition>("_UINavigationInteractiveTransition")
        .method("handleNavigationTransition:", &NavigationInteractivePop::handleNavigationTransition);

// How far the screen underneath moves while the top one slides, as a fraction of the width.
constexpr CGFloat kParallax = 0.3;

}  // namespace

std::shared_ptr<UINavigationController> UINavigationController::create(std::shared_ptr<UIViewController> root) {
  auto navigation = std::make_shared<UINavigationController>();
  if (root) navigation->setViewControllers({std::move(root)});
  return navigation;
}

std::shared_ptr<UIViewController> UINavigationController::topViewController() const {
  return stack_.empty() ? nullptr : stack_.back();
}

std::shared_ptr<UIViewController> UINavigationController::visibleViewController() const {
  auto top = topViewController();
  if (top && top->presentedViewController()) return top->presentedViewController();
  return top;
}

CGRect UINavigationController::barFrame(bool hidden) {
  const CGFloat height = UIScreen::main()->safeAreaInsets().top + UINavigationBar::contentHeight;
  const CGFloat width = isViewLoaded() ? view()->bounds().width() : UIScreen::main()->bounds().width();
  return CGRect(0, hidden ? -height : 0, width, height);
}

const std::shared_ptr<UINavigationBar>& UINavigationController::navigationBar() {
  if (!navigationBar_) {
    navigationBar_ = UINavigationBar::create(barFrame(false));
    navigationBar_->setHidden(navigationBarHidden_);
    std::weak_ptr<UINavigationController> weak =
        std::static_pointer_cast<UINavigationController>(shared_from_this());
    navigationBar_->onBack = [weak] {
      if (auto self = weak.lock(); self && !self->transitioning_) self->popViewController(true);
    };
  }
  return navigationBar_;
}

void UINavigationController::setNavigationBarHidden(bool hidden, bool animated) {
  if (hidden == navigationBarHidden_) return;
  navigationBarHidden_ = hidden;
  const auto& bar = navigationBar();
  auto top = topViewController();
  const bool moveContent = top && top->isViewLoaded() && isViewLoaded() && !transitioning_;
  if (!animated || !isViewLoaded()) {
    bar->setFrame(barFrame(false));
    bar->setHidden(hidden);
    if (moveContent) top->view()->setFrame(contentFrame());
    return;
  }
  bar->setHidden(false);
  if (!hidden) bar->setFrame(barFrame(true));
  std::weak_ptr<UINavigationBar> weakBar = bar;
  std::weak_ptr<UINavigationController> weakSelf =
      std::static_pointer_cast<UINavigationController>(shared_from_this());
  UIView::animate(
      hideShowBarDuration, 0, UIViewAnimationOptions::curveEaseInOut,
      [&] {
        bar->setFrame(barFrame(hidden));
        if (moveContent) top->view()->setFrame(contentFrame());
      },
      [weakBar, weakSelf, hidden](bool) {
        auto bar = weakBar.lock();
        auto navigation = weakSelf.lock();
        // A later call may have changed its mind while this ran.
        if (!bar || !navigation || navigation->navigationBarHidden_ != hidden) return;
        bar->setHidden(hidden);
        bar->setFrame(navigation->barFrame(false));
      });
}

CGRect UINavigationController::contentFrame() {
  const CGRect b = view()->bounds();
  if (navigationBarHidden_) return b;
  const CGFloat barBottom = barFrame(false).maxY();
  return CGRect(0, barBottom, b.width(), b.height() - barBottom);
}

void UINavigationController::refreshBar() {
  if (!navigationBar_) return;
  const std::size_t n = stack_.size();
  navigationBar_->show(n > 0 ? stack_[n - 1] : nullptr, n > 1 ? stack_[n - 2] : nullptr);
}

void UINavigationController::viewWillLayoutSubviews() {
  refreshBar();
  // The top screen follows the container as it resizes (a tab bar that turns opaque, a new window
  // size), as its flexible autoresizing mask makes it do on the platform.
  auto top = topViewController();
  if (!transitioning_ && top && top->isViewLoaded() && top->view()->superview() == view()) {
    top->view()->setFrame(contentFrame());
  }
}

std::shared_ptr<UIScreenEdgePanGestureRecognizer> UINavigationController::interactivePopGestureRecognizer() {
  if (!popRecognizer_) {
    auto transition = std::dynamic_pointer_cast<NavigationInteractivePop>(interactiveTransition());
    popRecognizer_ = UIScreenEdgePanGestureRecognizer::create(transition, "handleNavigationTransition:");
    popRecognizer_->edges = UIRectEdgeLeft;
    popRecognizer_->setDelegate(std::static_pointer_cast<UIGestureRecognizerDelegate>(transition));
    if (isViewLoaded()) view()->addGestureRecognizer(popRecognizer_);
  }
  return popRecognizer_;
}

std::shared_ptr<UIPercentDrivenInteractiveTransition> UINavigationController::interactiveTransition() {
  if (!interactive_) {
    interactive_ = std::make_shared<NavigationInteractivePop>(
        std::static_pointer_cast<UINavigationController>(shared_from_this()));
  }
  return interactive_;
}

namespace {
UINavigationController::ViewDidLoadHook& viewDidLoadHook() {
  static UINavigationController::ViewDidLoadHook hook;
  return hook;
}
}  // namespace

void UINavigationController::setViewDidLoadHook(ViewDidLoadHook hook) { viewDidLoadHook() = std::move(hook); }

void UINavigationController::viewDidLoad() {
  UIViewController::viewDidLoad();
  if (const auto& hook = viewDidLoadHook()) hook(*this);
}

void UINavigationController::loadView() {
  auto container = UIView::create(UIScreen::main()->bounds());
  container->setClipsToBounds(true);
  setView(container);
  container->addSubview(navigationBar());
  refreshBar();
  container->addGestureRecognizer(interactivePopGestureRecognizer());
  if (auto top = topViewController()) {
    top->view()->setFrame(contentFrame());
    container->insertSubview(top->view(), navigationBar(), false);
  }
}

void UINavigationController::pushViewController(const std::shared_ptr<UIViewController>& controller, bool animated) {
  if (!controller || std::find(stack_.begin(), stack_.end(), controller) != stack_.end()) return;
  if (transitioning_) {
    std::weak_ptr<UINavigationController> weak = std::static_pointer_cast<UINavigationController>(shared_from_this());
    queued_.push_back([weak, controller, animated] {
      if (auto self = weak.lock()) self->pushViewController(controller, animated);
    });
    return;
  }
  auto from = topViewController();
  addChild(controller);
  stack_.push_back(controller);
  if (from) run(Move{from, controller, true, animated, {}});
  else if (isViewLoaded()) run(Move{nullptr, controller, true, false, {}});
}

std::shared_ptr<UIViewController> UINavigationController::popViewController(bool animated) {
  if (transitioning_) {
    std::weak_ptr<UINavigationController> weak = std::static_pointer_cast<UINavigationController>(shared_from_this());
    queued_.push_back([weak, animated] {
      if (auto self = weak.lock()) self->popViewController(animated);
    });
    return nullptr;
  }
  if (stack_.size() < 2) return nullptr;
  auto from = stack_.back();
  stack_.pop_back();
  run(Move{from, stack_.back(), false, animated, {from}});
  return from;
}

std::vector<std::shared_ptr<UIViewController>> UINavigationController::popToRootViewController(bool animated) {
  if (stack_.empty()) return {};
  return popToViewController(stack_.front(), animated);
}

std::vector<std::shared_ptr<UIViewController>> UINavigationController::popToViewController(
    const std::shared_ptr<UIViewController>& controller, bool animated) {
  auto it = std::find(stack_.begin(), stack_.end(), controller);
  if (it == stack_.end() || it + 1 == stack_.end()) return {};
  if (transitioning_) {
    std::weak_ptr<UINavigationController> weak = std::static_pointer_cast<UINavigationController>(shared_from_this());
    queued_.push_back([weak, controller, animated] {
      if (auto self = weak.lock()) self->popToViewController(controller, animated);
    });
    return {};
  }
  std::vector<std::shared_ptr<UIViewController>> popped(it + 1, stack_.end());
  auto from = stack_.back();
  stack_.erase(it + 1, stack_.end());
  run(Move{from, controller, false, animated, popped});
  return popped;
}

void UINavigationController::setViewControllers(std::vector<std::shared_ptr<UIViewController>> controllers,
                                                bool animated) {
  auto from = topViewController();
  std::vector<std::shared_ptr<UIViewController>> removed;
  for (const auto& old : stack_)
    if (std::find(controllers.begin(), controllers.end(), old) == controllers.end()) removed.push_back(old);
  const bool wasInStack = !controllers.empty() && std::find(stack_.begin(), stack_.end(), controllers.back()) != stack_.end();
  for (const auto& controller : controllers) addChild(controller);
  stack_ = std::move(controllers);
  auto to = topViewController();
  if (from == to || !isViewLoaded()) {
    for (const auto& old : removed) old->removeFromParent();
    if (!isViewLoaded() || !to || to->view()->superview()) return;
  }
  run(Move{from == to ? nullptr : from, to, !wasInStack, animated && from && to && from != to, removed});
}

void UINavigationController::run(Move move) {
  if (!isViewLoaded()) {
    for (const auto& old : move.removed) old->removeFromParent();
    return;
  }
  transitioning_ = true;
  begin(move, false);
  if (!move.animated) {
    place(move, 1);
    end(move, true);
    return;
  }
  // As on the device, the sliding screens take no touches: a quick second tap on what started the
  // move must not land on the screen coming in. Gestures of the navigation controller's own view
  // (a swipe back) still see the touch.
  std::vector<std::pair<std::shared_ptr<UIView>, bool>> frozen;
  for (const auto& screen : {move.to, move.from}) {
    if (!screen || !screen->isViewLoaded()) continue;
    frozen.emplace_back(screen->view(), screen->view()->isUserInteractionEnabled());
    screen->view()->setUserInteractionEnabled(false);
  }
  std::weak_ptr<UINavigationController> weak = std::static_pointer_cast<UINavigationController>(shared_from_this());
  UIView::animate(transitionDuration, 0, UIViewAnimationOptions::curveEaseInOut, [&] { place(move, 1); },
                  [weak, move, frozen](bool) {
                    for (const auto& [view, tookTouches] : frozen) view->setUserInteractionEnabled(tookTouches);
                    if (auto self = weak.lock()) self->end(move, true);
                  });
}

void UINavigationController::begin(const Move& move, bool interactive) {
  auto self = std::static_pointer_cast<UINavigationController>(shared_from_this());
  if (auto d = delegate.lock(); d && move.to) d->willShow(*self, move.to, move.animated);
  auto coordinator = std::make_shared<UIViewControllerTransitionCoordinator>();
  coordinator->isAnimated = move.animated;
  coordinator->isInteractive = interactive;
  coordinator->transitionDuration = move.animated ? transitionDuration : 0;
  const bool visible = isVisible();
  if (move.to) {
    const auto& toView = move.to->view();
    toView->setFrame(contentFrame());
    if (move.from && move.from->isViewLoaded() && move.from->view()->superview() == view()) {
      view()->insertSubview(toView, move.from->view(), move.push);
    } else {
      view()->insertSubview(toView, navigationBar(), false);
    }
    if (move.animated) move.to->setTransitionCoordinator(coordinator);
    if (visible) move.to->beginAppearanceTransition(true, move.animated);
  }
  if (move.from) {
    if (move.animated) move.from->setTransitionCoordinator(coordinator);
    if (visible) move.from->beginAppearanceTransition(false, move.animated);
  }
  refreshBar();
  place(move, 0);
}

void UINavigationController::place(const Move& move, double progress) {
  const CGRect frame = contentFrame();
  const CGFloat width = frame.width();
  const auto p = static_cast<CGFloat>(progress);
  auto at = [&](const std::shared_ptr<UIViewController>& controller, CGFloat x) {
    if (controller && controller->isViewLoaded()) controller->view()->setFrame(frame.offsetBy(x, 0));
  };
  if (move.push) {
    at(move.to, width * (1 - p));
    at(move.from, -kParallax * width * p);
  } else {
    at(move.from, width * p);
    at(move.to, -kParallax * width * (1 - p));
  }
}

void UINavigationController::end(const Move& move, bool completed) {
  auto self = std::static_pointer_cast<UINavigationController>(shared_from_this());
  const auto& leaving = completed ? move.from : move.to;
  const auto& staying = completed ? move.to : move.from;
  const CGRect frame = contentFrame();
  if (leaving && leaving->isViewLoaded()) {
    leaving->view()->removeFromSuperview();
    leaving->view()->setFrame(frame);
  }
  if (staying && staying->isViewLoaded()) staying->view()->setFrame(frame);
  if (!completed) {
    // An undone pop: the screens trade places back, with the callbacks for it.
    if (move.to) move.to->beginAppearanceTransition(false, true);
    if (move.from) move.from->beginAppearanceTransition(true, true);
  }
  if (leaving) {
    leaving->endAppearanceTransition();
    leaving->setTransitionCoordinator(nullptr);
  }
  if (staying) {
    staying->endAppearanceTransition();
    staying->setTransitionCoordinator(nullptr);
  }
  if (completed) {
    for (const auto& old : move.removed) old->removeFromParent();
    if (auto d = delegate.lock(); d && move.to) d->didShow(*self, move.to, move.animated);
  }
  transitioning_ = false;
  refreshBar();
  runQueued();
}

void UINavigationController::runQueued() {
  while (!transitioning_ && !queued_.empty()) {
    auto next = std::move(queued_.front());
    queued_.pop_front();
    next();
  }
}

}  // namespace ios
