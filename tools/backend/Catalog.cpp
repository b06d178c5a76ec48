#include "Catalog.h"

#include "DisplayText.h"

#include <fstream>
#include <set>
#include <sstream>
#include <stdexcept>

namespace kerbelin::backend {
namespace {

using nlohmann::json;

[[noreturn]] void fail(const std::string& file, const std::string& message) {
  throw std::runtime_error(file + ": " + message);
}

// Checks that `record` has `key` of the kind that `check` accepts.
void need(const json& record, const char* key, bool (json::*check)() const noexcept,
          const std::string& file) {
  auto it = record.find(key);
  if (it == record.end() || !((*it).*check)()) {
    fail(file, std::string("record ") + record.dump().substr(0, 80) + " lacks a valid \"" + key + "\"");
  }
}

void needText(const json& r, const char* key, const std::string& file) {
  need(r, key, &json::is_string, file);
}
void needInt(const json& r, const char* key, const std::string& file) {
  need(r, key, &json::is_number_integer, file);
}

std::vector<json> arrayOf(const json& document, const std::string& file) {
  if (!document.is_array()) fail(file, "the top level must be an array");
  std::vector<json> out;
  for (const auto& item : document) {
    if (!item.is_object()) fail(file, "every element must be an object");
    out.push_back(item);
  }
  return out;
}

void checkService(const json& service, const std::string& file) {
  needText(service, "code", file);
  needText(service, "name", file);
  needText(service, "unitType", file);
  needInt(service, "limit", file);
  needInt(service, "unitPrice", file);
  needInt(service, "validityDays", file);
  const auto unit = service["unitType"].get<std::string>();
  if (unit != "TIMES" && unit != "LIMIT" && unit != "DAY") fail(file, "unknown unitType " + unit);
}

}  // namespace

json readDataFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error(path.string() + ": cannot be opened");
  std::stringstream text;
  text << in.rdbuf();
  json document = json::parse(text.str(), nullptr, /*allow_exceptions=*/false);
  if (document.is_discarded()) throw std::runtime_error(path.string() + ": not valid JSON");
  return document;
}

Catalog Catalog::load(const std::filesystem::path& dataDir) {
  try {
    return loadChecked(dataDir);
  } catch (const json::exception& e) {  // a value of an unexpected type somewhere in the files
    throw std::runtime_error(dataDir.string() + ": " + e.what());
  } catch (const std::logic_error& e) {  // a provider key of the guides that is not a number
    throw std::runtime_error(dataDir.string() + ": " + e.what());
  }
}

