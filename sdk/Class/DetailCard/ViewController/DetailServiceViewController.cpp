#include <Class/DetailCard/ViewController/DetailServiceViewController.h>

#include <Class/BuyCard/Model/DefServiceDtos.h>
#include <Class/BuyCard/Model/DefServiceUnitDtos.h>
#include <Class/DetailCard/CustomView/Cell/DetailServiceCell/DetailServiceTextTableViewCell.h>
#include <Class/DetailCard/Model/OwnAccountDtosModel.h>
#include <Foundation/ClassRegistry.h>
#include <UIKit/Nib/UINib.h>
#include <UIKit/UINavigationController.h>
#include <Ultilities/Handle/NibBundle.h>

namespace kerbelin {

namespace {
using Screen = DetailServiceViewController;
const auto registration = ios::ClassRegistration<Screen, ios::UIViewController>("DetailServiceViewController")
                              .property("tableView", &Screen::tableView)
                              .property("navigationView", &Screen::navigationView)
                              .property("cstHeightNavigation", &Screen::cstHeightNavigation)
                              .property("titleLabel", &Screen::titleLabel)
                              .method("backButtonClicked:", &Screen::backButtonClicked);

using Format = DetailServiceContentTableViewCell::ValueFormat;

const OwnAccountDtosModel* firstAccount(const DefServiceDtos* service) {
  return service && !service->ownAccountDtos.empty() ? service->ownAccountDtos.front().get() : nullptr;
}

std::string allocated(const DefServiceDtos* service) {
  const auto* account = firstAccount(service);
  return account ? account->allocatedUnit : std::string();
}

std::string available(const DefServiceDtos* service) {
  const auto* account = firstAccount(service);
  return account ? account->availableUnit : std::string();
}

std::string firstUnitLimit(const DefServiceDtos* service) {
  if (!service || !service->defServiceUnitDtos || service->defServiceUnitDtos->empty()) return {};
  const auto& unit = service->defServiceUnitDtos->front();
  return unit ? unit->displayLimitUnit : std::string();
}

// A text field of the service, "" without a service.
std::string field(const DefServiceDtos* service, std::string BaseModel::*member) {
  return service ? service->*member : std::string();
}
std::string field(const DefServiceDtos* service, std::string DefServiceDtos::*member) {
  return service ? service->*member : std::string();
}

// `text` when the server sent it (even empty), else `fallback`.
std::string either(const DefServiceDtos* service, std::optional<std::string> DefServiceDtos::*text,
                   std::string fallback) {
  return service && service->*text ? *(service->*text) : std::move(fallback);
}
}  // namespace

std::shared_ptr<DetailServiceViewController> DetailServiceViewController::create(
    std::optional<std::string> nibName, std::shared_ptr<ios::Bundle> bundle) {
  return std::make_shared<DetailServiceViewController>(std::move(nibName), std::move(bundle));
}

DetailServiceViewController::DetailServiceViewController(std::optional<std::string> nibName,
                                                         std::shared_ptr<ios::Bundle> bundle)
    : ios::UIViewController(nibName,
                            nibName ? resolveNibBundle(*nibName, std::move(bundle)) : std::move(bundle)) {}

void DetailServiceViewController::viewDidLoad() {
  UIViewController::viewDidLoad();
  configUI();
  loadData();
}

void DetailServiceViewController::configUI() {
  if (auto title = titleLabel.lock()) title->setText(isDetailCard ? "Chi tiết thẻ" : "Chi tiết dịch vụ");
  const bool ownBar =
      isDetailCard || parentType == TypeDetailCard::WaitPay || parentType == TypeDetailCard::UnPaid;
  if (auto height = cstHeightNavigation.lock()) height->setConstant(ownBar ? 44 : 0);
  if (auto bar = navigationView.lock()) bar->setHidden(!ownBar);
  auto table = tableView.lock();
  if (!table) return;
  auto self = sharedAs<Screen>();
  table->setDelegate(std::static_pointer_cast<ios::UITableViewDelegate>(self));
  table->setDataSource(std::static_pointer_cast<ios::UITableViewDataSource>(self));
  for (const char* name : {DetailServiceTextTableViewCell::identifier, DetailServiceContentTableViewCell::identifier}) {
    table->registerNib(ios::UINib::create(name, resolveNibBundle(name, nullptr)), name);
  }
}

void DetailServiceViewController::loadData() {
  if (auto rows = chooseRows()) {
    textArray.clear();
    iconArray.clear();
    priceArray.clear();
    for (auto& row : *rows) {
      textArray.push_back(std::move(row.label));
      iconArray.push_back(std::move(row.icon));
      priceArray.push_back(std::move(row.value));
    }
  }
  if (auto table = tableView.lock()) table->reloadData();
}

std::optional<std::vector<Screen::Row>> DetailServiceViewController::chooseRows() const {
  const DefServiceDtos* service = defServiceDtos.get();
  if (isDetailCard) {
    if (parentType == TypeDetailCard::UnPaid) return cardRows(field(service, &DefServiceDtos::limitDetailDescription));
    if (parentType == TypeDetailCard::WaitPay) return cardRows(allocated(service));
    return std::nullopt;
  }
  const auto state = service ? std::optional(service->type) : std::nullopt;
  if (parentType == TypeDetailCard::WaitPay || state == TypeDetailCard::WaitPay) {
    return serviceRows(either(service, &DefServiceDtos::usageDescription, allocated(service)), allocated(service));
  }
  if (state == TypeDetailCard::UnPaid) {
    return serviceRows(either(service, &DefServiceDtos::usageDesciption, firstUnitLimit(service)),
                       field(service, &DefServiceDtos::limitDetailDescription));
  }
  return ownedRows(state == TypeDetailCard::Paid);
}

std::vector<Screen::Row> DetailServiceViewController::cardRows(std::string usable) const {
  const DefServiceDtos* service = defServiceDtos.get();
  return {{textListedPrice, iconRemaining, field(service, &BaseModel::listedPrice)},
          {textPrice, iconRemaining, field(service, &BaseModel::price)},
          {textLimitDetailDescription, iconRemaining, std::move(usable)},
          {textExpiryDate, iconAllocated, field(service, &DefServiceDtos::expiryDate)}};
}

std::vector<Screen::Row> DetailServiceViewController::serviceRows(std::string limit, std::string usable) const {
  const DefServiceDtos* service = defServiceDtos.get();
  auto rows = cardRows(std::move(usable));
  rows.insert(rows.begin(), {{textUnitPrice, iconRemaining, field(service, &DefServiceDtos::unitPrice)},
                             {textLimitUsage, iconRemaining, std::move(limit)}});
  return rows;
}

std::vector<Screen::Row> DetailServiceViewController::ownedRows(bool valid) const {
  const DefServiceDtos* service = defServiceDtos.get();
  return {{textAllocatedUnit, iconRemaining, either(service, &DefServiceDtos::usageDescription, allocated(service))},
          {textAvailableUnit, valid ? iconAllocated : iconRemaining, available(service)},
          {textExpiryDate, iconAllocated, field(service, &DefServiceDtos::expirationDate)}};
}

void DetailServiceViewController::backButtonClicked(const std::shared_ptr<ios::NSObject>&) {
  if (auto navigation = navigationController()) navigation->popViewController(true);
}

// ---- Table

int DetailServiceViewController::numberOfSections(ios::UITableView&) { return 3; }

int DetailServiceViewController::numberOfRowsInSection(ios::UITableView&, int section) {
  return section == 1 ? static_cast<int>(textArray.size()) : 1;
}

ios::CGFloat DetailServiceViewController::heightForRowAt(ios::UITableView&, const ios::IndexPath&) {
  return ios::UITableViewAutomaticDimension;
}

DetailServiceContentTableViewCell::ValueFormat DetailServiceViewController::formatFor(const std::string& label) {
  if (label == textPrice) return Format::customerPrice;
  if (label == textListedPrice) return Format::listedPrice;
  if (label == textLimitUsage || label == textAllocatedUnit) return Format::limit;
  return Format::emphasised;
}

std::shared_ptr<ios::UITableViewCell> DetailServiceViewController::cellForRowAt(ios::UITableView& tableView,
                                                                               const ios::IndexPath& indexPath) {
  if (indexPath.section == 1) {
    auto cell = tableView.dequeueReusableCell<DetailServiceContentTableViewCell>(
        DetailServiceContentTableViewCell::identifier, indexPath);
    const auto row = static_cast<std::size_t>(indexPath.row);
    cell->show(iconArray.at(row), textArray.at(row), priceArray.at(row), formatFor(textArray.at(row)));
    return cell;
  }
  auto cell = tableView.dequeueReusableCell<DetailServiceTextTableViewCell>(
      DetailServiceTextTableViewCell::identifier, indexPath);
  if (indexPath.section == 0) {
    cell->showHeader(defServiceDtos.get());
  } else {
    cell->showDescription(defServiceDtos.get());
  }
  return cell;
}

}  // namespace kerbelin
