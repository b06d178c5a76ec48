#pragma once

#include <ObjectMapper/Mappable.h>

#include <memory>
#include <string>

namespace kerbelin {

// The request-header object `restHeader`: sent with every call and echoed in every reply.
class RedisMetaModel : public ios::Mappable {
 public:
  static std::shared_ptr<RedisMetaModel> create();
  void mapping(ios::Map& map) override;

  std::string clientId;
  std::string clientVersion;
  std::string channel;
  std::string platform;
  std::string osVersion;
  std::string deviceId;
  std::string language;
  std::string countryCode;
  std::string currency;
  std::string timeZone;
  std::string partnerCode;
  std::string serviceCode;
  std::string apiVersion;
  std::string contentEncoding;
  std::string contentType;
};

}  // namespace kerbelin
