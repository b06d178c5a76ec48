#pragma once

#include <Foundation/Data.h>
#include <Foundation/Dictionary.h>

#include <optional>
#include <string_view>
#include <variant>

namespace ios {

// Foundation's `JSONSerialization`.
struct JSONSerialization {
  // Deeper nesting than this is refused while parsing: every later copy and comparison of a value
  // recurses once per level, and a hostile text must not be able to exhaust the stack.
  static constexpr int maximumDepth = 512;

  enum class ReadingOptions {
    none,              // the top level must be an object or an array
    fragmentsAllowed,  // any JSON value at the top level (`3`, `"x"`, `null`)
  };
  // Why a text did not read.
  enum class ReadError {
    invalid,  // not one JSON value: a syntax error, invalid UTF-8, a NUL byte, trailing bytes, a
              // number too large for a double, an empty text or a fragment without the option
    tooDeep,  // arrays and objects nested more than maximumDepth levels
  };

  // Parses UTF-8 JSON text; the whole text must be one JSON value. Never throws. Costs one pass
  // over the text.
  static std::variant<Dictionary, ReadError> read(std::string_view text,
                                                  ReadingOptions options = ReadingOptions::none);

  // `read` with default options, without the reason. Callers test `is_object()` for
  // `as? [String: Any]`.
  static std::optional<Dictionary> jsonObject(const Data& data);

  // Compact UTF-8 JSON. Strings holding invalid UTF-8 have those bytes replaced by U+FFFD rather
  // than failing, and non-finite numbers are written as null.
  static Data data(const Dictionary& withJSONObject);
};

}  // namespace ios
