#include <Class/DetailCard/CustomView/Cell/HistoryService/HistoeyServiceEmptyTableViewCell.h>

#include <Foundation/ClassRegistry.h>

namespace kerbelin {

namespace {
const auto registration = ios::ClassRegistration<HistoeyServiceEmptyTableViewCell, ios::UITableViewCell>();
}  // namespace

std::shared_ptr<HistoeyServiceEmptyTableViewCell> HistoeyServiceEmptyTableViewCell::create() {
  return std::make_shared<HistoeyServiceEmptyTableViewCell>();
}

HistoeyServiceEmptyTableViewCell::HistoeyServiceEmptyTableViewCell()
    : UITableViewCell(ios::UITableViewCellStyle::default_, identifier) {}

}  // namespace kerbelin
