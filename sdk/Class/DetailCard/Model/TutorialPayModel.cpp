#include <Class/DetailCard/Model/TutorialPayModel.h>

#include <ObjectMapper/ObjectMapper.h>

namespace kerbelin {

std::shared_ptr<TutorialPayModel> TutorialPayModel::create() {
  return std::make_shared<TutorialPayModel>();
}

void TutorialPayModel::mapping(ios::Map& map) {
  map("paymentGuideCash", paymentGuideCash);
  map("transferInstruction", transferInstruction);
  map("paymentGuide", paymentGuide);
  map("noteTransfer", noteTransfer);
}

}  // namespace kerbelin
