#include <Class/MyCode/Cell/AddressItemTableViewCell.h>

#include <Foundation/ClassRegistry.h>

namespace kerbelin {

namespace {
using Cell = AddressItemTableViewCell;
const auto registration = ios::ClassRegistration<Cell, ios::UITableViewCell>()
                              .property("imageIconCheck", &Cell::imageIconCheck)
                              .property("labelName", &Cell::labelName);
}  // namespace

std::shared_ptr<AddressItemTableViewCell> AddressItemTableViewCell::create() {
  return std::make_shared<AddressItemTableViewCell>();
}

AddressItemTableViewCell::AddressItemTableViewCell() : UITableViewCell(ios::UITableViewCellStyle::default_, identifier) {}

}  // namespace kerbelin
