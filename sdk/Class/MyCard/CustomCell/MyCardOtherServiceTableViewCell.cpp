#include <Class/MyCard/CustomCell/MyCardOtherServiceTableViewCell.h>

#include <Foundation/ClassRegistry.h>

namespace kerbelin {

namespace {
using Cell = MyCardOtherServiceTableViewCell;
const auto registration = ios::ClassRegistration<Cell, ios::UITableViewCell>()
                              .property("viewRadius", &Cell::viewRadius)
                              .property("viewMain", &Cell::viewMain)
                              .property("lbOtherService", &Cell::lbOtherService)
                              .property("cstBottom", &Cell::cstBottom)
                              .property("cstBottomMain", &Cell::cstBottomMain)
                              .property("viewShadow", &Cell::viewShadow);
}  // namespace

std::shared_ptr<MyCardOtherServiceTableViewCell> MyCardOtherServiceTableViewCell::create() {
  return std::make_shared<MyCardOtherServiceTableViewCell>();
}

MyCardOtherServiceTableViewCell::MyCardOtherServiceTableViewCell() = default;

}  // namespace kerbelin
