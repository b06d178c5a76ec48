#pragma once

#include <Class/BuyCard/BuyCardViewController.h>
#include <Class/MyCode/BranchServiceViewController.h>
#include <Class/MyCode/IntroductSeviceViewController.h>
#include <SwipeMenu/SwipeMenuView.h>
#include <UIKit/NSLayoutConstraint.h>
#include <UIKit/UIImageView.h>
#include <UIKit/UILabel.h>
#include <UIKit/UIPanGestureRecognizer.h>
#include <UIKit/UIViewController.h>
#include <Ultilities/lib/WSLoadingView.h>

#include <memory>
#include <optional>
#include <string>

namespace kerbelin {

class ProvideInforModel;

// A provider's page (scene "ShopServiceViewController" of the storyboard "MyCode"), opened by the
// router with `providerId`. Above three tabs (introduction, branches, the store limited to this
// provider) a top view with the provider's cover, logo and name folds away as any tab's list scrolls
// or the page is dragged, and a compact header fades in as it goes.
//
// The fold: `topViewTop`'s constant stays within [L, 0], L = -(width / 65 * 30 + 36 - top inset).
// A list's scroll step moves the top view while it can move that way; the page then tells all three
// tabs to hold their lists still, and lets them scroll once the top view is at its end.
class ShopServiceViewController : public ios::UIViewController,
                                  public ios::SwipeMenuViewDataSource,
                                  public ios::SwipeMenuViewDelegate,
                                  public HeaderScrollDelegate {
 public:
  static std::shared_ptr<ShopServiceViewController> create();
  ShopServiceViewController();

  std::weak_ptr<ios::UIView> viewTop;
  std::weak_ptr<ios::UIView> viewHeader;
  std::weak_ptr<ios::SwipeMenuView> swipMenu;
  std::weak_ptr<ios::UILabel> labelPrepaidCard;
  std::weak_ptr<ios::UILabel> labelBranch;
  std::weak_ptr<ios::UILabel> labelIntroduce;
  std::weak_ptr<ios::UIView> viewAction;
  std::weak_ptr<ios::NSLayoutConstraint> leftViewActive;
  std::weak_ptr<ios::NSLayoutConstraint> heightViewTop;
  std::weak_ptr<ios::NSLayoutConstraint> topViewTop;
  std::weak_ptr<ios::UILabel> labelTitleHeader;
  std::weak_ptr<ios::UIImageView> imageCoverHeader;
  std::weak_ptr<ios::UIImageView> imageLogoHeader;
  ios::CGFloat oldTranslationY = 0;
  ios::CGFloat topPadding = 0;
  // While true (one second after a tab tap), page changes the swipe view reports keep the tab bar.
  bool isCheckScollSileMenu = false;
  std::optional<std::string> providerId;  // set by the router before the view loads
  std::shared_ptr<IntroductSeviceViewController> viewIntroduct;
  std::shared_ptr<BranchServiceViewController> viewBranch;
  const std::shared_ptr<BuyCardViewController> viewBuyCard;

  void viewDidLoad() override;
  void viewDidAppear(bool animated) override;

  void didPressedBack(const std::shared_ptr<ios::NSObject>& sender = nullptr);
  void didPressedIntroduce(const std::shared_ptr<ios::NSObject>& sender = nullptr);
  void didPressedBranch(const std::shared_ptr<ios::NSObject>& sender = nullptr);
  void didPressedPrepaidCard(const std::shared_ptr<ios::NSObject>& sender = nullptr);
  void handlePan(const std::shared_ptr<ios::UIPanGestureRecognizer>& recognizer);
  // Builds the three tabs once the provider has answered.
  void initSwipeMenu();
  // Restyles the tab bar for a page the swipe view moved to, unless a tab tap's guard is on.
  void choiceViewBottom(int index);
  void getInforService(const std::string& providerId);

  // The one answer to the three tabs' scroll reports (BuyCardViewControllerDelegate,
  // IntroductSeviceViewControllerDelegate and BranchServiceViewControllerDelegate are one interface).
  void scrollTableView(ios::CGFloat hieu) override;

  // SwipeMenuViewDataSource / SwipeMenuViewDelegate
  int numberOfPages(ios::SwipeMenuView& swipeMenuView) override;
  std::string titleForPageAt(ios::SwipeMenuView& swipeMenuView, int index) override;
  std::shared_ptr<ios::UIViewController> viewControllerForPageAt(ios::SwipeMenuView& swipeMenuView,
                                                                 int index) override;
  void didChangeIndexFrom(ios::SwipeMenuView& swipeMenuView, int fromIndex, int toIndex) override;

  // The collapse limit L for the current width and top inset.
  ios::CGFloat collapseLimit() const;

 private:
  void applyProvider(ios::Dictionary reply);
  void showTab(int index);
  void tapTab(int index, bool guarded);
  // Moves the top view to `constant` (clamped to [L, 0]) and fades the compact header with it.
  void setTopOffset(ios::CGFloat constant);
  void holdLists(bool holdStill);

  WSLoadingView::Token overlay_;
};

}  // namespace kerbelin
