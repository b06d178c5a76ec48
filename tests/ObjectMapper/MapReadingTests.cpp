// Reading rules: what each kind of field accepts, and that anything else leaves the preset.

#include "SampleModels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <string>
#include <vector>

namespace {

using ios::Dictionary;
using sample::Sample;
using sample::Shade;

std::shared_ptr<Sample> mapSample(const Dictionary& json) {
  auto result = ios::mapObject<Sample>(json);
  EXPECT_NE(result, nullptr);
  return result;
}

// Every field as a fresh model has it: what a model writes shows each field, absent ones included.
void expectPresets(const Sample& sample) {
  EXPECT_EQ(sample.toJSON(), Sample::create()->toJSON());
}

TEST(MapReading, MissingKeysAndNullsLeaveEveryPreset) {
  expectPresets(*mapSample(Dictionary::object()));

  Dictionary nulls = Dictionary::object();
  for (const char* key :
       {"text", "count", "small", "ratio", "flag", "maybeText", "maybeCount", "child", "children",
        "maybeChildren", "tags", "extra", "maybeExtra", "scores", "shade", "maybeShade"}) {
    nulls[key] = nullptr;
  }
  expectPresets(*mapSample(nulls));
}

TEST(MapReading, ValuesOfAnotherKindLeaveEveryPreset) {
  const Dictionary wrong = {{"text", 5},           {"count", "5"},     {"small", true},
                            {"ratio", "2.5"},      {"flag", "true"},   {"maybeText", false},
                            {"maybeCount", "12"},  {"child", "leaf"},  {"children", {{"label", "x"}}},
                            {"maybeChildren", 3},  {"tags", "a,b"},    {"extra", {1, 2}},
                            {"maybeExtra", "{}"},  {"scores", {1, 2}}, {"shade", 1},
                            {"maybeShade", "dark"}};
  expectPresets(*mapSample(wrong));
}

TEST(MapReading, IntegersReadExactNumbersOnly) {
  EXPECT_EQ(mapSample({{"count", 5.0}})->count, 5);
  EXPECT_EQ(mapSample({{"count", -3.0}})->count, -3);
  EXPECT_EQ(mapSample({{"count", 5.5}})->count, 7);
  EXPECT_EQ(mapSample({{"count", 1e300}})->count, 7);
  EXPECT_EQ(mapSample({{"count", 9223372036854775808.0}})->count, 7);
  EXPECT_EQ(mapSample({{"count", std::numeric_limits<std::uint64_t>::max()}})->count, 7);
  EXPECT_EQ(mapSample({{"count", std::numeric_limits<std::int64_t>::min()}})->count,
            std::numeric_limits<std::int64_t>::min());
  EXPECT_EQ(mapSample({{"count", false}})->count, 7);
  // A narrower field refuses what does not fit rather than wrapping it.
  EXPECT_EQ(mapSample({{"small", 1LL << 40}})->small, 3);
  EXPECT_EQ(mapSample({{"small", -2147483648LL}})->small, std::numeric_limits<std::int32_t>::min());
}

TEST(MapReading, DoublesReadAnyNumber) {
  EXPECT_EQ(mapSample({{"ratio", 2}})->ratio, 2.0);
  EXPECT_EQ(mapSample({{"ratio", 150000u}})->ratio, 150000.0);
  EXPECT_EQ(mapSample({{"ratio", -0.5}})->ratio, -0.5);
  EXPECT_EQ(mapSample({{"ratio", true}})->ratio, 1.5);
}

TEST(MapReading, BooleansReadTrueFalseAndTheNumbersZeroAndOne) {
  EXPECT_TRUE(mapSample({{"flag", 1}})->flag);
  EXPECT_TRUE(mapSample({{"flag", 1.0}})->flag);
  auto fromZero = Sample::create();
  fromZero->flag = true;
  const Dictionary zero = {{"flag", 0}};
  ios::Map map(zero);
  fromZero->mapping(map);
  EXPECT_FALSE(fromZero->flag);
  EXPECT_FALSE(mapSample({{"flag", 2}})->flag);
  EXPECT_FALSE(mapSample({{"flag", "1"}})->flag);
}

TEST(MapReading, ArraysOfObjectsSkipElementsThatDoNotMap) {
  const Dictionary children = {{{"label", "một"}}, 5, "hai", nullptr, {1, 2}, {{"label", "ba"}}};
  const auto sample = mapSample({{"children", children}, {"maybeChildren", children}});
  ASSERT_EQ(sample->children.size(), 2u);
  EXPECT_EQ(sample->children[0]->label, "một");
  EXPECT_EQ(sample->children[1]->label, "ba");
  ASSERT_TRUE(sample->maybeChildren.has_value());
  EXPECT_EQ(sample->maybeChildren->size(), 2u);

  const auto empty = mapSample({{"maybeChildren", Dictionary::array()}});
  ASSERT_TRUE(empty->maybeChildren.has_value());
  EXPECT_TRUE(empty->maybeChildren->empty());
}

TEST(MapReading, ArraysOfScalarsNeedEveryElement) {
  EXPECT_EQ(mapSample({{"tags", {"a", 1, "b"}}})->tags, std::vector<std::string>{"first"});
  EXPECT_EQ(mapSample({{"tags", {"a", nullptr}}})->tags, std::vector<std::string>{"first"});
  EXPECT_TRUE(mapSample({{"tags", Dictionary::array()}})->tags.empty());
  EXPECT_TRUE(mapSample({{"scores", {{"x", 1}, {"y", "2"}}}})->scores.empty());
}

TEST(MapReading, EnumTransformReadsKnownCodesOnly) {
  auto sample = Sample::create();
  sample->shade = Shade::Dark;
  const Dictionary codes = {{"shade", "light"}, {"maybeShade", "GREY"}};
  ios::Map map(codes);
  sample->mapping(map);
  EXPECT_EQ(sample->shade, Shade::Dark);
  EXPECT_FALSE(sample->maybeShade.has_value());
}

TEST(MapReading, TransformSeesOnlyPresentNonNullValues) {
  int calls = 0;
  const ios::TransformOf<std::int64_t> cents(
      [&calls](const Dictionary& value) -> std::optional<std::int64_t> {
        ++calls;
        if (!value.is_string()) return std::nullopt;
        const auto& text = value.get_ref<const std::string&>();
        const auto comma = text.find(',');
        if (comma == std::string::npos) return std::nullopt;
        return std::stoll(text.substr(0, comma)) * 100 + std::stoll(text.substr(comma + 1));
      },
      [](const std::int64_t& value) -> std::optional<Dictionary> {
        return std::to_string(value / 100) + "," + std::to_string(value % 100);
      });

  std::int64_t amount = -1;
  const Dictionary nullAmount = {{"amount", nullptr}};
  ios::Map missing(nullAmount);
  missing("amount", amount, cents)("other", amount, cents);
  EXPECT_EQ(calls, 0);
  EXPECT_EQ(amount, -1);

  const Dictionary plainAmount = {{"amount", "12"}};
  ios::Map unreadable(plainAmount);
  unreadable("amount", amount, cents);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(amount, -1);

  const Dictionary commaAmount = {{"amount", "12,50"}};
  ios::Map readable(commaAmount);
  readable("amount", amount, cents);
  EXPECT_EQ(amount, 1250);

  std::optional<std::int64_t> maybeAmount;
  readable("amount", maybeAmount, cents);
  EXPECT_EQ(maybeAmount, std::optional<std::int64_t>(1250));
}

TEST(MapReading, KeysAreLiteralNotPaths) {
  const Dictionary json = {{"a.b", "dotted"}, {"a", {{"b", "nested"}}}};
  ios::Map map(json);
  std::string text;
  map("a.b", text);
  EXPECT_EQ(text, "dotted");
}

// Keys of one length sharing their middle and last bytes, which a map files side by side.
std::vector<std::string> lookalikeKeys(int count) {
  std::vector<std::string> keys;
  for (int i = 0; i < count; ++i) keys.push_back({char('a' + i % 26), char('A' + i / 26), 'x', 'y', 'z'});
  return keys;
}

// Every present key reads its own value, and a key that is absent or null reads nothing, however
// alike the keys are and however many there are, in a reading map and in a taking map.
TEST(MapReading, EveryKeyFindsItsOwnValue) {
  const std::vector<std::string> kNearKeys = {"",
                                              "a",
                                              "b",
                                              "ab",
                                              "ba",
                                              "id",
                                              "iD",
                                              "price",
                                              "priceNumber",
                                              "listedPrice",
                                              "listedPriceNumber",
                                              "usageDesciption",
                                              "usageDescription",
                                              "discountValue",
                                              "discountValueNumber",
                                              "pric"};
  struct Case {
    const char* name;
    std::vector<std::string> present;
    std::vector<std::string> nulls;
  };
  const std::vector<std::string> lookalikes = lookalikeKeys(40);
  const std::vector<Case> cases = {
      {"lookalikes filling the list", {lookalikes.begin(), lookalikes.begin() + 32}, {}},
      {"lookalikes past the list", lookalikes, {}},
      {"nulls among lookalikes",
       {lookalikes.begin(), lookalikes.begin() + 10},
       {lookalikes.begin() + 10, lookalikes.begin() + 20}},
      {"near misses", {kNearKeys.begin(), kNearKeys.begin() + 14}, {"pric"}},
      {"one key", {"ab"}, {}},
  };
  std::vector<std::string> probes = lookalikes;
  probes.insert(probes.end(), kNearKeys.begin(), kNearKeys.end());
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Dictionary json = Dictionary::object();
    for (const std::string& key : c.present) json[key] = "value of " + key;
    for (const std::string& key : c.nulls) json[key] = nullptr;
    Dictionary takenJSON = json;
    ios::Map reading(json);
    ios::Map taking = ios::Map::taking(takenJSON);
    for (const std::string& key : probes) {
      const bool present = std::find(c.present.begin(), c.present.end(), key) != c.present.end();
      const std::string expected = present ? "value of " + key : "unread";
      for (ios::Map* map : {&reading, &taking}) {
        std::string text = "unread";
        (*map)(key, text);
        EXPECT_EQ(text, expected) << "key \"" << key << "\"";
      }
    }
  }
}

TEST(MapReading, SubclassMappingRunsTheBaseFirst) {
  const auto derived =
      ios::mapObject<sample::DerivedSample>({{"text", "abcd"}, {"own", "riêng"}, {"count", 1}});
  ASSERT_NE(derived, nullptr);
  EXPECT_EQ(derived->count, 1);
  EXPECT_EQ(derived->own, "riêng");
  EXPECT_EQ(derived->textLength, 4u);
}

}  // namespace
