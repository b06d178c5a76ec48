#include <Class/MyCode/ChoiceAddressViewController.h>

#include <Class/MyCode/Cell/AddressItemTableViewCell.h>
#include <Class/MyCode/Model/AreaModel.h>
#include <Foundation/ClassRegistry.h>
#include <UIKit/Nib/UINib.h>
#include <Ultilities/Handle/NibBundle.h>

namespace kerbelin {

namespace {
using Screen = ChoiceAddressViewController;
const auto registration =
    ios::ClassRegistration<Screen, ios::UIViewController>().property("tableView", &Screen::tableView);
}  // namespace

std::shared_ptr<ChoiceAddressViewController> ChoiceAddressViewController::create() {
  return std::make_shared<ChoiceAddressViewController>();
}

void ChoiceAddressViewController::viewDidLoad() {
  UIViewController::viewDidLoad();
  const auto& name = AddressItemTableViewCell::identifier;
  if (auto table = tableView.lock()) table->registerNib(ios::UINib::create(name, resolveNibBundle(name, nullptr)), name);
}

void ChoiceAddressViewController::viewDidAppear(bool animated) {
  UIViewController::viewDidAppear(animated);
  auto table = tableView.lock();
  if (!table || indexChoiced <= 0 || indexChoiced >= rowCount()) return;
  table->scrollToRow({0, indexChoiced}, ios::UITableViewScrollPosition::top, true);
}

int ChoiceAddressViewController::rowCount() const {
  return static_cast<int>(arrayText ? arrayText->size() : arrayArea.size());
}

int ChoiceAddressViewController::numberOfSections(ios::UITableView&) { return 1; }

int ChoiceAddressViewController::numberOfRowsInSection(ios::UITableView&, int) { return rowCount(); }

std::shared_ptr<ios::UITableViewCell> ChoiceAddressViewController::cellForRowAt(ios::UITableView& tableView,
                                                                               const ios::IndexPath& indexPath) {
  auto cell = tableView.dequeueReusableCell<AddressItemTableViewCell>(AddressItemTableViewCell::identifier,
                                                                      indexPath);
  const auto row = static_cast<std::size_t>(indexPath.row);
  if (auto label = cell->labelName.lock()) {
    const auto& area = row < arrayArea.size() ? arrayArea[row] : nullptr;
    label->setText(arrayText ? arrayText->at(row) : (area ? area->fullName : std::string()));
  }
  if (auto check = cell->imageIconCheck.lock()) check->setHidden(indexPath.row != indexChoiced);
  return cell;
}

ios::CGFloat ChoiceAddressViewController::heightForRowAt(ios::UITableView&, const ios::IndexPath&) {
  return ios::UITableViewAutomaticDimension;
}

void ChoiceAddressViewController::didSelectRowAt(ios::UITableView&, const ios::IndexPath& indexPath) {
  auto listener = delegate.lock();
  if (!listener || indexPath.row < 0 || indexPath.row >= rowCount()) return;
  listener->ChoiceIndexArea(arrayText ? nullptr : arrayArea[static_cast<std::size_t>(indexPath.row)],
                            indexPath.row);
}

}  // namespace kerbelin
