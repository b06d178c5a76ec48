#pragma once

// A transform made of two functions, for a one-off conversion inside a model's `mapping`:
//   map("resultCode", resultCode, TransformOf<std::int64_t>(fromJSON, toJSON));
// `fromJSON` gives none when the value does not read (the field keeps its preset); `toJSON` gives
// none to leave the key out. A transform sees only present, non-null values.

#include <Foundation/Dictionary.h>

#include <functional>
#include <optional>
#include <utility>

namespace ios {

template <class Object>
class TransformOf {
 public:
  using FromJSON = std::function<std::optional<Object>(const Dictionary&)>;
  using ToJSON = std::function<std::optional<Dictionary>(const Object&)>;

  TransformOf(FromJSON fromJSON, ToJSON toJSON)
      : fromJSON_(std::move(fromJSON)), toJSON_(std::move(toJSON)) {}

  std::optional<Object> fromJSON(const Dictionary& value) const { return fromJSON_(value); }
  std::optional<Dictionary> toJSON(const Object& value) const { return toJSON_(value); }

 private:
  FromJSON fromJSON_;
  ToJSON toJSON_;
};

}  // namespace ios
