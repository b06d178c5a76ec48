#pragma once

#include "BackendContext.h"

namespace kerbelin::backend {

// The card store: categories, the search of cards for sale and a card's detail.
class StoreApi {
 public:
  explicit StoreApi(BackendContext& context) : context_(context) {}
  void addTo(EndpointTable& table);

  // "/category/req": {"providerId"?: text, "type"?: text} -> {"lstCate": [...]}.
  nlohmann::json categories(const Params& params) const;
  // "/v1/def-card/search/req" -> {"defCardDtos": [...], "totalRecord": n, ...}.
  nlohmann::json searchDefCards(const Params& params) const;
  // "/def-card/detail/req": {"code"} -> {"defCardDto": {...}}.
  nlohmann::json defCardDetail(const Params& params) const;

 private:
  BackendContext& context_;
};

}  // namespace kerbelin::backend
