#pragma once

#include <chrono>
#include <optional>
#include <string>

#include <nlohmann/json.hpp>

#include "OwnCard.h"

namespace kerbelin::backend {

class Catalog;

// Builds the objects the API replies with from the catalogue's records and the
// owned cards: JSON keys equal the client models' field names, display texts
// ("150.000 đ", "10 lần", "05/03/2024") are made here, and image names become
// URLs on this server ("<base>/images/<name>.png").
class DtoBuilder {
 public:
  using TimePoint = std::chrono::system_clock::time_point;

  DtoBuilder(const Catalog& catalog, std::string baseURL);

  std::string imageURL(const std::string& name) const;

  nlohmann::json category(const nlohmann::json& record) const;
  // A provider as cards carry it (ProviderDTO): id, code, name, logo.
  nlohmann::json providerSummary(int64_t providerId) const;
  // A provider in full (ProvideInforModel).
  nlohmann::json providerInfo(const nlohmann::json& record) const;
  nlohmann::json defCard(const nlohmann::json& record) const;
  nlohmann::json ownCard(const OwnCard& card, TimePoint now) const;
  nlohmann::json branch(const nlohmann::json& record, TimePoint now, bool withProvider) const;

  // Units of service `index` of an owned card: granted and still available.
  struct Balance {
    int64_t allocated = 0;
    int64_t available = 0;
  };
  Balance balance(const OwnCard& card, size_t index, TimePoint now) const;
  // When service `index` of a paid card stops being usable (none while unpaid).
  std::optional<TimePoint> serviceExpiration(const OwnCard& card, size_t index) const;

 private:
  nlohmann::json promotion(const std::string& id) const;
  nlohmann::json defService(const nlohmann::json& card, size_t index) const;
  nlohmann::json ownService(const OwnCard& card, const nlohmann::json& defCard, size_t index,
                            TimePoint now) const;
  nlohmann::json priced(const nlohmann::json& card) const;

  const Catalog& catalog_;
  std::string baseURL_;
};

}  // namespace kerbelin::backend
