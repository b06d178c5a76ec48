#pragma once

#include <UIKit/UITableView.h>
#include <UIKit/UIViewController.h>
#include <Ultilities/Common/HeaderScrollReport.h>

#include <memory>
#include <vector>

namespace kerbelin {

class ProvideInforModel;

using IntroductSeviceViewControllerDelegate = HeaderScrollDelegate;

// The introduction tab of a provider's page (scene "IntroductSeviceViewController" of the storyboard
// "MyCode"): one row per provider record. Its list moves the page's collapsing header first.
class IntroductSeviceViewController : public ios::UIViewController,
                                      public ios::UITableViewDataSource,
                                      public ios::UITableViewDelegate {
 public:
  static std::shared_ptr<IntroductSeviceViewController> create();

  std::weak_ptr<ios::UITableView> tableView;
  // Held weakly: the page owns this screen.
  std::weak_ptr<IntroductSeviceViewControllerDelegate> delegate;
  ios::CGFloat oldContentOffsetY = 0;
  // Written by the page on each report: true while its header moves, holding this list still.
  bool isUpdateContentOfset = true;
  std::vector<std::shared_ptr<ProvideInforModel>> arrayInforService;

  void viewDidLoad() override;
  // Replaces the records; before the view loads they are kept for its first showing.
  void GetData(std::vector<std::shared_ptr<ProvideInforModel>> array);

  int numberOfSections(ios::UITableView& tableView) override;
  int numberOfRowsInSection(ios::UITableView& tableView, int section) override;
  std::shared_ptr<ios::UITableViewCell> cellForRowAt(ios::UITableView& tableView,
                                                     const ios::IndexPath& indexPath) override;
  ios::CGFloat heightForRowAt(ios::UITableView& tableView, const ios::IndexPath& indexPath) override;
  void scrollViewWillBeginDragging(ios::UIScrollView& scrollView) override;
  void scrollViewDidScroll(ios::UIScrollView& scrollView) override;
};

}  // namespace kerbelin
