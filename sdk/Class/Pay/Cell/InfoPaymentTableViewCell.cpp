#include <Class/Pay/Cell/InfoPaymentTableViewCell.h>

#include <Foundation/ClassRegistry.h>

namespace kerbelin {

namespace {
using Cell = InfoPaymentTableViewCell;
const auto registration = ios::ClassRegistration<Cell, ios::UITableViewCell>()
                              .property("titleLabel", &Cell::titleLabel)
                              .property("desLabel", &Cell::desLabel)
                              .property("viewContent", &Cell::viewContent);
}  // namespace

std::shared_ptr<InfoPaymentTableViewCell> InfoPaymentTableViewCell::create() {
  return std::make_shared<InfoPaymentTableViewCell>();
}

}  // namespace kerbelin
