#include <Class/MyCode/Cell/MyCodeTitleTableViewCell.h>

#include <Foundation/ClassRegistry.h>
#include <Ultilities/Common/Common.h>

namespace kerbelin {

namespace {
using Cell = MyCodeTitleTableViewCell;
const auto registration =
    ios::ClassRegistration<Cell, ios::UITableViewCell>().property("viewContent", &Cell::viewContent);
}  // namespace

std::shared_ptr<MyCodeTitleTableViewCell> MyCodeTitleTableViewCell::create() {
  return std::make_shared<MyCodeTitleTableViewCell>();
}

MyCodeTitleTableViewCell::MyCodeTitleTableViewCell() = default;

void MyCodeTitleTableViewCell::awakeFromNib() {
  UITableViewCell::awakeFromNib();
  if (auto content = viewContent.lock()) Common::SetShadowAndcornerRadiusView(*content, 6);
}

}  // namespace kerbelin
