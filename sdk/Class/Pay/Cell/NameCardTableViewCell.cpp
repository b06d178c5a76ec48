#include <Class/Pay/Cell/NameCardTableViewCell.h>

#include <Foundation/ClassRegistry.h>
#include <Ultilities/Extensions/UIViewStyleExtension.h>

namespace kerbelin {

namespace {
using Cell = NameCardTableViewCell;
const auto registration = ios::ClassRegistration<Cell, ios::UITableViewCell>()
                              .property("titleLabel", &Cell::titleLabel)
                              .property("desLabel", &Cell::desLabel)
                              .property("logoImage", &Cell::logoImage);
}  // namespace

std::shared_ptr<NameCardTableViewCell> NameCardTableViewCell::create() {
  return std::make_shared<NameCardTableViewCell>();
}

void NameCardTableViewCell::awakeFromNib() {
  UITableViewCell::awakeFromNib();
  if (auto logo = logoImage.lock()) setCornerRadius(*logo, logoCornerRadius);
}

}  // namespace kerbelin
