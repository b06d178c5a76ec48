#include <Class/BuyCard/CustomCell/CategoryCollectionViewCell.h>

#include <Foundation/ClassRegistry.h>

namespace kerbelin {

namespace {
const auto registration = ios::ClassRegistration<CategoryCollectionViewCell, ios::UICollectionViewCell>()
                              .property("icon", &CategoryCollectionViewCell::icon)
                              .property("lbName", &CategoryCollectionViewCell::lbName)
                              .property("imgArrow", &CategoryCollectionViewCell::imgArrow)
                              .property("viewBg", &CategoryCollectionViewCell::viewBg);
}  // namespace

std::shared_ptr<CategoryCollectionViewCell> CategoryCollectionViewCell::create() {
  return std::make_shared<CategoryCollectionViewCell>();
}

CategoryCollectionViewCell::CategoryCollectionViewCell() = default;

}  // namespace kerbelin
