#include <Class/BuyCard/Model/RedisMetaModel.h>

#include <ObjectMapper/ObjectMapper.h>

namespace kerbelin {

std::shared_ptr<RedisMetaModel> RedisMetaModel::create() {
  return std::make_shared<RedisMetaModel>();
}

void RedisMetaModel::mapping(ios::Map& map) {
  map("clientId", clientId);
  map("clientVersion", clientVersion);
  map("channel", channel);
  map("platform", platform);
  map("osVersion", osVersion);
  map("deviceId", deviceId);
  map("language", language);
  map("countryCode", countryCode);
  map("currency", currency);
  map("timeZone", timeZone);
  map("partnerCode", partnerCode);
  map("serviceCode", serviceCode);
  map("apiVersion", apiVersion);
  map("contentEncoding", contentEncoding);
  map("contentType", contentType);
}

}  // namespace kerbelin
