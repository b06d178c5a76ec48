#include <Class/DetailCard/ViewController/HistoryServiceViewController.h>

#include <Class/BuyCard/Model/DefServiceDtos.h>
#include <Class/DetailCard/CustomView/Cell/HistoryService/HIstoryServiceResultTableViewCell.h>
#include <Class/DetailCard/CustomView/Cell/HistoryService/HistoeyServiceEmptyTableViewCell.h>
#include <Class/DetailCard/CustomView/Cell/HistoryService/HistoryServiceConditionTableViewCell.h>
#include <Class/DetailCard/CustomView/Cell/HistoryService/HistoryServiceTitleResultTableViewCell.h>
#include <Class/DetailCard/CustomView/Cell/HistoryService/HistoryTitleTableViewCell.h>
#include <Class/DetailCard/Model/AccountEntryDtos.h>
#include <Class/DetailCard/Model/HistoryModel.h>
#include <Foundation/Calendar.h>
#include <Foundation/ClassRegistry.h>
#include <Foundation/Console.h>
#include <Foundation/DateFormatter.h>
#include <ObjectMapper/Mapper.h>
#include <Service/DetailCardService.h>
#include <Service/ReplyDecoding.h>
#include <Toast/UIViewToast.h>
#include <UIKit/Nib/UINib.h>
#include <Ultilities/Constants/Constants.h>
#include <Ultilities/Constants/Storyboards.h>
#include <Ultilities/Handle/HandlePush.h>
#include <Ultilities/Handle/NibBundle.h>

