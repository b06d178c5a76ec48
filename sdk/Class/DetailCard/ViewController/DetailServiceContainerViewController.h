#pragma once

#include <Foundation/Bundle.h>
#include <SwipeMenu/SwipeMenuView.h>
#include <UIKit/UIButton.h>
#include <UIKit/UILabel.h>
#include <UIKit/UIViewController.h>
#include <Ultilities/Enums/Enums.h>

#include <memory>
#include <optional>
#include <string>

namespace kerbelin {

class DefServiceDtos;

// A service's detail and its usage history as two pages the user swipes between, under a header
// with a back button and two tab buttons of its own (the menu's own tab strip is collapsed). The
// container makes both pages, hands them the service, and keeps its buttons in step with the page
// shown: after a tab tap at once, and whenever the menu reports a change of page.
class DetailServiceContainerViewController : public ios::UIViewController,
                                             public ios::SwipeMenuViewDelegate,
                                             public ios::SwipeMenuViewDataSource {
 public:
  // `init(nibName:bundle:)`; without a bundle the nib is found as NibBundle.h says.
  static std::shared_ptr<DetailServiceContainerViewController> create(
      std::optional<std::string> nibName = std::nullopt, std::shared_ptr<ios::Bundle> bundle = nullptr);
  DetailServiceContainerViewController(std::optional<std::string> nibName, std::shared_ptr<ios::Bundle> bundle);

  std::weak_ptr<ios::UIButton> infoButton;
  std::weak_ptr<ios::UIButton> historyButton;
  std::weak_ptr<ios::SwipeMenuView> swipeView;
  std::weak_ptr<ios::UILabel> titleLabel;
  ios::SwipeMenuViewOptions options;

  // Inputs, set before the view loads. The same service object reaches both pages; the card's
  // state reaches the detail page only; `isDetailCard` only chooses the wording here.
  std::shared_ptr<DefServiceDtos> rootService;
  TypeDetailCard parentType = TypeDetailCard::UnPaid;
  bool isDetailCard = false;

  void viewDidLoad() override;
  // Makes the two pages (detail, then history) as children and shows page 0.
  void initSwipeMenu();
  // Fills the tab button of page `index` in the brand colour with white text, the other white.
  void changeBackground(int index);
  void backButtonClicked(const std::shared_ptr<ios::NSObject>& sender);
  void infoButtonClicked(const std::shared_ptr<ios::NSObject>& sender);
  void historyButtonClicked(const std::shared_ptr<ios::NSObject>& sender);

  // SwipeMenuViewDataSource
  int numberOfPages(ios::SwipeMenuView& swipeMenuView) override;
  std::string titleForPageAt(ios::SwipeMenuView& swipeMenuView, int index) override;
  std::shared_ptr<ios::UIViewController> viewControllerForPageAt(ios::SwipeMenuView& swipeMenuView,
                                                                 int index) override;
  // SwipeMenuViewDelegate
  void didChangeIndexFrom(ios::SwipeMenuView& swipeMenuView, int fromIndex, int toIndex) override;

 private:
  void showPage(int index);
};

}  // namespace kerbelin
