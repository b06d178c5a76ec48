#include <Class/DetailCard/CustomView/Cell/HistoryService/HistoryServiceFilterTableViewCell.h>

#include <Foundation/ClassRegistry.h>

namespace kerbelin {

namespace {
using Cell = HistoryServiceFilterTableViewCell;
const auto registration = ios::ClassRegistration<Cell, ios::UITableViewCell>()
                              .property("transactionView", &Cell::transactionView)
                              .property("dateView", &Cell::dateView)
                              .property("buttonView", &Cell::buttonView)
                              .property("transactionButton", &Cell::transactionButton)
                              .property("fromTextField", &Cell::fromTextField)
                              .property("toTextField", &Cell::toTextField)
                              .property("stackView", &Cell::stackView)
                              .method("searchButtonClicked:", &Cell::searchButtonClicked)
                              .method("transactionButtonClicked:", &Cell::transactionButtonClicked);
}  // namespace

std::shared_ptr<HistoryServiceFilterTableViewCell> HistoryServiceFilterTableViewCell::create() {
  return std::make_shared<HistoryServiceFilterTableViewCell>();
}

HistoryServiceFilterTableViewCell::HistoryServiceFilterTableViewCell()
    : UITableViewCell(ios::UITableViewCellStyle::default_, identifier) {}

void HistoryServiceFilterTableViewCell::awakeFromNib() {
  UITableViewCell::awakeFromNib();
  auto stack = stackView.lock();
  if (!stack) return;
  for (const auto& area : {transactionView, dateView, buttonView}) {
    if (auto view = area.lock()) stack->addArrangedSubview(view);
  }
}

void HistoryServiceFilterTableViewCell::searchButtonClicked(const std::shared_ptr<ios::NSObject>&) {
  if (auto listener = delegate.lock()) listener->searchAction();
}

void HistoryServiceFilterTableViewCell::transactionButtonClicked(const std::shared_ptr<ios::NSObject>&) {
  if (auto listener = delegate.lock()) listener->transactionAction();
}

}  // namespace kerbelin
