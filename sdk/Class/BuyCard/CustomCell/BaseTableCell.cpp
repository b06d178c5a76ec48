#include <Class/BuyCard/CustomCell/BaseTableCell.h>

#include <Foundation/ClassRegistry.h>

namespace kerbelin {

namespace {
const auto registration = ios::ClassRegistration<BaseTableCell, ios::UITableViewCell>();
}  // namespace

BaseTableCell::BaseTableCell(ios::UITableViewCellStyle style, std::string reuseIdentifier)
    : UITableViewCell(style, std::move(reuseIdentifier)) {}

}  // namespace kerbelin
