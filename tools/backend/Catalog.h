#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

namespace kerbelin::backend {

// The read-only sample data of the server, loaded once from the JSON files of
// a data folder (categories, providers, promotions, cards for sale, areas,
// branches, payment guides; the seed of owned cards is read by OwnCardStore).
// Records keep the files' own shape; the reply objects are built from them by
// DtoBuilder. Loading checks every record and throws std::runtime_error naming
// the file and the problem, so bad data stops the server at start-up.
class Catalog {
 public:
  static Catalog load(const std::filesystem::path& dataDir);

  const std::vector<nlohmann::json>& categories() const { return categories_; }
  const std::vector<nlohmann::json>& providers() const { return providers_; }
  const std::vector<nlohmann::json>& defCards() const { return defCards_; }
  // Every area as one flat list in file order, each record with "id", "areaType"
  // ("P" province, "D" district, "C" ward), "areaCode", "parentCode", "name",
  // "fullName", "province", "district" and "precinct".
  const std::vector<nlohmann::json>& areas() const { return areas_; }
  const std::vector<nlohmann::json>& branches() const { return branches_; }

  const nlohmann::json* provider(int64_t id) const;
  const nlohmann::json* promotion(const std::string& id) const;
  const nlohmann::json* defCard(const std::string& code) const;
  const nlohmann::json* area(const std::string& areaCode) const;
  // The cash payment guide of a provider, or the general one when it has none of its own.
  const nlohmann::json& paymentGuide(int64_t providerId) const;
  const nlohmann::json& generalPaymentGuide() const { return generalGuide_; }

 private:
  static Catalog loadChecked(const std::filesystem::path& dataDir);

  std::vector<nlohmann::json> categories_;
  std::vector<nlohmann::json> providers_;
  std::map<std::string, nlohmann::json> promotions_;
  std::vector<nlohmann::json> defCards_;
  std::vector<nlohmann::json> areas_;
  std::vector<nlohmann::json> branches_;
  nlohmann::json generalGuide_;
  std::map<int64_t, nlohmann::json> providerGuides_;
};

// Reads one JSON data file; throws std::runtime_error naming the file when it
// cannot be read or parsed.
nlohmann::json readDataFile(const std::filesystem::path& path);

}  // namespace kerbelin::backend
