#include <Class/MyCard/CustomCell/MyCardInfoTableViewCell.h>

#include <Class/BuyCard/Model/DefServiceDtos.h>
#include <Class/DetailCard/Model/OwnAccountDtosModel.h>
#include <Foundation/ClassRegistry.h>

namespace kerbelin {

namespace {
using Cell = MyCardInfoTableViewCell;
const auto registration = ios::ClassRegistration<Cell, ios::UITableViewCell>()
                              .property("lbAInfo", &Cell::lbAInfo)
                              .property("lbAValue", &Cell::lbAValue)
                              .property("viewLine", &Cell::viewLine)
                              .property("lbBInfo", &Cell::lbBInfo)
                              .property("lbBValue", &Cell::lbBValue)
                              .property("viewRadius", &Cell::viewRadius)
                              .property("viewMain", &Cell::viewMain)
                              .property("viewShadow", &Cell::viewShadow)
                              .property("cstBottomMain", &Cell::cstBottomMain);

void setText(const std::weak_ptr<ios::UILabel>& label, const std::string& text) {
  if (auto shown = label.lock()) shown->setText(text);
}
}  // namespace

std::shared_ptr<MyCardInfoTableViewCell> MyCardInfoTableViewCell::create() {
  return std::make_shared<MyCardInfoTableViewCell>();
}

MyCardInfoTableViewCell::MyCardInfoTableViewCell() = default;

void MyCardInfoTableViewCell::configWithRootService(const DefServiceDtos& rootService) {
  const auto& balances = rootService.ownAccountDtos;
  const std::string limit = balances.empty() || !balances.front() ? "0 đ" : balances.front()->availableUnit;
  show("Hạn mức thẻ", limit, "Hạn sử dụng", rootService.expirationDate);
}

void MyCardInfoTableViewCell::configWithCard(const CardModel& card) {
  show("Chờ thanh toán", card.price, "Hạn thanh toán", card.paymentExpirationDate);
}

void MyCardInfoTableViewCell::show(const std::string& aInfo, const std::string& aValue,
                                   const std::string& bInfo, const std::string& bValue) {
  setText(lbAInfo, aInfo);
  setText(lbAValue, aValue);
  setText(lbBInfo, bInfo);
  setText(lbBValue, bValue);
}

}  // namespace kerbelin
