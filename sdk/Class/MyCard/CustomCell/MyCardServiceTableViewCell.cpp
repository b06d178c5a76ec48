#include <Class/MyCard/CustomCell/MyCardServiceTableViewCell.h>

#include <Class/BuyCard/Model/DefServiceDtos.h>
#include <Class/DetailCard/Model/OwnAccountDtosModel.h>
#include <Foundation/ClassRegistry.h>

namespace kerbelin {

namespace {
using Cell = MyCardServiceTableViewCell;
const auto registration = ios::ClassRegistration<Cell, ios::UITableViewCell>()
                              .property("viewRadius", &Cell::viewRadius)
                              .property("viewMain", &Cell::viewMain)
                              .property("icon", &Cell::icon)
                              .property("lbValue", &Cell::lbValue)
                              .property("lbNameService", &Cell::lbNameService)
                              .property("cstBottom", &Cell::cstBottom)
                              .property("viewShadow", &Cell::viewShadow)
                              .property("cstBottomMain", &Cell::cstBottomMain);
}  // namespace

std::shared_ptr<MyCardServiceTableViewCell> MyCardServiceTableViewCell::create() {
  return std::make_shared<MyCardServiceTableViewCell>();
}

MyCardServiceTableViewCell::MyCardServiceTableViewCell() = default;

void MyCardServiceTableViewCell::setService(std::shared_ptr<DefServiceDtos> service) {
  service_ = std::move(service);
  if (!service_) return;
  if (auto name = lbNameService.lock()) name->setText(service_->namDefService);
  const auto& balances = service_->ownAccountDtos;
  const bool known = !balances.empty() && balances.front();
  if (auto value = lbValue.lock()) value->setText(known ? balances.front()->availableUnit : "");
}

}  // namespace kerbelin
