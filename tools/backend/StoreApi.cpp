#include "StoreApi.h"

#include <algorithm>
#include <cctype>

#include "Catalog.h"
#include "DtoBuilder.h"
#include "Paging.h"
#include "RequestError.h"

namespace kerbelin::backend {
namespace {

using nlohmann::json;

std::string asciiLower(std::string text) {
  for (auto& c : text) c = char(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

bool matchesKeyword(const json& card, const std::string& keyword, const Catalog& catalog) {
  if (keyword.empty()) return true;
  const std::string needle = asciiLower(keyword);
  std::string haystack = card["name"].get<std::string>() + " " + card["code"].get<std::string>();
  if (const json* provider = catalog.provider(card["providerId"]))
    haystack += " " + (*provider)["name"].get<std::string>();
  return asciiLower(haystack).find(needle) != std::string::npos;
}

int64_t saving(const json& card) {
  return card["listedPrice"].get<int64_t>() - card["price"].get<int64_t>();
}

// Orders by the requested sort code; ties keep the lower id first.
void sortCards(std::vector<const json*>& cards, const std::string& sort) {
  auto id = [](const json* c) { return c->at("id").get<int64_t>(); };
  std::function<bool(const json*, const json*)> less;
  if (sort == "LASTEST") {
    less = [&](const json* a, const json* b) {
      const auto& pa = a->at("publishedAt").get_ref<const std::string&>();
      const auto& pb = b->at("publishedAt").get_ref<const std::string&>();
      return pa != pb ? pa > pb : id(a) < id(b);
    };
  } else if (sort == "SAVING") {
    less = [&](const json* a, const json* b) {
      return saving(*a) != saving(*b) ? saving(*a) > saving(*b) : id(a) < id(b);
    };
  } else if (sort == "PASC" || sort == "PDESC") {
    const bool ascending = sort == "PASC";
    less = [&, ascending](const json* a, const json* b) {
      const int64_t pa = a->at("price"), pb = b->at("price");
      if (pa != pb) return ascending ? pa < pb : pa > pb;
      return id(a) < id(b);
    };
  } else {
    throw RequestError(ResultCode::InvalidParameter,
                       "Tham số \"sort\" phải là một trong LASTEST, SAVING, PASC, PDESC", "sort");
  }
  std::stable_sort(cards.begin(), cards.end(), less);
}

}  // namespace

void StoreApi::addTo(EndpointTable& table) {
  table["/category/req"] = [this](const Params& p) { return categories(p); };
  table["/v1/def-card/search/req"] = [this](const Params& p) { return searchDefCards(p); };
  table["/def-card/detail/req"] = [this](const Params& p) { return defCardDetail(p); };
}

json StoreApi::categories(const Params& params) const {
  const std::string providerId = params.optionalString("providerId");
  const std::string type = params.optionalString("type", "PKG");
  const DtoBuilder dto(context_.catalog, context_.baseURL);
  json list = json::array();
  for (const auto& category : context_.catalog.categories()) {
    if (category["objectType"] != type) continue;
    if (!providerId.empty()) {
      const auto& cards = context_.catalog.defCards();
      const bool offered = std::any_of(cards.begin(), cards.end(), [&](const json& card) {
        return card["categoryId"] == category["id"] &&
               std::to_string(card["providerId"].get<int64_t>()) == providerId;
      });
      if (!offered) continue;
    }
    list.push_back(dto.category(category));
  }
  return {{"lstCate", list}};
}

json StoreApi::searchDefCards(const Params& params) const {
  const int64_t categoryId = params.requiredInt("categoryId");
  const std::string keyword = params.optionalString("keywordQuery");
  params.optionalString("mobilePhone");
  const int64_t pageIndex = params.optionalIntInRange("pageIndex", 1, 0, 1000000);
  const int64_t pageSize = params.optionalIntInRange("pageSize", 5, 1, 100);
  const std::string sort = params.optionalString("sort", "LASTEST");
  const bool byProvider = params.has("providerId") && !params.optionalString("providerId").empty();
  const std::string providerId = params.optionalString("providerId");

  std::vector<const json*> found;
  for (const auto& card : context_.catalog.defCards()) {
    if (categoryId != 0 && card["categoryId"].get<int64_t>() != categoryId) continue;
    if (byProvider && std::to_string(card["providerId"].get<int64_t>()) != providerId) continue;
    if (!matchesKeyword(card, keyword, context_.catalog)) continue;
    found.push_back(&card);
  }
  sortCards(found, sort);

  const DtoBuilder dto(context_.catalog, context_.baseURL);
  return {{"defCardDtos", pageOf(found, pageIndex, pageSize, [&](const json* card) { return dto.defCard(*card); })},
          {"totalRecord", found.size()},
          {"pageIndex", pageIndex},
          {"pageSize", pageSize}};
}

json StoreApi::defCardDetail(const Params& params) const {
  const std::string code = params.requiredString("code");
  const json* card = context_.catalog.defCard(code);
  if (!card) throw RequestError(ResultCode::NotFound, "Không tìm thấy thẻ \"" + code + "\"", "code");
  return {{"defCardDto", DtoBuilder(context_.catalog, context_.baseURL).defCard(*card)}};
}

}  // namespace kerbelin::backend
