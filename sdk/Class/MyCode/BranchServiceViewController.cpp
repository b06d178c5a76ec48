#include <Class/MyCode/BranchServiceViewController.h>

#include <Class/MyCode/Cell/AddressServiceTableViewCell.h>
#include <Class/MyCode/Model/AreaModel.h>
#include <Class/MyCode/Model/BranchModel.h>
#include <Foundation/ClassRegistry.h>
#include <ObjectMapper/Mapper.h>
#include <Service/MyCardService.h>
#include <Service/ReplyDecoding.h>
#include <UIKit/Nib/UINib.h>
#include <Ultilities/Common/Common.h>
#include <Ultilities/Common/HeaderScrollReport.h>
#include <Ultilities/Constants/Storyboards.h>
#include <Ultilities/Handle/NibBundle.h>

namespace kerbelin {

namespace {
using Screen = BranchServiceViewController;
const auto registration = ios::ClassRegistration<Screen, ios::UIViewController>()
                              .property("tableView", &Screen::tableView)
                              .property("labelChoiceTinhTP", &Screen::labelChoiceTinhTP)
                              .property("labelChoiceQuanHuyen", &Screen::labelChoiceQuanHuyen)
                              .property("labelChoiceXaPhuong", &Screen::labelChoiceXaPhuong)
                              .property("viewTinhTP", &Screen::viewTinhTP)
                              .property("viewQuanHuyen", &Screen::viewQuanHuyen)
                              .property("viewXaPhuong", &Screen::viewXaPhuong)
                              .property("viewLostData", &Screen::viewLostData)
                              .method("didChoiceTinhTP:", &Screen::didChoiceTinhTP)
                              .method("didChoiceQuanHuyen:", &Screen::didChoiceQuanHuyen)
                              .method("didChoiceXaPhuong:", &Screen::didChoiceXaPhuong);

enum class Level { none, province, district, ward };

// The server's own level when it sends one; otherwise the most specific name the record carries.
Level levelOf(const AreaModel& area) {
  if (area.areaType == "C") return Level::ward;
  if (area.areaType == "D") return Level::district;
  if (area.areaType == "P") return Level::province;
  if (!area.precinct.empty()) return Level::ward;
  if (!area.district.empty()) return Level::district;
  return area.province.empty() ? Level::none : Level::province;
}

// The array under `key` of a reply that succeeded; none for anything else.
template <class Model>
std::optional<std::vector<std::shared_ptr<Model>>> listOfSuccess(ios::Dictionary reply, const char* key) {
  auto body = bodyRequiringResultCodeZero(std::move(reply));
  if (!body || !body->contains(key)) return std::nullopt;
  return ios::mapArrayIfAllObjects<Model>(std::move((*body)[key]));
}

void setText(const std::weak_ptr<ios::UILabel>& label, const std::string& text) {
  if (auto shown = label.lock()) shown->setText(text);
}
}  // namespace

std::shared_ptr<BranchServiceViewController> BranchServiceViewController::create() {
  return std::make_shared<BranchServiceViewController>();
}

BranchServiceViewController::BranchServiceViewController()
    : paging_(pageNumber_, isCheckCallApiListBranch,
              {.firstPage = 0, .pageSize = rowCount, .overlap = PagedList::Overlap::queue}) {}

void BranchServiceViewController::viewDidLoad() {
  UIViewController::viewDidLoad();
  const auto& name = AddressServiceTableViewCell::identifier;
  if (auto table = tableView.lock()) table->registerNib(ios::UINib::create(name, resolveNibBundle(name, nullptr)), name);
  reloadListBranch();
  for (const auto* box : {&viewTinhTP, &viewQuanHuyen, &viewXaPhuong})
    if (auto view = box->lock()) Common::SetShadowAndcornerRadiusView(*view, 5);
}

// ---- Branches

void BranchServiceViewController::reloadListBranch() {
  if (!providerId) return;
  isReloadListBranch = true;
  if (auto page = paging_.reload()) getListBranch(*page);
}

void BranchServiceViewController::loadMoreListBranch() {
  if (!providerId) return;
  if (auto page = paging_.next()) getListBranch(*page);
}

void BranchServiceViewController::getListBranch(const PagedList::Page& page) {
  const ios::Dictionary params = {{"areaCode", listArea_ ? listArea_->areaCode : ""},
                                  {"areaType", listArea_ ? listArea_->areaType : ""},
                                  {"pageIndex", page.isFirstPage ? 0 : static_cast<int>(arrayBranch.size())},
                                  {"providerId", *providerId},
                                  {"rowCount", rowCount},
                                  {"containProvider", false}};
  auto weak = weakAs<BranchServiceViewController>();
  MyCardService::create()->getListBranch(
      params,
      [weak, page](ios::Dictionary&& reply) {
        if (auto self = weak.lock()) self->applyBranches(page, std::move(reply));
      },
      [weak, page](const std::string&) {
        if (auto self = weak.lock()) self->applyBranches(page, nullptr);
      });
}

void BranchServiceViewController::applyBranches(const PagedList::Page& page, ios::Dictionary reply) {
  auto branches = listOfSuccess<BranchModel>(std::move(reply), "list");
  if (paging_.settle(page, branches ? std::optional(branches->size()) : std::nullopt)) {
    if (branches) {
      showBranches(page, *branches);
    } else if (page.isFirstPage) {
      clearBranches();
    }
  }
  branchRequestEnded();
}

void BranchServiceViewController::showBranches(const PagedList::Page& page,
                                               const std::vector<std::shared_ptr<BranchModel>>& branches) {
  if (page.isFirstPage) arrayBranch.clear();
  isReloadListBranch = false;
  arrayBranch.insert(arrayBranch.end(), branches.begin(), branches.end());
  if (auto empty = viewLostData.lock()) empty->setHidden(!arrayBranch.empty());
  if (auto table = tableView.lock()) table->reloadData();
}

// The rows shown belong to the area before the pick: they must not stand under the new caption. The
// empty-state view stays as it was, since nothing says the area has no branch.
void BranchServiceViewController::clearBranches() {
  arrayBranch.clear();
  if (auto table = tableView.lock()) table->reloadData();
}

void BranchServiceViewController::branchRequestEnded() {
  if (auto again = paging_.takeQueued()) getListBranch(*again);
}

// ---- Areas

void BranchServiceViewController::didChoiceTinhTP(const std::shared_ptr<ios::NSObject>&) {
  getArea("", "P");
}

void BranchServiceViewController::didChoiceQuanHuyen(const std::shared_ptr<ios::NSObject>&) {
  if (objProvince) getArea(objProvince->areaCode, "D");
}

void BranchServiceViewController::didChoiceXaPhuong(const std::shared_ptr<ios::NSObject>&) {
  if (objDistrict) getArea(objDistrict->areaCode, "C");
}

void BranchServiceViewController::getArea(const std::string& parentCode, const std::string& areaType) {
  if (isCheckCallApiArea) return;
  isCheckCallApiArea = true;
  areaOverlay_ = WSLoadingView::showWithMask();
  auto weak = weakAs<BranchServiceViewController>();
  auto overlay = areaOverlay_;
  auto ended = [weak, overlay](ios::Dictionary&& reply) {
    WSLoadingView::hide(overlay);
    if (auto self = weak.lock()) self->applyAreas(std::move(reply));
  };
  MyCardService::create()->getArea({{"parentCode", parentCode}, {"areaType", areaType}}, ended,
                                   [ended](const std::string&) { ended(nullptr); });
}

void BranchServiceViewController::applyAreas(ios::Dictionary reply) {
  isCheckCallApiArea = false;
  if (auto areas = listOfSuccess<AreaModel>(std::move(reply), "listArea")) showPopupChoiceArea(*areas);
}

void BranchServiceViewController::showPopupChoiceArea(const std::vector<std::shared_ptr<AreaModel>>& array) {
  if (array.empty()) return;
  const Level level = levelOf(*array.front());
  const auto& current = level == Level::ward ? objPrecinct : level == Level::district ? objDistrict : objProvince;
  int index = -1;
  for (std::size_t i = 0; current && index < 0 && i < array.size(); ++i)
    if (array[i]->id == current->id) index = static_cast<int>(i);
  showPopupChoiceAddress(array, index);
}

void BranchServiceViewController::showPopupChoiceAddress(const std::vector<std::shared_ptr<AreaModel>>& array,
                                                         int index) {
  auto picker = std::dynamic_pointer_cast<ContainerFloatingChoiceAddressViewController>(
      shareInstanceMyCodeStoryboard()->instantiateViewController("ContainerFloatingChoiceAddressViewController"));
  if (!picker) return;
  picker->arrayArea = array;
  picker->indexChoiced = index;
  picker->delegate = sharedAs<BranchServiceViewController>();
  picker->modalPresentationStyle = ios::UIModalPresentationStyle::overFullScreen;
  present(picker, false);
}

void BranchServiceViewController::ChoiceIndexArea(std::shared_ptr<AreaModel> obj, int) {
  if (!obj) return;
  switch (levelOf(*obj)) {
    case Level::ward:
      setText(labelChoiceXaPhuong, obj->fullName);
      objPrecinct = obj;
      break;
    case Level::district:
      setText(labelChoiceXaPhuong, "Xã/Phường");
      setText(labelChoiceQuanHuyen, obj->fullName);
      objPrecinct = nullptr;
      objDistrict = obj;
      break;
    case Level::province:
      setText(labelChoiceXaPhuong, "Xã/Phường");
      setText(labelChoiceQuanHuyen, "Quận/Huyện");
      setText(labelChoiceTinhTP, obj->fullName);
      objPrecinct = objDistrict = nullptr;
      objProvince = obj;
      break;
    case Level::none:
      break;
  }
  listArea_ = obj;
  reloadListBranch();
}

// ---- Table

int BranchServiceViewController::numberOfSections(ios::UITableView&) { return 1; }

int BranchServiceViewController::numberOfRowsInSection(ios::UITableView&, int) {
  return static_cast<int>(arrayBranch.size());
}

std::shared_ptr<ios::UITableViewCell> BranchServiceViewController::cellForRowAt(ios::UITableView& tableView,
                                                                               const ios::IndexPath& indexPath) {
  auto cell = tableView.dequeueReusableCell<AddressServiceTableViewCell>(
      AddressServiceTableViewCell::identifier, indexPath);
  cell->getData(arrayBranch.at(static_cast<std::size_t>(indexPath.row)));
  if (indexPath.row == static_cast<int>(arrayBranch.size()) - 1) loadMoreListBranch();
  return cell;
}

ios::CGFloat BranchServiceViewController::heightForRowAt(ios::UITableView&, const ios::IndexPath&) {
  return ios::UITableViewAutomaticDimension;
}

void BranchServiceViewController::scrollViewWillBeginDragging(ios::UIScrollView&) {
  if (auto table = tableView.lock()) oldContentOffsetY = table->contentOffset().y;
}

void BranchServiceViewController::scrollViewDidScroll(ios::UIScrollView& scrollView) {
  auto step = headerScrollStep(scrollView, oldContentOffsetY, isUpdateContentOfset);
  if (!step) return;
  if (auto page = delegate.lock()) page->scrollTableView(*step);
}

}  // namespace kerbelin
