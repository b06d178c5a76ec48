#include <Class/DetailCard/CustomView/Cell/HistoryService/HistoryServiceTitleResultTableViewCell.h>

#include <Foundation/ClassRegistry.h>

namespace kerbelin {

namespace {
using Cell = HistoryServiceTitleResultTableViewCell;
const auto registration = ios::ClassRegistration<Cell, ios::UITableViewCell>()
                              .property("title1View", &Cell::title1View)
                              .property("title2View", &Cell::title2View)
                              .property("title3View", &Cell::title3View)
                              .property("title2Label", &Cell::title2Label);
}  // namespace

std::shared_ptr<HistoryServiceTitleResultTableViewCell> HistoryServiceTitleResultTableViewCell::create() {
  return std::make_shared<HistoryServiceTitleResultTableViewCell>();
}

HistoryServiceTitleResultTableViewCell::HistoryServiceTitleResultTableViewCell()
    : UITableViewCell(ios::UITableViewCellStyle::default_, identifier) {}

}  // namespace kerbelin
