#include <Class/MyCode/Model/MyCodeQRCodeModel.h>

#include <ObjectMapper/ObjectMapper.h>

namespace kerbelin {

std::shared_ptr<MyCodeQRCodeModel> MyCodeQRCodeModel::create() {
  return std::make_shared<MyCodeQRCodeModel>();
}

void MyCodeQRCodeModel::mapping(ios::Map& map) {
  map("cost", cost);
  map("resultCode", resultCode);
  map("resultDesc", resultDesc);
  map("timeToken", timeToken);
  map("token", token);
}

}  // namespace kerbelin
