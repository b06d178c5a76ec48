#include <Class/Pay/Cell/HeaderPaymentTableViewCell.h>

#include <Foundation/ClassRegistry.h>

namespace kerbelin {

namespace {
using Cell = HeaderPaymentTableViewCell;
const auto registration =
    ios::ClassRegistration<Cell, ios::UITableViewCell>().property("titleLabel", &Cell::titleLabel);
}  // namespace

std::shared_ptr<HeaderPaymentTableViewCell> HeaderPaymentTableViewCell::create() {
  return std::make_shared<HeaderPaymentTableViewCell>();
}

}  // namespace kerbelin
