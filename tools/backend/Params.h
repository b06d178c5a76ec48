#pragma once

#include <cstdint>
#include <string>

#include <nlohmann/json.hpp>

namespace kerbelin::backend {

// Typed, checked access to one call's parameter object. Every accessor throws
// RequestError: MissingParameter for an absent required key, WrongParameterType
// for a value of another JSON type. A JSON null counts as absent. Integers are
// JSON numbers without a fractional part (5 and 5.0, never true or "5").
class Params {
 public:
  explicit Params(nlohmann::json object);

  bool has(const std::string& key) const;

  std::string requiredString(const std::string& key) const;
  std::string optionalString(const std::string& key, const std::string& fallback = {}) const;

  int64_t requiredInt(const std::string& key) const;
  int64_t optionalInt(const std::string& key, int64_t fallback) const;
  // Like optionalInt, and also rejects values outside [min, max] as InvalidParameter.
  int64_t optionalIntInRange(const std::string& key, int64_t fallback, int64_t min, int64_t max) const;

  bool optionalBool(const std::string& key, bool fallback) const;

  const nlohmann::json& raw() const { return object_; }

 private:
  const nlohmann::json* find(const std::string& key) const;

  nlohmann::json object_;
};

}  // namespace kerbelin::backend
