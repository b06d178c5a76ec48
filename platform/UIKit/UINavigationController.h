#pragma once

#include <UIKit/UIGestureRecognizer.h>
#include <UIKit/UINavigationBar.h>
#include <UIKit/UIPanGestureRecognizer.h>
#include <UIKit/UIViewController.h>

#include <deque>
#include <functional>
#include <memory>
#include <vector>

namespace ios {

class UINavigationController;

class UINavigationControllerDelegate {
 public:
  virtual ~UINavigationControllerDelegate() = default;
  virtual void willShow(UINavigationController&, const std::shared_ptr<UIViewController>&,
                        bool /*animated*/) {}
  virtual void didShow(UINavigationController&, const std::shared_ptr<UIViewController>&,
                       bool /*animated*/) {}
};

// A pop that follows a finger: `update` moves the screens to a fraction of the way, `finish` and
// `cancel` complete or undo it with an animation of the rest.
class UIPercentDrivenInteractiveTransition : public NSObject {
 public:
  virtual void update(double percentComplete) = 0;
  virtual void finish() = 0;
  virtual void cancel() = 0;
  double percentComplete() const { return percent_; }

 protected:
  double percent_ = 0;
};

// A stack of screens: the top one shows, pushes slide in from the right and pops slide back, each
// over 0.35 s on the run loop's clock, with the appearance callbacks around them. A push or pop
// asked for while one runs waits for it. The left-edge pan (`interactivePopGestureRecognizer`)
// pops the top screen with the finger; its target is the interactive transition object, which
// answers "handleNavigationTransition:" with the recognizer as sender.
class UINavigationController : public UIViewController {
 public:
  static std::shared_ptr<UINavigationController> create(std::shared_ptr<UIViewController> root = nullptr);
  using UIViewController::UIViewController;

  static constexpr double transitionDuration = 0.35;

  const std::vector<std::shared_ptr<UIViewController>>& viewControllers() const { return stack_; }
  void setViewControllers(std::vector<std::shared_ptr<UIViewController>> controllers, bool animated = false);
  std::shared_ptr<UIViewController> topViewController() const;
  // The top controller, or what it presents.
  std::shared_ptr<UIViewController> visibleViewController() const;

  void pushViewController(const std::shared_ptr<UIViewController>& controller, bool animated);
  std::shared_ptr<UIViewController> popViewController(bool animated);
  std::vector<std::shared_ptr<UIViewController>> popToRootViewController(bool animated);
  std::vector<std::shared_ptr<UIViewController>> popToViewController(const std::shared_ptr<UIViewController>& controller,
                                                                     bool animated);
  bool isTransitioning() const { return transitioning_; }

  // The bar shows the top controller's navigation item and a back button that pops (animated).
  // Hiding or showing it with an animation slides it over `hideShowBarDuration` while the top
  // controller's view takes or gives back the room.
  static constexpr double hideShowBarDuration = 0.2;
  bool isNavigationBarHidden() const { return navigationBarHidden_; }
  void setNavigationBarHidden(bool hidden, bool animated = false);
  const std::shared_ptr<UINavigationBar>& navigationBar();

  std::weak_ptr<UINavigationControllerDelegate> delegate;
  std::shared_ptr<UIScreenEdgePanGestureRecognizer> interactivePopGestureRecognizer();
  // The object behind the edge pan: its target and its delegate.
  std::shared_ptr<UIPercentDrivenInteractiveTransition> interactiveTransition();

  void loadView() override;
  // Runs the view-load hook, when one is set, after the base's.
  void viewDidLoad() override;
  void viewWillLayoutSubviews() override;

  // A process-wide extension run by every navigation controller when its view loads (a swipe-back
  // transition installs its gesture there); none by default. Main thread only.
  using ViewDidLoadHook = std::function<void(UINavigationController&)>;
  static void setViewDidLoadHook(ViewDidLoadHook hook);

 private:
  friend class NavigationInteractivePop;
  struct Move {
    std::shared_ptr<UIViewController> from;
    std::shared_ptr<UIViewController> to;
    bool push;
    bool animated;
    std::vector<std::shared_ptr<UIViewController>> removed;  // leave the stack when the move ends
  };
  void run(Move move);
  void begin(const Move& move, bool interactive);
  void place(const Move& move, double progress);
  void end(const Move& move, bool completed);
  CGRect contentFrame();
  void runQueued();
  void refreshBar();
  CGRect barFrame(bool hidden);

  std::vector<std::shared_ptr<UIViewController>> stack_;
  bool transitioning_ = false;
  std::deque<std::function<void()>> queued_;
  bool navigationBarHidden_ = false;
  std::shared_ptr<UINavigationBar> navigationBar_;
  std::shared_ptr<UIScreenEdgePanGestureRecognizer> popRecognizer_;
  std::shared_ptr<UIPercentDrivenInteractiveTransition> interactive_;
};

}  // namespace ios
