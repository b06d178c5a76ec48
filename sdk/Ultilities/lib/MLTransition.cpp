#include <Ultilities/lib/MLTransition.h>

#include <Foundation/ClassRegistry.h>
#include <Foundation/Console.h>
#include <UIKit/UIDevice.h>
#include <Ultilities/lib/MLTransitionEncrypt.h>

#include <any>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace kerbelin {

const char* const kMLTransition_GestureRecognizer = "__MLTransition_GestureRecognizer";

namespace {

bool gMLTransitionEnabled = false;
std::int32_t gMLTransitionGestureRecognizerType = MLTransitionGestureRecognizerTypePan;

// The interactive transition's handler that drives a pop from a pan, kept encoded.
constexpr const char* kEncodedHandler = "nTShMTkyGzS2nJquqTyioyElLJ5mnKEco246";

// Keys of the associated values: the address of a private object each, standing for the setters'
// selectors of the original accessors.
const char kDisableMLTransitionKey = 0;
const char kDisableMLTransitionBlockKey = 0;
const char kNavControllerKey = 0;
const char kGestureDelegateKey = 0;

// Stands in for the navigation controller as the recogniser's delegate (the platform's controller
// does not take that role); owned by the controller, it holds the controller weakly.
class MLTransitionGestureDelegate : public ios::NSObject, public ios::UIGestureRecognizerDelegate {
 public:
  explicit MLTransitionGestureDelegate(std::weak_ptr<ios::UINavigationController> navigationController)
      : navigationController_(std::move(navigationController)) {}

  bool gestureRecognizerShouldBegin(ios::UIGestureRecognizer& recognizer) override {
    auto navigationController = navigationController_.lock();
    return navigationController &&
           MLTransition::gestureRecognizerShouldBegin(*navigationController, recognizer);
  }

 private:
  std::weak_ptr<ios::UINavigationController> navigationController_;
};

// The category method on every percent-driven transition; subclasses that drive the pop themselves
// (the platform's own) answer the selector with their own method first.
const auto transitionCategory =
    ios::ClassRegistration<ios::UIPercentDrivenInteractiveTransition>("UIPercentDrivenInteractiveTransition")
        .method("handleNavigationTransition:", [](ios::UIPercentDrivenInteractiveTransition&,
                                                  std::shared_ptr<ios::UIGestureRecognizer> sender) {
          if (sender) MLTransition::handleNavigationTransition(*sender);
        });

void installScrollViewRule() {
  ios::UIScrollView::setRequireFailureHook(&MLTransition::scrollViewShouldRequireFailureOf);
}

// The per-view flag or callback blocks the swipe-back.
bool blocks(const ios::UIView& view) {
  if (disableMLTransition(view)) return true;
  const auto block = disableMLTransitionBlock(view);
  return block && block();
}

bool scrollsSideways(const ios::UIScrollView& scrollView) {
  const ios::CGAffineTransform transform = scrollView.transform();
  if (transform == ios::CGAffineTransform::rotation(-M_PI / 2) ||
      transform == ios::CGAffineTransform::rotation(M_PI / 2)) {
    return true;
  }
  return scrollView.contentSize().width > scrollView.frame().size.width;
}

std::string formatLog(const char* format, double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, format, value);
  return buffer;
}

}  // namespace

void MLTransition::validatePanBackWithMLTransitionGestureRecognizerType(std::int32_t type) {
  const float systemVersion = std::strtof(ios::UIDevice::current()->systemVersion().c_str(), nullptr);
  if (systemVersion >= 7.0f) {
    gMLTransitionGestureRecognizerType = type;
    gMLTransitionEnabled = true;
    installScrollViewRule();
    ios::UINavigationController::setViewDidLoadHook(&MLTransition::navigationControllerViewDidLoad);
  } else {
    gMLTransitionEnabled = false;
  }
}

void MLTransition::invalidate() {
  gMLTransitionEnabled = false;
}

bool MLTransition::isEnabled() {
  return gMLTransitionEnabled;
}

std::int32_t MLTransition::gestureRecognizerType() {
  return gMLTransitionGestureRecognizerType;
}

