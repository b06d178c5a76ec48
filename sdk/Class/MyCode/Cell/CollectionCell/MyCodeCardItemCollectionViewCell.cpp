#include <Class/MyCode/Cell/CollectionCell/MyCodeCardItemCollectionViewCell.h>

#include <Foundation/ClassRegistry.h>

namespace kerbelin {

namespace {
using Cell = MyCodeCardItemCollectionViewCell;
const auto registration = ios::ClassRegistration<Cell, ios::UICollectionViewCell>()
                              .property("labelNameCard", &Cell::labelNameCard)
                              .property("labelCardNo", &Cell::labelCardNo)
                              .property("imageCard", &Cell::imageCard);
}  // namespace

std::shared_ptr<MyCodeCardItemCollectionViewCell> MyCodeCardItemCollectionViewCell::create() {
  return std::make_shared<MyCodeCardItemCollectionViewCell>();
}

}  // namespace kerbelin