namespace kerbelin {

namespace {
using Screen = HistoryServiceViewController;
const auto registration = ios::ClassRegistration<Screen, ios::UIViewController>("HistoryServiceViewController")
                              .property("tableView", &Screen::tableView)
                              .method("toTextFieldDone", &Screen::toTextFieldDone)
                              .method("cancelDatePicker", &Screen::cancelDatePicker);

enum Section { titleSection, conditionSection, filterSection, captionsSection, entriesSection };

ios::DateFormatter dayFormatter() {
  ios::DateFormatter formatter;
  formatter.setDateFormat("dd/MM/yyyy");
  formatter.setLocale(ios::Locale::enUSPOSIX());
  return formatter;
}
}  // namespace

std::shared_ptr<HistoryServiceViewController> HistoryServiceViewController::create(
    std::optional<std::string> nibName, std::shared_ptr<ios::Bundle> bundle) {
  return std::make_shared<HistoryServiceViewController>(std::move(nibName), std::move(bundle));
}

HistoryServiceViewController::HistoryServiceViewController(std::optional<std::string> nibName,
                                                           std::shared_ptr<ios::Bundle> bundle)
    : ios::UIViewController(nibName, nibName ? resolveNibBundle(*nibName, std::move(bundle)) : std::move(bundle)),
      datePicker(ios::UIDatePicker::create()),
      toolbar(ios::UIToolbar::create()) {}

std::string HistoryServiceViewController::dayText(ios::Date date) { return dayFormatter().string(date); }

void HistoryServiceViewController::viewDidLoad() {
  UIViewController::viewDidLoad();
  configTableView();
  loadData();
  showDatePicker();
}

void HistoryServiceViewController::configTableView() {
  auto table = tableView.lock();
  if (!table) return;
  auto self = sharedAs<Screen>();
  table->setDelegate(std::static_pointer_cast<ios::UITableViewDelegate>(self));
  table->setDataSource(std::static_pointer_cast<ios::UITableViewDataSource>(self));
  for (const char* name : {HistoryServiceConditionTableViewCell::identifier, HistoryServiceFilterTableViewCell::identifier,
                           HIstoryServiceResultTableViewCell::identifier,
                           HistoryServiceTitleResultTableViewCell::identifier, HistoryTitleTableViewCell::identifier,
                           HistoeyServiceEmptyTableViewCell::identifier}) {
    table->registerNib(ios::UINib::create(name, resolveNibBundle(name, nullptr)), name);
  }
}

// ---- The request

void HistoryServiceViewController::loadData() {
  if (rangeIsBackwards()) {
    showMessage(backwardsRangeMessage);
    return;
  }
  if (auto page = paging_.reload()) send(*page, filter_);
}

ios::Dictionary HistoryServiceViewController::requestParams() const {
  return {{"mobilePhone", phoneUser},
          {"ownServiceCode", rootService ? rootService->code : std::string()},
          {"pageIndex", pageNumber_},
          {"pageSize", pageSize},
          {"searchEndTime", filter_.toDateFilter},
          {"searchStartTime", filter_.fromDateFilter},
          {"searchType", std::string(rawValue(filter_.searchType))}};
}

void HistoryServiceViewController::send(const PagedList::Page& page, const Filter& filter) {
  const auto params = requestParams();
  ios::print("params: " + params.dump());
  auto weak = weakAs<Screen>();
  DetailCardService::create()->getHistoryService(
      params,
      [weak, page, filter](ios::Dictionary&& reply) {
        if (auto self = weak.lock()) self->finish(page, filter, historyIn(std::move(reply)));
      },
      [weak, page, filter](const std::string&) {
        if (auto self = weak.lock()) self->finish(page, filter, nullptr);
      });
}

std::shared_ptr<HistoryModel> HistoryServiceViewController::historyIn(ios::Dictionary reply) {
  auto body = bodyUnlessResultCodePresentAndNonZero(std::move(reply));
  return body ? ios::mapObject<HistoryModel>(std::move(*body)) : nullptr;
}

void HistoryServiceViewController::finish(const PagedList::Page& page, const Filter& filter,
                                          std::shared_ptr<HistoryModel> model) {
  const auto rows = model ? std::optional(model->accountEntryDtos.size()) : std::nullopt;
  if (!paging_.settle(page, rows)) return;
  if (model) {
    model->searchType = filter.searchType;
    const bool range = filter.searchType == SearchType::Range;
    model->fromDateFilter = range ? filter.fromDateFilter : std::string();
    model->toDateFilter = range ? filter.toDateFilter : std::string();
    historyModel = std::move(model);
  } else {
    showMessage(failureMessage);
  }
  if (auto table = tableView.lock()) table->reloadData();
}

bool HistoryServiceViewController::rangeIsBackwards() const {
  if (filter_.searchType != SearchType::Range) return false;
  const auto formatter = dayFormatter();
  const auto from = formatter.date(filter_.fromDateFilter);
  const auto to = formatter.date(filter_.toDateFilter);
  return from && to && *from > *to;
}

void HistoryServiceViewController::showMessage(const std::string& message) {
  if (isViewLoaded()) ios::makeToast(*view(), message);
}

// ---- The filter

void HistoryServiceViewController::showDatePicker() {
  datePicker->datePickerMode = ios::UIDatePickerMode::date;
  const auto now = ios::Date::now();
  datePicker->setMinimumDate(ios::Calendar::current().date(ios::Calendar::Component::year, -100, now));
  datePicker->setMaximumDate(now);
  datePicker->setDate(now);
  toolbar->sizeToFit();
  std::weak_ptr<ios::NSObject> self = shared_from_this();
  toolbar->setItems({ios::UIBarButtonItem::create("Xong", ios::UIBarButtonItemStyle::plain, self, "toTextFieldDone"),
                     ios::UIBarButtonItem::flexibleSpace(),
                     ios::UIBarButtonItem::create("Huỷ", ios::UIBarButtonItemStyle::plain, self, "cancelDatePicker")},
                    false);
}

void HistoryServiceViewController::toTextFieldDone() {
  auto table = tableView.lock();
  auto row = table ? std::dynamic_pointer_cast<HistoryServiceFilterTableViewCell>(table->cellForRow({filterSection, 0}))
                   : nullptr;
  if (row) confirmDay(*row);
  view()->endEditing(true);
}

void HistoryServiceViewController::confirmDay(HistoryServiceFilterTableViewCell& row) {
  const auto day = dayText(datePicker->date());
  auto to = row.toTextField.lock();
  auto from = row.fromTextField.lock();
  if (to && to->isFirstResponder()) {
    to->setText(day);
    filter_.toDateFilter = day;
  } else if (from && from->isFirstResponder()) {
    from->setText(day);
    filter_.fromDateFilter = day;
  }
}

void HistoryServiceViewController::cancelDatePicker() { view()->endEditing(true); }

void HistoryServiceViewController::transactionAction() {
  auto picker = std::dynamic_pointer_cast<ContainerFloatingChoiceAddressViewController>(
      shareInstanceMyCodeStoryboard()->instantiateViewController("ContainerFloatingChoiceAddressViewController"));
  if (!picker) ios::fatalError("The storyboard \"MyCode\" has no ContainerFloatingChoiceAddressViewController scene");
  picker->arrayText = popUpTextArray;
  picker->indexChoiced = currentIndexPopup;
  picker->delegate = sharedAs<Screen>();
  picker->modalPresentationStyle = ios::UIModalPresentationStyle::overFullScreen;
  present(picker, false, [] {});
}

void HistoryServiceViewController::searchAction() { loadData(); }

void HistoryServiceViewController::ChoiceIndexArea(std::shared_ptr<AreaModel>, int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= popUpCodeArray.size()) return;
  currentIndexPopup = index;
  filter_.searchType = popUpCodeArray[static_cast<std::size_t>(index)];
  if (filter_.searchType != SearchType::Range) {
    filter_.fromDateFilter.clear();
    filter_.toDateFilter.clear();
  }
  if (auto table = tableView.lock()) table->reloadData();
}

// ---- Table