void MLTransition::navigationControllerViewDidLoad(ios::UINavigationController& navigationController) {
  if (!gMLTransitionEnabled) return;
  auto self = navigationController.sharedAs<ios::UINavigationController>();
  if (!MLTransition_panGestureRecognizer(navigationController)) {
    const auto systemPop = navigationController.interactivePopGestureRecognizer();
    auto target = std::dynamic_pointer_cast<ios::NSObject>(systemPop ? systemPop->delegate() : nullptr);
    const auto action = mlDecryptString(kEncodedHandler);
    if (target && target->isKindOf("UIPercentDrivenInteractiveTransition") && action) {
      std::shared_ptr<ios::UIPanGestureRecognizer> recognizer;
      if (gMLTransitionGestureRecognizerType == MLTransitionGestureRecognizerTypeScreenEdgePan) {
        auto edgePan = ios::UIScreenEdgePanGestureRecognizer::create(target, *action);
        edgePan->edges = ios::UIRectEdgeLeft;
        recognizer = edgePan;
      } else {
        recognizer = ios::UIPanGestureRecognizer::create(target, *action);
      }
      auto delegate = std::make_shared<MLTransitionGestureDelegate>(self);
      navigationController.setAssociatedObject(&kGestureDelegateKey, delegate,
                                               ios::AssociationPolicy::retainNonatomic);
      recognizer->setDelegate(delegate);
      setMLTransition_NavController(*recognizer, self);
      setMLTransition_panGestureRecognizer(navigationController, recognizer);
      systemPop->setEnabled(false);
    }
  }
  if (auto recognizer = MLTransition_panGestureRecognizer(navigationController)) {
    installScrollViewRule();
    navigationController.view()->addGestureRecognizer(recognizer);
  }
}

void MLTransition::attach(const std::shared_ptr<ios::UINavigationController>& navigationController) {
  if (!navigationController) return;
  navigationController->loadViewIfNeeded();
  navigationControllerViewDidLoad(*navigationController);
}

bool MLTransition::gestureRecognizerShouldBegin(ios::UINavigationController& navigationController,
                                                ios::UIGestureRecognizer& recognizer) {
  if (!gMLTransitionEnabled) return false;
  // The controller's own coordinator, or, as the platform hands it to the moving children only, the
  // top child's.
  auto coordinator = navigationController.transitionCoordinator();
  if (!coordinator) {
    if (auto top = navigationController.topViewController()) coordinator = top->transitionCoordinator();
  }
  if (coordinator && coordinator->isAnimated) return false;
  if (navigationController.viewControllers().size() < 2) return false;

  const auto view = recognizer.view();
  if (!view || blocks(*view)) return false;
  const ios::CGPoint location = recognizer.location(view.get());
  for (auto hit = view->hitTest(location, nullptr); hit && hit != view; hit = hit->superview()) {
    if (blocks(*hit)) return false;
  }

  if (gMLTransitionGestureRecognizerType != MLTransitionGestureRecognizerTypePan) return true;

  auto* pan = dynamic_cast<ios::UIPanGestureRecognizer*>(&recognizer);
  if (!pan) return false;
  const ios::UIView* controllerView = navigationController.view().get();
  const ios::CGPoint velocity = pan->velocity(controllerView);
  if (!(velocity.x > 0)) return false;
  const float angle = ::atan2f(static_cast<float>(velocity.y), static_cast<float>(velocity.x));
  if (static_cast<double>(angle) < -0.35) return false;

  ios::CGPoint translation = pan->translation(controllerView);
  if (translation.x == 0) translation.x = static_cast<double>(0.00001f);
  const double ratio = std::fabs(translation.y) / std::fabs(translation.x);
  ios::NSLog(formatLog("RATIO: %f", ratio));
  ios::NSLog(formatLog("translation.y: %f", translation.y));
  ios::NSLog(formatLog("translation.x: %f", translation.x));
  if ((translation.y > 0 && ratio > static_cast<double>(0.618f)) ||
      (translation.y < 0 && ratio > static_cast<double>(0.2f))) {
    return false;
  }
  return true;
}

