#pragma once

#include <Foundation/Dictionary.h>
#include <ObjectMapper/Mappable.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace kerbelin {

class RedisMetaModel;

// The reply envelope. `resultCode` 0 is success; the server sends it as a number or as decimal text
// ("0"), and both read. A reply without a readable code keeps -1, which is not a success. `body`
// is the decoded reply object; it stays absent unless the reply holds an object under "body".
class MetaReponse : public ios::Mappable {
 public:
  static std::shared_ptr<MetaReponse> create();
  void mapping(ios::Map& map) override;

  std::int64_t resultCode = -1;
  std::string resultDesc;  // the server's message
  std::string secure;
  std::int64_t cost = 0;  // milliseconds the server spent
  std::optional<ios::Dictionary> body;
  std::shared_ptr<RedisMetaModel> restHeader;  // the request header the server echoes
};

}  // namespace kerbelin
