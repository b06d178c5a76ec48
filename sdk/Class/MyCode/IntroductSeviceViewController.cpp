#include <Class/MyCode/IntroductSeviceViewController.h>

#include <Class/MyCode/Cell/MyCodeIntroductTableViewCell.h>
#include <Foundation/ClassRegistry.h>
#include <UIKit/Nib/UINib.h>
#include <Ultilities/Common/HeaderScrollReport.h>
#include <Ultilities/Handle/NibBundle.h>

namespace kerbelin {

namespace {
using Screen = IntroductSeviceViewController;
const auto registration =
    ios::ClassRegistration<Screen, ios::UIViewController>().property("tableView", &Screen::tableView);
}  // namespace

std::shared_ptr<IntroductSeviceViewController> IntroductSeviceViewController::create() {
  return std::make_shared<IntroductSeviceViewController>();
}

void IntroductSeviceViewController::viewDidLoad() {
  UIViewController::viewDidLoad();
  const auto& name = MyCodeIntroductTableViewCell::identifier;
  if (auto table = tableView.lock()) table->registerNib(ios::UINib::create(name, resolveNibBundle(name, nullptr)), name);
}

void IntroductSeviceViewController::GetData(std::vector<std::shared_ptr<ProvideInforModel>> array) {
  arrayInforService = std::move(array);
  if (auto table = tableView.lock()) table->reloadData();
}

int IntroductSeviceViewController::numberOfSections(ios::UITableView&) { return 1; }

int IntroductSeviceViewController::numberOfRowsInSection(ios::UITableView&, int) {
  return static_cast<int>(arrayInforService.size());
}

std::shared_ptr<ios::UITableViewCell> IntroductSeviceViewController::cellForRowAt(
    ios::UITableView& tableView, const ios::IndexPath& indexPath) {
  auto cell = tableView.dequeueReusableCell<MyCodeIntroductTableViewCell>(
      MyCodeIntroductTableViewCell::identifier, indexPath);
  cell->GetDataInfor(arrayInforService.at(static_cast<std::size_t>(indexPath.row)));
  return cell;
}

ios::CGFloat IntroductSeviceViewController::heightForRowAt(ios::UITableView&, const ios::IndexPath&) {
  return ios::UITableViewAutomaticDimension;
}

void IntroductSeviceViewController::scrollViewWillBeginDragging(ios::UIScrollView&) {
  if (auto table = tableView.lock()) oldContentOffsetY = table->contentOffset().y;
}

void IntroductSeviceViewController::scrollViewDidScroll(ios::UIScrollView& scrollView) {
  auto step = headerScrollStep(scrollView, oldContentOffsetY, isUpdateContentOfset);
  if (!step) return;
  if (auto page = delegate.lock()) page->scrollTableView(*step);
}

}  // namespace kerbelin
