#include "Params.h"

#include <cmath>
#include <limits>

#include "RequestError.h"

namespace kerbelin::backend {
namespace {

[[noreturn]] void missing(const std::string& key) {
  throw RequestError(ResultCode::MissingParameter, "Thiếu tham số \"" + key + "\"", key);
}

[[noreturn]] void wrongType(const std::string& key, const char* expected) {
  throw RequestError(ResultCode::WrongParameterType, "Tham số \"" + key + "\" phải là " + expected, key);
}

std::string asString(const nlohmann::json& value, const std::string& key) {
  if (!value.is_string()) wrongType(key, "chuỗi ký tự");
  return value.get<std::string>();
}

int64_t asInt(const nlohmann::json& value, const std::string& key) {
  if (value.is_number_integer()) {
    if (value.is_number_unsigned() && value.get<uint64_t>() > uint64_t(std::numeric_limits<int64_t>::max())) {
      wrongType(key, "số nguyên");
    }
    return value.get<int64_t>();
  }
  if (value.is_number_float()) {
    const double d = value.get<double>();
    // 2^63 is exactly representable; anything at or beyond it does not fit.
    if (std::isfinite(d) && std::floor(d) == d && d >= -9.2233720368547758e18 && d < 9.2233720368547758e18) {
      return static_cast<int64_t>(d);
    }
  }
  wrongType(key, "số nguyên");
}

}  // namespace

Params::Params(nlohmann::json object) : object_(std::move(object)) {}

const nlohmann::json* Params::find(const std::string& key) const {
  auto it = object_.find(key);
  if (it == object_.end() || it->is_null()) return nullptr;
  return &*it;
}

bool Params::has(const std::string& key) const {
  return find(key) != nullptr;
}

std::string Params::requiredString(const std::string& key) const {
  const auto* value = find(key);
  if (!value) missing(key);
  return asString(*value, key);
}

std::string Params::optionalString(const std::string& key, const std::string& fallback) const {
  const auto* value = find(key);
  return value ? asString(*value, key) : fallback;
}

int64_t Params::requiredInt(const std::string& key) const {
  const auto* value = find(key);
  if (!value) missing(key);
  return asInt(*value, key);
}

int64_t Params::optionalInt(const std::string& key, int64_t fallback) const {
  const auto* value = find(key);
  return value ? asInt(*value, key) : fallback;
}

int64_t Params::optionalIntInRange(const std::string& key, int64_t fallback, int64_t min, int64_t max) const {
  const int64_t value = optionalInt(key, fallback);
  if (value < min || value > max) {
    throw RequestError(ResultCode::InvalidParameter,
                       "Tham số \"" + key + "\" phải nằm trong khoảng " + std::to_string(min) + " đến " +
                           std::to_string(max),
                       key);
  }
  return value;
}

bool Params::optionalBool(const std::string& key, bool fallback) const {
  const auto* value = find(key);
  if (!value) return fallback;
  if (!value->is_boolean()) wrongType(key, "giá trị true/false");
  return value->get<bool>();
}

}  // namespace kerbelin::backend
