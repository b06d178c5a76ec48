#include "ProviderApi.h"

#include <algorithm>

#include "Catalog.h"
#include "DtoBuilder.h"
#include "RequestError.h"

namespace kerbelin::backend {
namespace {

using nlohmann::json;

bool isAreaType(const std::string& type) {
  return type == "P" || type == "D" || type == "C";
}

}  // namespace

void ProviderApi::addTo(EndpointTable& table) {
  table["/provider/req"] = [this](const Params& p) { return providers(p); };
  table["/branch/req"] = [this](const Params& p) { return branches(p); };
  table["/area/req"] = [this](const Params& p) { return areas(p); };
}

const json& ProviderApi::providerById(const std::string& providerId) const {
  for (const auto& provider : context_.catalog.providers()) {
    if (std::to_string(provider["id"].get<int64_t>()) == providerId) return provider;
  }
  throw RequestError(ResultCode::NotFound, "Không tìm thấy nhà cung cấp \"" + providerId + "\"",
                     "providerId");
}

json ProviderApi::providers(const Params& params) const {
  const std::string providerId = params.optionalString("providerId");
  const std::string providerCode = params.optionalString("providerCode");
  const DtoBuilder dto(context_.catalog, context_.baseURL);
  json list = json::array();
  if (!providerId.empty()) {
    list.push_back(dto.providerInfo(providerById(providerId)));
  } else if (!providerCode.empty()) {
    const auto& all = context_.catalog.providers();
    auto it = std::find_if(all.begin(), all.end(), [&](const json& p) { return p["code"] == providerCode; });
    if (it == all.end()) {
      throw RequestError(ResultCode::NotFound, "Không tìm thấy nhà cung cấp \"" + providerCode + "\"",
                         "providerCode");
    }
    list.push_back(dto.providerInfo(*it));
  } else {
    for (const auto& provider : context_.catalog.providers()) list.push_back(dto.providerInfo(provider));
  }
  return {{"list", list}};
}

json ProviderApi::branches(const Params& params) const {
  const std::string providerId = params.requiredString("providerId");
  const std::string areaCode = params.optionalString("areaCode");
  const std::string areaType = params.optionalString("areaType");
  const int64_t offset = params.optionalIntInRange("pageIndex", 0, 0, 1000000);
  const int64_t rowCount = params.optionalIntInRange("rowCount", 5, 1, 100);
  const bool withProvider = params.optionalBool("containProvider", false);
  if (!areaType.empty() && !isAreaType(areaType)) {
    throw RequestError(ResultCode::InvalidParameter, "Tham số \"areaType\" phải là P, D hoặc C", "areaType");
  }
  const int64_t id = providerById(providerId)["id"];

  const DtoBuilder dto(context_.catalog, context_.baseURL);
  const auto now = context_.now();
  std::vector<json> matching;
  for (const auto& branch : context_.catalog.branches()) {
    if (branch["providerId"].get<int64_t>() != id) continue;
    json item = dto.branch(branch, now, withProvider);
    if (!areaCode.empty()) {
      const bool inArea = (areaType.empty() || areaType == "P") && item["provinceCode"] == areaCode;
      const bool inDistrict = (areaType.empty() || areaType == "D") && item["districtCode"] == areaCode;
      const bool inWard = (areaType.empty() || areaType == "C") && item["wardCode"] == areaCode;
      if (!inArea && !inDistrict && !inWard) continue;
    }
    matching.push_back(std::move(item));
  }
  json list = json::array();
  for (int64_t i = offset; i < int64_t(matching.size()) && i < offset + rowCount; ++i)
    list.push_back(matching[size_t(i)]);
  return {{"list", list}, {"totalRecord", matching.size()}};
}

json ProviderApi::areas(const Params& params) const {
  const std::string areaType = params.requiredString("areaType");
  const std::string parentCode = params.optionalString("parentCode");
  if (!isAreaType(areaType)) {
    throw RequestError(ResultCode::InvalidParameter, "Tham số \"areaType\" phải là P, D hoặc C", "areaType");
  }
  json list = json::array();
  for (const auto& area : context_.catalog.areas()) {
    if (area["areaType"] != areaType) continue;
    if (areaType != "P" && area["parentCode"] != parentCode) continue;
    list.push_back(area);
  }
  return {{"listArea", list}};
}

}  // namespace kerbelin::backend
