#pragma once

#include "BackendContext.h"

namespace kerbelin::backend {

// Provider pages: a provider's record, its branches by area, and the areas.
class ProviderApi {
 public:
  explicit ProviderApi(BackendContext& context) : context_(context) {}
  void addTo(EndpointTable& table);

  nlohmann::json providers(const Params& params) const;  // "/provider/req" -> {"list": [...]}
  nlohmann::json branches(const Params& params) const;   // "/branch/req" -> {"list": [...], "totalRecord": n}
  nlohmann::json areas(const Params& params) const;      // "/area/req" -> {"listArea": [...]}

 private:
  const nlohmann::json& providerById(const std::string& providerId) const;

  BackendContext& context_;
};

}  // namespace kerbelin::backend