std::size_t HistoryServiceViewController::entryCount() const {
  return historyModel ? historyModel->accountEntryDtos.size() : 0;
}

int HistoryServiceViewController::numberOfSections(ios::UITableView&) { return 5; }

int HistoryServiceViewController::numberOfRowsInSection(ios::UITableView&, int section) {
  return section == entriesSection ? static_cast<int>(std::max<std::size_t>(entryCount(), 1)) : 1;
}

ios::CGFloat HistoryServiceViewController::heightForRowAt(ios::UITableView&, const ios::IndexPath&) {
  return ios::UITableViewAutomaticDimension;
}

std::shared_ptr<ios::UITableViewCell> HistoryServiceViewController::cellForRowAt(ios::UITableView& tableView,
                                                                                const ios::IndexPath& indexPath) {
  switch (indexPath.section) {
    case titleSection:
      return titleCell(tableView, indexPath);
    case conditionSection: {
      auto row = tableView.dequeueReusableCell<HistoryServiceConditionTableViewCell>(
          HistoryServiceConditionTableViewCell::identifier, indexPath);
      row->setHistoryModel(historyModel);
      return row;
    }
    case filterSection: {
      auto row = tableView.dequeueReusableCell<HistoryServiceFilterTableViewCell>(
          HistoryServiceFilterTableViewCell::identifier, indexPath);
      fillFilterRow(*row);
      return row;
    }
    case captionsSection:
      return captionsCell(tableView, indexPath);
    default:
      return entryCell(tableView, indexPath);
  }
}

std::shared_ptr<ios::UITableViewCell> HistoryServiceViewController::titleCell(ios::UITableView& tableView,
                                                                             const ios::IndexPath& indexPath) {
  auto row = tableView.dequeueReusableCell<HistoryTitleTableViewCell>(HistoryTitleTableViewCell::identifier,
                                                                      indexPath);
  if (auto label = row->titleLabel.lock()) {
    label->setText(historyModel ? std::optional(historyModel->serviceName) : std::nullopt);
  }
  return row;
}

std::shared_ptr<ios::UITableViewCell> HistoryServiceViewController::captionsCell(ios::UITableView& tableView,
                                                                                const ios::IndexPath& indexPath) {
  auto row = tableView.dequeueReusableCell<HistoryServiceTitleResultTableViewCell>(
      HistoryServiceTitleResultTableViewCell::identifier, indexPath);
  if (entryCount() == 0) {
    row->contentView()->setHidden(true);
    return row;
  }
  // A service counted in days keeps the caption it has.
  auto caption = row->title2Label.lock();
  if (caption && historyModel->unitType == UnitType::Limit) caption->setText("Số tiền");
  if (caption && historyModel->unitType == UnitType::Times) caption->setText("Số lần");
  row->contentView()->setHidden(false);
  return row;
}

std::shared_ptr<ios::UITableViewCell> HistoryServiceViewController::entryCell(ios::UITableView& tableView,
                                                                             const ios::IndexPath& indexPath) {
  const auto row = static_cast<std::size_t>(indexPath.row);
  if (row >= entryCount())
    return tableView.dequeueReusableCell<HistoeyServiceEmptyTableViewCell>(
        HistoeyServiceEmptyTableViewCell::identifier, indexPath);
  auto cell = tableView.dequeueReusableCell<HIstoryServiceResultTableViewCell>(
      HIstoryServiceResultTableViewCell::identifier, indexPath);
  cell->setAccountEntryDtos(historyModel->accountEntryDtos[row]);
  return cell;
}

void HistoryServiceViewController::fillFilterRow(HistoryServiceFilterTableViewCell& row) {
  if (auto dates = row.dateView.lock()) dates->setHidden(filter_.searchType != SearchType::Range);
  if (auto button = row.transactionButton.lock()) {
    button->setTitle(popUpTextArray.at(static_cast<std::size_t>(currentIndexPopup)), ios::UIControl::normal);
  }
  const std::pair<std::weak_ptr<ios::UITextField>, const std::string*> fields[] = {
      {row.fromTextField, &filter_.fromDateFilter}, {row.toTextField, &filter_.toDateFilter}};
  for (const auto& [weakField, text] : fields) {
    auto field = weakField.lock();
    if (!field) continue;
    field->inputView = datePicker;
    field->inputAccessoryView = toolbar;
    field->setText(*text);
  }
  row.delegate = sharedAs<Screen>();
}

void HistoryServiceViewController::didSelectRowAt(ios::UITableView&, const ios::IndexPath& indexPath) {
  const auto row = static_cast<std::size_t>(indexPath.row);
  if (indexPath.section != entriesSection || row >= entryCount()) return;
  HandlePush::create()->pushHistoryServiceSearchDetail(sharedAs<ios::UIViewController>(),
                                                       historyModel->accountEntryDtos[row], historyModel);
}

}  // namespace kerbelin
