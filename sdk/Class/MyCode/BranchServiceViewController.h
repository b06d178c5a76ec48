#pragma once

#include <Class/MyCode/ContainerFloatingChoiceAddressViewController.h>
#include <Foundation/Dictionary.h>
#include <UIKit/UILabel.h>
#include <UIKit/UITableView.h>
#include <UIKit/UIViewController.h>
#include <Ultilities/Common/HeaderScrollReport.h>
#include <Ultilities/Paging/PagedList.h>
#include <Ultilities/lib/WSLoadingView.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kerbelin {

class AreaModel;
class BranchModel;

using BranchServiceViewControllerDelegate = HeaderScrollDelegate;

// The branches tab of a provider's page (scene "BranchServiceViewController" of the storyboard
// "MyCode"): the provider's branches five at a time, narrowed by province, district and ward through
// the picker sheet.
//
// Requests: never two branch requests at once. A pick while one is in flight makes that one stale
// (its reply is dropped) and sends the pick's first page when it ends. Each list is asked for with its
// own area, kept from the first page on, so later pages never mix areas. A first page replaces the
// rows; a failed one empties the list and is asked for again by the next trigger; a page of fewer
// than five rows ends paging until the next pick. One area request at a time, under the loading overlay.
class BranchServiceViewController : public ios::UIViewController,
                                    public ios::UITableViewDataSource,
                                    public ios::UITableViewDelegate,
                                    public ContainerFloatingChoiceAddressViewControllerDelegate {
 public:
  static constexpr int rowCount = 5;

  static std::shared_ptr<BranchServiceViewController> create();
  BranchServiceViewController();

  std::weak_ptr<ios::UITableView> tableView;
  std::weak_ptr<ios::UILabel> labelChoiceTinhTP;
  std::weak_ptr<ios::UILabel> labelChoiceQuanHuyen;
  std::weak_ptr<ios::UILabel> labelChoiceXaPhuong;
  std::weak_ptr<ios::UIView> viewTinhTP;
  std::weak_ptr<ios::UIView> viewQuanHuyen;
  std::weak_ptr<ios::UIView> viewXaPhuong;
  std::weak_ptr<ios::UIView> viewLostData;
  // Held weakly: the page owns this screen.
  std::weak_ptr<BranchServiceViewControllerDelegate> delegate;
  ios::CGFloat oldContentOffsetY = 0;
  bool isUpdateContentOfset = true;
  std::vector<std::shared_ptr<BranchModel>> arrayBranch;
  std::shared_ptr<AreaModel> objProvince;
  std::shared_ptr<AreaModel> objDistrict;
  std::shared_ptr<AreaModel> objPrecinct;
  bool isCheckCallApiArea = false;
  bool isCheckCallApiListBranch = false;  // a branch request is in flight
  bool isReloadListBranch = false;        // the list waits for a first page
  std::optional<std::string> providerId;  // set by the page before the view loads

  void viewDidLoad() override;

  // The next page of the current list, when paging has not ended.
  void loadMoreListBranch();
  void didChoiceTinhTP(const std::shared_ptr<ios::NSObject>& sender = nullptr);
  // Only once a province is chosen.
  void didChoiceQuanHuyen(const std::shared_ptr<ios::NSObject>& sender = nullptr);
  // Only once a district is chosen.
  void didChoiceXaPhuong(const std::shared_ptr<ios::NSObject>& sender = nullptr);
  // Asks for the areas of one level; nothing while an area request is in flight.
  void getArea(const std::string& parentCode, const std::string& areaType);
  // Opens the picker on a received area list, with the current choice of the list's level checked.
  void showPopupChoiceArea(const std::vector<std::shared_ptr<AreaModel>>& array);
  void showPopupChoiceAddress(const std::vector<std::shared_ptr<AreaModel>>& array, int index);

  // ContainerFloatingChoiceAddressViewControllerDelegate: a picked area narrows (or widens) the list.
  void ChoiceIndexArea(std::shared_ptr<AreaModel> obj, int index) override;

  int numberOfSections(ios::UITableView& tableView) override;
  int numberOfRowsInSection(ios::UITableView& tableView, int section) override;
  std::shared_ptr<ios::UITableViewCell> cellForRowAt(ios::UITableView& tableView,
                                                     const ios::IndexPath& indexPath) override;
  ios::CGFloat heightForRowAt(ios::UITableView& tableView, const ios::IndexPath& indexPath) override;
  void scrollViewWillBeginDragging(ios::UIScrollView& scrollView) override;
  void scrollViewDidScroll(ios::UIScrollView& scrollView) override;

 private:
  // The first page of the list for `listArea_`.
  void reloadListBranch();
  void getListBranch(const PagedList::Page& page);
  void applyBranches(const PagedList::Page& page, ios::Dictionary reply);
  void showBranches(const PagedList::Page& page, const std::vector<std::shared_ptr<BranchModel>>& branches);
  // A failed first page: the list it was to replace goes too.
  void clearBranches();
  void branchRequestEnded();
  void applyAreas(ios::Dictionary reply);

  int pageNumber_ = 0;
  PagedList paging_;
  // The area the shown list is for (none: every branch).
  std::shared_ptr<AreaModel> listArea_;
  WSLoadingView::Token areaOverlay_;
};

}  // namespace kerbelin
