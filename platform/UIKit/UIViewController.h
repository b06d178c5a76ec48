#pragma once

#include <Foundation/Bundle.h>
#include <UIKit/UIResponder.h>
#include <UIKit/UIView.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ios {

class UINavigationController;
class UITabBarController;
class UITabBarItem;
class UIViewControllerTransitionCoordinator;

enum class UIModalPresentationStyle {
  fullScreen = 0, pageSheet = 1, formSheet = 2, currentContext = 3, custom = 4, overFullScreen = 5,
  overCurrentContext = 6, popover = 7, none = -1, automatic = -2,
};

class UIBarButtonItem;

// The title and bar items a controller shows in a navigation bar. An empty title falls back to the
// controller's `title`; a title view replaces the title text. The bar reads these whenever a push or
// pop shows the controller and at each layout of the navigation controller's view.
struct UINavigationItem {
  std::string title;
  bool hidesBackButton = false;
  std::shared_ptr<UIView> titleView;
  std::shared_ptr<UIBarButtonItem> leftBarButtonItem;   // replaces the back button
  std::shared_ptr<UIBarButtonItem> rightBarButtonItem;
  // What the back button says while this controller is the one below the top.
  std::optional<std::string> backButtonTitle;
};

// Manages one screen's view. The view is made on first access (`loadView`, then `viewDidLoad`), so
// inputs set right after creation are in place when `viewDidLoad` runs. Containers and
// presentations send the appearance callbacks in the platform's order: will-appear before the
// transition, did-appear after it (likewise for disappearing).
class UIViewController : public UIResponder {
 public:
  static std::shared_ptr<UIViewController> create();
  // A nib name (and bundle; null means the main bundle) to load the view from; see `loadView`.
  explicit UIViewController(std::optional<std::string> nibName = std::nullopt,
                            std::shared_ptr<Bundle> nibBundle = nullptr);
  ~UIViewController() override;

  // The root view, loaded on first access.
  const std::shared_ptr<UIView>& view();
  bool isViewLoaded() const { return view_ != nullptr; }
  void loadViewIfNeeded() { view(); }
  // Replaces the root view (as `loadView` implementations do).
  void setView(std::shared_ptr<UIView> view);
  const std::optional<std::string>& nibName() const { return nibName_; }
  const std::shared_ptr<Bundle>& nibBundle() const { return nibBundle_; }

  // Makes the root view. The default loads the nib named `nibName` through the installed nib view
  // loader and, without a nib, makes a plain view the size of the screen. A controller made with no
  // nib name (and not from a storyboard) takes the nib named after its class when its bundle has
  // one, trying the name without the "Controller" suffix first.
  virtual void loadView();
  virtual void viewDidLoad() {}
  virtual void viewWillAppear(bool /*animated*/) {}
  virtual void viewDidAppear(bool /*animated*/) {}
  virtual void viewWillDisappear(bool /*animated*/) {}
  virtual void viewDidDisappear(bool /*animated*/) {}
  // Around each `layoutSubviews` of the root view.
  virtual void viewWillLayoutSubviews() {}
  virtual void viewDidLayoutSubviews() {}
  virtual void awakeFromNib() {}

  // Sends will/did appearance callbacks; containers call these around their transitions. A
  // controller that is already in the requested state is not told again.
  void beginAppearanceTransition(bool appearing, bool animated);
  void endAppearanceTransition();
  bool isVisible() const { return appearance_ == Appearance::appeared; }

  std::string title;
  UINavigationItem navigationItem;
  bool hidesBottomBarWhenPushed = false;
  std::shared_ptr<UITabBarItem> tabBarItem();
  void setTabBarItem(std::shared_ptr<UITabBarItem> item) { tabBarItem_ = std::move(item); }

  // Containment. A child's view is added by the container; these keep the parent links.
  std::shared_ptr<UIViewController> parent() const { return parent_.lock(); }
  const std::vector<std::shared_ptr<UIViewController>>& children() const { return children_; }
  void addChild(const std::shared_ptr<UIViewController>& child);
  void removeFromParent();
  virtual void willMoveToParent(const std::shared_ptr<UIViewController>& /*parent*/) {}
  virtual void didMoveToParent(const std::shared_ptr<UIViewController>& /*parent*/) {}

  // The nearest ancestor of each kind, or null.
  std::shared_ptr<UINavigationController> navigationController() const;
  std::shared_ptr<UITabBarController> tabBarController() const;

  // Presentation. The presented controller's view covers the window; with the full-screen style
  // the presenter's view leaves once the transition ends, with `overFullScreen` it stays behind
  // and is told nothing. The `custom` style (alerts, sheets) fades in and out instead of sliding,
  // over a presenter that stays. Presenting from a controller that already presents one is
  // refused with a console warning. Completions run after the transition, on the run loop.
  UIModalPresentationStyle modalPresentationStyle = UIModalPresentationStyle::fullScreen;
  void present(const std::shared_ptr<UIViewController>& controller, bool animated,
               std::function<void()> completion = nullptr);
  // Dismisses what this controller presents or, when it presents nothing, itself. The
  // presenter's `presentedViewController` is already cleared when the completion runs.
  void dismiss(bool animated, std::function<void()> completion = nullptr);
  // What this controller presents or, failing that, what the nearest ancestor presents: a screen
  // inside a container answers what the container presents over it.
  std::shared_ptr<UIViewController> presentedViewController() const;
  std::shared_ptr<UIViewController> presentingViewController() const;
  bool isBeingPresented() const { return beingPresented_; }
  bool isBeingDismissed() const { return beingDismissed_; }

  // Non-null while a container moves this controller with an animation (push, pop, present).
  std::shared_ptr<UIViewControllerTransitionCoordinator> transitionCoordinator() const;
  void setTransitionCoordinator(std::shared_ptr<UIViewControllerTransitionCoordinator> coordinator) {
    coordinator_ = std::move(coordinator);
  }

  std::shared_ptr<UIResponder> next() const override;

  // How nib-based views are made; installed by the nib loader. Returns false when the nib does not
  // exist in the bundle.
  using NibViewLoader = std::function<bool(UIViewController& owner, const std::string& nibName,
                                           const std::shared_ptr<Bundle>& bundle)>;
  static void setNibViewLoader(NibViewLoader loader);

 protected:
  // The window the controller's view is in, or null.
  std::shared_ptr<UIWindow> viewWindow() const;

 private:
  enum class Appearance { disappeared, appearing, appeared, disappearing };
  friend class UIWindow;
  void presentNow(const std::shared_ptr<UIViewController>& controller, bool animated, std::function<void()> completion);
  void setPresenting(const std::shared_ptr<UIViewController>& presenter) { presenting_ = presenter; }

  std::shared_ptr<UIView> view_;
  std::optional<std::string> nibName_;
  std::shared_ptr<Bundle> nibBundle_;
  Appearance appearance_ = Appearance::disappeared;
  bool appearanceAnimated_ = false;
  std::shared_ptr<UITabBarItem> tabBarItem_;
  std::weak_ptr<UIViewController> parent_;
  std::vector<std::shared_ptr<UIViewController>> children_;
  std::shared_ptr<UIViewController> presented_;
  std::weak_ptr<UIViewController> presenting_;
  bool beingPresented_ = false;
  bool beingDismissed_ = false;
  std::shared_ptr<UIViewControllerTransitionCoordinator> coordinator_;
};

// What a controller learns about a running transition.
class UIViewControllerTransitionCoordinator {
 public:
  bool isAnimated = false;
  bool isInteractive = false;
  double transitionDuration = 0;
};

}  // namespace ios
