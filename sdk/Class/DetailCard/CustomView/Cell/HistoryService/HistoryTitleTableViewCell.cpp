#include <Class/DetailCard/CustomView/Cell/HistoryService/HistoryTitleTableViewCell.h>

#include <Foundation/ClassRegistry.h>

namespace kerbelin {

namespace {
const auto registration = ios::ClassRegistration<HistoryTitleTableViewCell, ios::UITableViewCell>().property(
    "titleLabel", &HistoryTitleTableViewCell::titleLabel);
}  // namespace

std::shared_ptr<HistoryTitleTableViewCell> HistoryTitleTableViewCell::create() {
  return std::make_shared<HistoryTitleTableViewCell>();
}

HistoryTitleTableViewCell::HistoryTitleTableViewCell()
    : UITableViewCell(ios::UITableViewCellStyle::default_, identifier) {}

}  // namespace kerbelin
