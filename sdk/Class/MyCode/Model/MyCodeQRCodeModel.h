#pragma once

#include <ObjectMapper/Mappable.h>

#include <cstdint>
#include <memory>
#include <string>

namespace kerbelin {

// The QR token the server issues for the user or for one service.
class MyCodeQRCodeModel : public ios::Mappable {
 public:
  static std::shared_ptr<MyCodeQRCodeModel> create();
  void mapping(ios::Map& map) override;

  std::int64_t cost = 0;
  std::int64_t resultCode = 0;
  std::string resultDesc;
  std::int64_t timeToken = 0;  // the token's validity in seconds
  std::string token;           // the text drawn as the QR code
};

}  // namespace kerbelin
