#include <Class/DetailCard/Model/AccountEntryDtos.h>

#include <ObjectMapper/ObjectMapper.h>

namespace kerbelin {

std::shared_ptr<AccountEntryDtos> AccountEntryDtos::create() {
  return std::make_shared<AccountEntryDtos>();
}

void AccountEntryDtos::mapping(ios::Map& map) {
  map("id", id);
  map("transactionId", transactionId);
  map("amountUnit", amountUnit);
  map("availableAfterUnit", availableAfterUnit);
  map("providerName", providerName);
  map("entryTime", entryTime);
  map("entryTimeDetail", entryTimeDetail);
  map("transType", transType, ios::EnumTransform(fromRawValue<TranType>));
}

}  // namespace kerbelin
