#include <Class/DetailCard/Model/OwnAccountDtosModel.h>

#include <ObjectMapper/ObjectMapper.h>

namespace kerbelin {

std::shared_ptr<OwnAccountDtosModel> OwnAccountDtosModel::create() {
  return ios::makeRecycled<OwnAccountDtosModel>();
}

void OwnAccountDtosModel::mapping(ios::Map& map) {
  map("allocatedUnit", allocatedUnit);
  map("availableUnit", availableUnit);
}

}  // namespace kerbelin