bool MLTransition::scrollViewShouldRequireFailureOf(ios::UIScrollView& scrollView,
                                                    ios::UIGestureRecognizer& recognizer,
                                                    ios::UIGestureRecognizer& other) {
  if (scrollView.panGestureRecognizer().get() != &recognizer) return false;
  const auto navigationController = MLTransition_NavController(other);
  if (!navigationController) return false;
  if (!other.isMemberOf("UIPanGestureRecognizer")) return true;
  // Where the touch went down: the platform asks this when the scroll view's pan is about to begin,
  // after the finger has moved, while the rule is about the starting point.
  const auto otherView = other.view();
  ios::CGPoint location = other.location(otherView.get());
  if (auto* pan = dynamic_cast<ios::UIPanGestureRecognizer*>(&other)) {
    const ios::CGPoint moved = pan->translation(otherView.get());
    location = {location.x - moved.x, location.y - moved.y};
  }
  if (location.x <= 10) return true;
  const ios::UIView* stop =
      navigationController->isViewLoaded() ? navigationController->view().get() : nullptr;
  for (auto view = scrollView.sharedAs<ios::UIView>(); view && view.get() != stop; view = view->superview()) {
    auto* scroller = dynamic_cast<ios::UIScrollView*>(view.get());
    if (scroller && scrollsSideways(*scroller)) return false;
  }
  return true;
}

void MLTransition::handleNavigationTransition(ios::UIGestureRecognizer& recognizer) {
  if (recognizer.state() != ios::UIGestureRecognizer::State::began) return;
  if (auto navigationController = MLTransition_NavController(recognizer)) {
    navigationController->popViewController(true);
  }
}

void enabledMLTransition(ios::UINavigationController& navigationController, bool enabled) {
  if (auto recognizer = MLTransition_panGestureRecognizer(navigationController))
    recognizer->setEnabled(enabled);
}

bool disableMLTransition(const ios::UIView& view) {
  const std::any stored = view.associatedObject(&kDisableMLTransitionKey);
  const bool* flag = std::any_cast<bool>(&stored);
  return flag && *flag;
}

void setDisableMLTransition(ios::UIView& view, bool disable) {
  view.willChangeValue("disableMLTransition");
  view.setAssociatedObject(&kDisableMLTransitionKey, std::any(disable),
                           ios::AssociationPolicy::retainNonatomic);
  view.didChangeValue("disableMLTransition");
}

DisableMLTransitionBlock disableMLTransitionBlock(const ios::UIView& view) {
  const std::any stored = view.associatedObject(&kDisableMLTransitionBlockKey);
  const auto* block = std::any_cast<DisableMLTransitionBlock>(&stored);
  return block ? *block : DisableMLTransitionBlock();
}

void setDisableMLTransitionBlock(ios::UIView& view, DisableMLTransitionBlock block) {
  view.willChangeValue("disableMLTransitionBlock");
  view.setAssociatedObject(&kDisableMLTransitionBlockKey, std::any(std::move(block)),
                           ios::AssociationPolicy::copyNonatomic);
  view.didChangeValue("disableMLTransitionBlock");
}

std::shared_ptr<ios::UINavigationController> MLTransition_NavController(
    const ios::UIGestureRecognizer& recognizer) {
  const std::any stored = recognizer.associatedObject(&kNavControllerKey);
  const auto* controller = std::any_cast<std::shared_ptr<ios::UINavigationController>>(&stored);
  return controller ? *controller : nullptr;
}

void setMLTransition_NavController(ios::UIGestureRecognizer& recognizer,
                                   const std::shared_ptr<ios::UINavigationController>& navigationController) {
  recognizer.willChangeValue("__MLTransition_NavController");
  recognizer.setAssociatedObject(&kNavControllerKey, navigationController, ios::AssociationPolicy::assign);
  recognizer.didChangeValue("__MLTransition_NavController");
}

std::shared_ptr<ios::UIPanGestureRecognizer> MLTransition_panGestureRecognizer(
    const ios::UINavigationController& navigationController) {
  const std::any stored = navigationController.associatedObject(&kMLTransition_GestureRecognizer);
  const auto* recognizer = std::any_cast<std::shared_ptr<ios::UIPanGestureRecognizer>>(&stored);
  return recognizer ? *recognizer : nullptr;
}

void setMLTransition_panGestureRecognizer(ios::UINavigationController& navigationController,
                                          std::shared_ptr<ios::UIPanGestureRecognizer> recognizer) {
  navigationController.willChangeValue(kMLTransition_GestureRecognizer);
  navigationController.setAssociatedObject(&kMLTransition_GestureRecognizer, std::move(recognizer),
                                           ios::AssociationPolicy::retainNonatomic);
  navigationController.didChangeValue(kMLTransition_GestureRecognizer);
}

}  // namespace kerbelin
