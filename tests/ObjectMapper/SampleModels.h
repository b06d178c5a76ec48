#pragma once

// Small models that exercise every kind of field the mapping layer supports.

#include <ObjectMapper/ObjectMapper.h>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sample {

enum class Shade { Light, Dark };

inline std::string_view rawValue(Shade shade) {
  return shade == Shade::Light ? "LIGHT" : "DARK";
}

template <class E>
std::optional<E> fromRawValue(std::string_view text);
template <>
inline std::optional<Shade> fromRawValue<Shade>(std::string_view text) {
  if (text == "LIGHT") return Shade::Light;
  if (text == "DARK") return Shade::Dark;
  return std::nullopt;
}

class Leaf : public ios::Mappable {
 public:
  static std::shared_ptr<Leaf> create() { return std::make_shared<Leaf>(); }
  void mapping(ios::Map& map) override {
    map("label", label);
    map("next", next);
  }

  std::string label = "leaf";
  std::shared_ptr<Leaf> next;
};

class Sample : public ios::Mappable {
 public:
  static std::shared_ptr<Sample> create() { return std::make_shared<Sample>(); }
  void mapping(ios::Map& map) override {
    map("text", text);
    map("count", count);
    map("small", small);
    map("ratio", ratio);
    map("flag", flag);
    map("maybeText", maybeText);
    map("maybeCount", maybeCount);
    map("child", child);
    map("children", children);
    map("maybeChildren", maybeChildren);
    map("tags", tags);
    map("extra", extra);
    map("maybeExtra", maybeExtra);
    map("scores", scores);
    map("shade", shade, ios::EnumTransform(fromRawValue<Shade>));
    map("maybeShade", maybeShade, ios::EnumTransform(fromRawValue<Shade>));
  }

  std::string text = "preset";
  std::int64_t count = 7;
  std::int32_t small = 3;
  double ratio = 1.5;
  bool flag = false;
  std::optional<std::string> maybeText;
  std::optional<std::int64_t> maybeCount;
  std::shared_ptr<Leaf> child;
  std::vector<std::shared_ptr<Leaf>> children;
  std::optional<std::vector<std::shared_ptr<Leaf>>> maybeChildren;
  std::vector<std::string> tags{"first"};
  ios::Dictionary extra = ios::Dictionary::object();
  std::optional<ios::Dictionary> maybeExtra;
  std::map<std::string, std::int64_t> scores;
  Shade shade = Shade::Light;
  std::optional<Shade> maybeShade;
};

// A subclass whose mapping runs its base's first and then derives a field from what was read.
class DerivedSample : public Sample {
 public:
  static std::shared_ptr<DerivedSample> create() { return std::make_shared<DerivedSample>(); }
  void mapping(ios::Map& map) override {
    Sample::mapping(map);
    map("own", own);
    if (map.isReading()) textLength = text.size();
  }

  std::string own;
  std::size_t textLength = 0;
};

}  // namespace sample
