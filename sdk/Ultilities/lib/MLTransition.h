#pragma once

// A swipe-back gesture for navigation controllers: a rightward pan that starts anywhere on the
// navigation controller's view (or, in the edge mode, at the left edge) drives the platform's own
// interactive pop with the finger. Off until the host switches it on process-wide; it can be turned
// off again process-wide, per navigation controller and per view (for views that need the rightward
// pan themselves).
//
// Installation. Once switched on, every navigation controller whose view loads afterwards installs
// the gesture (through the platform's view-load hook, the stand-in for a category on
// `viewDidLoad`); `MLTransition::attach(controller)` gives it to a controller whose view had loaded
// before. Either installs at most one recogniser per controller, and only while the feature is on.
//
// While it is installed the controller's own edge pan (`interactivePopGestureRecognizer`) is
// disabled, and every scroll view lets the swipe-back try first unless it scrolls sideways itself.

#include <UIKit/UIGestureRecognizer.h>
#include <UIKit/UINavigationController.h>
#include <UIKit/UIPanGestureRecognizer.h>
#include <UIKit/UIScrollView.h>
#include <UIKit/UIView.h>

#include <cstdint>
#include <functional>
#include <memory>

namespace kerbelin {

// Which recogniser is installed. Installation treats every value other than the edge pan as a
// plain pan; the direction tests of the begin rule run only for the plain pan (0).
enum MLTransitionGestureRecognizerType : std::int32_t {
  MLTransitionGestureRecognizerTypePan = 0,
  MLTransitionGestureRecognizerTypeScreenEdgePan = 1,
};

// The key of the installed recogniser on its navigation controller, and its change-notice key.
extern const char* const kMLTransition_GestureRecognizer;

class MLTransition {
 public:
  // Switches the feature on with `type` when the system version is at least 7.0; otherwise switches
  // it off and keeps the type stored before. Applies to controllers that load (or are attached)
  // afterwards: from then on every navigation controller installs the recogniser as its view loads.
  static void validatePanBackWithMLTransitionGestureRecognizerType(std::int32_t type);
  // Switches the feature off: installed recognisers stay but never begin, and none are installed.
  static void invalidate();
  static bool isEnabled();
  static std::int32_t gestureRecognizerType();

  // What a navigation controller's `viewDidLoad` runs after its base's: installs the recogniser when
  // the feature is on, the controller has none yet and its edge pan is driven by a percent-driven
  // interactive transition.
  static void navigationControllerViewDidLoad(ios::UINavigationController& navigationController);
  // Loads the controller's view if needed and installs as above.
  static void attach(const std::shared_ptr<ios::UINavigationController>& navigationController);

  // The begin rule of the installed recogniser (the controller is its delegate on the platform).
  static bool gestureRecognizerShouldBegin(ios::UINavigationController& navigationController,
                                           ios::UIGestureRecognizer& recognizer);
  // Whether a scroll view's own pan (`recognizer`) must wait for the swipe-back (`other`) to fail:
  // yes for the edge pan, for a touch within 10 points of the left edge, and unless the scroll view
  // or one of its ancestors below the controller's view scrolls sideways.
  static bool scrollViewShouldRequireFailureOf(ios::UIScrollView& scrollView,
                                               ios::UIGestureRecognizer& recognizer,
                                               ios::UIGestureRecognizer& other);
  // The percent-driven transition's `handleNavigationTransition:` for transitions that do not drive
  // the pop themselves: on Began, pops the recogniser's navigation controller (animated).
  static void handleNavigationTransition(ios::UIGestureRecognizer& recognizer);
};

// `enabledMLTransition:` on a navigation controller: switches its installed recogniser on or off.
void enabledMLTransition(ios::UINavigationController& navigationController, bool enabled);

// Per view: a flag and a callback the begin rule reads for the view the touch lands on and each of
// its ancestors up to the recogniser's view; either blocks the swipe-back.
bool disableMLTransition(const ios::UIView& view);
void setDisableMLTransition(ios::UIView& view, bool disable);
using DisableMLTransitionBlock = std::function<bool()>;
DisableMLTransitionBlock disableMLTransitionBlock(const ios::UIView& view);
void setDisableMLTransitionBlock(ios::UIView& view, DisableMLTransitionBlock block);

// The navigation controller a swipe-back recogniser belongs to, held weakly.
std::shared_ptr<ios::UINavigationController> MLTransition_NavController(
    const ios::UIGestureRecognizer& recognizer);
void setMLTransition_NavController(ios::UIGestureRecognizer& recognizer,
                                   const std::shared_ptr<ios::UINavigationController>& navigationController);

// The recogniser installed on a navigation controller, held strongly.
std::shared_ptr<ios::UIPanGestureRecognizer> MLTransition_panGestureRecognizer(
    const ios::UINavigationController& navigationController);
void setMLTransition_panGestureRecognizer(ios::UINavigationController& navigationController,
                                          std::shared_ptr<ios::UIPanGestureRecognizer> recognizer);

}  // namespace kerbelin
