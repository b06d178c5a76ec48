#pragma once

#include <Foundation/Data.h>
#include <Foundation/Dictionary.h>

#include <optional>

namespace ios {

// Foundation's `JSONSerialization` with default options.
struct JSONSerialization {
  // Parses UTF-8 JSON whose top level is an object or an array (top-level fragments such as `3` or
  // `"x"` are rejected, as without `.fragmentsAllowed`). Returns nullopt, never throws, for invalid
  // JSON, invalid UTF-8, trailing garbage or empty data. Callers test `is_object()` for
  // `as? [String: Any]`.
  static std::optional<Dictionary> jsonObject(const Data& data);

  // Compact UTF-8 JSON. Strings holding invalid UTF-8 have those bytes replaced by U+FFFD rather
  // than failing, and non-finite numbers are written as null.
  static Data data(const Dictionary& withJSONObject);
};

}  // namespace ios
