#pragma once

#include <nlohmann/json.hpp>

namespace ios {

// Swift's `[String: Any]`. Replies, request parameters and model inputs are all JSON-shaped, so one
// dynamic value type covers every use; `is_object()` plays the role of `as? [String: Any]`.
using Dictionary = nlohmann::json;

}  // namespace ios
