#include <Class/Pay/Cell/TitleCardTableViewCell.h>

#include <Foundation/ClassRegistry.h>

namespace kerbelin {

namespace {
using Cell = TitleCardTableViewCell;
const auto registration =
    ios::ClassRegistration<Cell, ios::UITableViewCell>().property("titleLabel", &Cell::titleLabel);
}  // namespace

std::shared_ptr<TitleCardTableViewCell> TitleCardTableViewCell::create() {
  return std::make_shared<TitleCardTableViewCell>();
}

}  // namespace kerbelin