Catalog Catalog::loadChecked(const std::filesystem::path& dataDir) {
  Catalog catalog;
  auto file = [&](const char* name) { return (dataDir / name).string(); };

  for (auto& category : arrayOf(readDataFile(file("categories.json")), file("categories.json"))) {
    for (const char* key : {"code", "name", "icon", "status", "objectType"})
      needText(category, key, file("categories.json"));
    needInt(category, "id", file("categories.json"));
    needInt(category, "orderNo", file("categories.json"));
    catalog.categories_.push_back(std::move(category));
  }

  for (auto& provider : arrayOf(readDataFile(file("providers.json")), file("providers.json"))) {
    needInt(provider, "id", file("providers.json"));
    for (const char* key : {"code", "name", "logo", "image", "email", "website", "facebook", "introduction",
                            "headquarterAddress", "headquarterPhone", "usageTerms"}) {
      needText(provider, key, file("providers.json"));
    }
    catalog.providers_.push_back(std::move(provider));
  }

  const json promotions = readDataFile(file("promotions.json"));
  if (!promotions.is_object()) fail(file("promotions.json"), "the top level must be an object");
  for (const auto& [id, promotion] : promotions.items()) {
    for (const char* key : {"icon", "description", "attribute"})
      needText(promotion, key, file("promotions.json"));
    catalog.promotions_[id] = promotion;
  }

  std::set<std::string> codes;
  for (auto& card : arrayOf(readDataFile(file("def_cards.json")), file("def_cards.json"))) {
    const auto f = file("def_cards.json");
    for (const char* key : {"code", "name", "publishedAt", "image", "rgb", "description"})
      needText(card, key, f);
    for (const char* key : {"id", "categoryId", "providerId", "price", "listedPrice"}) needInt(card, key, f);
    need(card, "services", &json::is_array, f);
    const std::string published = card["publishedAt"];
    if (published.size() != 10 || published[4] != '-' || published[7] != '-' ||
        !DisplayText::parseDate(published.substr(8, 2) + "/" + published.substr(5, 2) + "/" +
                                published.substr(0, 4))) {
      fail(f, "publishedAt must be yyyy-MM-dd in " + card["code"].dump());
    }
    if (card["services"].empty()) fail(f, card["code"].get<std::string>() + " has no service");
    for (const auto& service : card["services"]) checkService(service, f);
    if (!catalog.provider(card["providerId"].get<int64_t>()))
      fail(f, "unknown provider in " + card.dump().substr(0, 60));
    for (const auto& promotion : card.value("promotions", json::array())) {
      if (!promotion.is_string() || !catalog.promotion(promotion.get<std::string>())) {
        fail(f, "unknown promotion " + promotion.dump());
      }
    }
    if (!codes.insert(card["code"].get<std::string>()).second)
      fail(f, "duplicate code " + card["code"].dump());
    catalog.defCards_.push_back(std::move(card));
  }

  int64_t nextAreaId = 1;
  const auto areasFile = file("areas.json");
  for (const auto& province : arrayOf(readDataFile(areasFile), areasFile)) {
    for (const char* key : {"code", "name", "fullName"}) needText(province, key, areasFile);
    const std::string provinceName = province["fullName"];
    catalog.areas_.push_back({{"id", nextAreaId++},
                              {"areaType", "P"},
                              {"areaCode", province["code"]},
                              {"parentCode", ""},
                              {"name", province["name"]},
                              {"fullName", provinceName},
                              {"province", provinceName},
                              {"district", ""},
                              {"precinct", ""}});
    for (const auto& district : province.value("districts", json::array())) {
      for (const char* key : {"code", "name", "fullName"}) needText(district, key, areasFile);
      const std::string districtName = district["fullName"];
      catalog.areas_.push_back({{"id", nextAreaId++},
                                {"areaType", "D"},
                                {"areaCode", district["code"]},
                                {"parentCode", province["code"]},
                                {"name", district["name"]},
                                {"fullName", districtName},
                                {"province", provinceName},
                                {"district", districtName},
                                {"precinct", ""}});
      for (const auto& ward : district.value("wards", json::array())) {
        for (const char* key : {"code", "name", "fullName"}) needText(ward, key, areasFile);
        catalog.areas_.push_back({{"id", nextAreaId++},
                                  {"areaType", "C"},
                                  {"areaCode", ward["code"]},
                                  {"parentCode", district["code"]},
                                  {"name", ward["name"]},
                                  {"fullName", ward["fullName"]},
                                  {"province", provinceName},
                                  {"district", districtName},
                                  {"precinct", ward["fullName"]}});
      }
    }
  }

  for (auto& branch : arrayOf(readDataFile(file("branches.json")), file("branches.json"))) {
    const auto f = file("branches.json");
    for (const char* key :
         {"code", "name", "street", "wardCode", "open", "close", "days", "phone", "latitude", "longitude"}) {
      needText(branch, key, f);
    }
    needInt(branch, "id", f);
    needInt(branch, "providerId", f);
    const json* ward = catalog.area(branch["wardCode"].get<std::string>());
    if (!ward || (*ward)["areaType"] != "C") fail(f, "unknown ward " + branch["wardCode"].dump());
    catalog.branches_.push_back(std::move(branch));
  }

  const auto guidesFile = file("payment_guides.json");
  const json guides = readDataFile(guidesFile);
  if (!guides.is_object() || !guides.contains("general")) fail(guidesFile, "needs a \"general\" guide");
  auto checkGuide = [&](const json& guide) {
    for (const char* key : {"paymentGuideCash", "transferInstruction", "paymentGuide", "noteTransfer"}) {
      needText(guide, key, guidesFile);
    }
  };
  checkGuide(guides["general"]);
  catalog.generalGuide_ = guides["general"];
  const json providerGuides = guides.value("providers", json::object());
  for (const auto& [id, guide] : providerGuides.items()) {
    checkGuide(guide);
    catalog.providerGuides_[std::stoll(id)] = guide;
  }
  return catalog;
}

const nlohmann::json* Catalog::provider(int64_t id) const {
  for (const auto& p : providers_) {
    if (p["id"].get<int64_t>() == id) return &p;
  }
  return nullptr;
}

const nlohmann::json* Catalog::promotion(const std::string& id) const {
  auto it = promotions_.find(id);
  return it == promotions_.end() ? nullptr : &it->second;
}

const nlohmann::json* Catalog::defCard(const std::string& code) const {
  for (const auto& card : defCards_) {
    if (card["code"].get_ref<const std::string&>() == code) return &card;
  }
  return nullptr;
}

const nlohmann::json* Catalog::area(const std::string& areaCode) const {
  for (const auto& a : areas_) {
    if (a["areaCode"].get_ref<const std::string&>() == areaCode) return &a;
  }
  return nullptr;
}

const nlohmann::json& Catalog::paymentGuide(int64_t providerId) const {
  auto it = providerGuides_.find(providerId);
  return it == providerGuides_.end() ? generalGuide_ : it->second;
}

}  // namespace kerbelin::backend
