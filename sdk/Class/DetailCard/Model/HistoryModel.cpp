#include <Class/DetailCard/Model/HistoryModel.h>

#include <Class/DetailCard/Model/AccountEntryDtos.h>
#include <Class/DetailCard/Model/OwnAccountDtosModel.h>
#include <ObjectMapper/ObjectMapper.h>

namespace kerbelin {

std::shared_ptr<HistoryModel> HistoryModel::create() {
  return std::make_shared<HistoryModel>();
}

void HistoryModel::mapping(ios::Map& map) {
  map("serviceName", serviceName);
  map("status", status);
  map("expirationDate", expirationDate);
  map("usageDescription", usageDescription);
  map("unitType", unitType, ios::EnumTransform(fromRawValue<UnitType>));
  map("ownAccountDtos", ownAccountDtos);
  map("accountEntryDtos", accountEntryDtos);
  if (!map.isReading()) return;
  type = typeDetailCardFromStatus(status);
}

}  // namespace kerbelin
