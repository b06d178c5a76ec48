#include <Class/Pay/TermPayViewController.h>

#include <Class/Pay/Cell/TermsAndConditionPayTableViewCell.h>
#include <Class/Pay/Model/PaymentModel.h>
#include <Foundation/ClassRegistry.h>
#include <UIKit/Nib/UINib.h>
#include <Ultilities/Handle/NibBundle.h>

namespace kerbelin {

namespace {
using Screen = TermPayViewController;
const auto registration = ios::ClassRegistration<Screen, ios::UIViewController>()
                              .property("viewRadius", &Screen::viewRadius)
                              .property("viewLine", &Screen::viewLine)
                              .property("tableView", &Screen::tableView);

const std::string kNibName = "TermPayViewController";
}  // namespace

std::shared_ptr<TermPayViewController> TermPayViewController::create() {
  return std::make_shared<TermPayViewController>();
}

TermPayViewController::TermPayViewController()
    : ios::UIViewController(kNibName, resolveNibBundle(kNibName, nullptr)) {}

void TermPayViewController::viewDidLoad() {
  UIViewController::viewDidLoad();
  const std::string& identifier = TermsAndConditionPayTableViewCell::identifier;
  auto nib = ios::UINib::create(identifier, resolveNibBundle(identifier, nullptr));
  if (auto table = tableView.lock()) table->registerNib(nib, identifier);
}

int TermPayViewController::numberOfSections(ios::UITableView&) {
  return 1;
}

int TermPayViewController::numberOfRowsInSection(ios::UITableView&, int) {
  return 1;
}

std::shared_ptr<ios::UITableViewCell> TermPayViewController::cellForRowAt(ios::UITableView& table,
                                                                          const ios::IndexPath& indexPath) {
  auto cell = table.dequeueReusableCell<TermsAndConditionPayTableViewCell>(
      TermsAndConditionPayTableViewCell::identifier, indexPath);
  if (paymentModel) cell->setData(*paymentModel);
  return cell;
}

ios::CGFloat TermPayViewController::heightForRowAt(ios::UITableView&, const ios::IndexPath&) {
  return ios::UITableViewAutomaticDimension;
}

}  // namespace kerbelin
