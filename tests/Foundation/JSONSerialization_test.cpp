#include <Foundation/JSONSerialization.h>

#include <gtest/gtest.h>

#include <string>

namespace ios {
namespace {

std::optional<Dictionary> parse(const std::string& text) {
  return JSONSerialization::jsonObject(Data(text));
}

TEST(JSONSerializationTest, ParsesObjectsAndArrays) {
  auto reply = parse(
      R"({"code":"00","body":{"cards":[{"name":"Th\u1EBB v\u00e0ng","amount":9007199254740993}]},"ok":true})");
  ASSERT_TRUE(reply);
  ASSERT_TRUE(reply->is_object());
  EXPECT_EQ((*reply)["code"], "00");
  EXPECT_EQ((*reply)["body"]["cards"][0]["name"], "Th\xE1\xBA\xBB v\xC3\xA0ng");
  EXPECT_EQ((*reply)["body"]["cards"][0]["amount"].get<int64_t>(),
            9007199254740993);  // not rounded via double
  EXPECT_EQ((*reply)["ok"], true);
  auto array = parse("[1, \"two\", null]");
  ASSERT_TRUE(array);
  EXPECT_TRUE(array->is_array());
}

// Each bad input is refused with its reason, never with an exception or a blown stack.
TEST(JSONSerializationTest, WholeTextMustBeOneValidValueNestedNoDeeperThanTheLimit) {
  using Error = JSONSerialization::ReadError;
  const auto nested = [](int depth) { return std::string(depth, '[') + std::string(depth, ']'); };
  const struct {
    std::string text;
    std::variant<Dictionary, Error> expected;
  } cases[] = {
      {nested(JSONSerialization::maximumDepth), Dictionary::parse(nested(JSONSerialization::maximumDepth))},
      {nested(JSONSerialization::maximumDepth + 1), Error::tooDeep},
      {std::string(150000, '['), Error::tooDeep},  // deep and unterminated
      {"", Error::invalid},
      {"   ", Error::invalid},
      {"{\"a\":}", Error::invalid},
      {"{\"a\":1,}", Error::invalid},
      {"{'a':1}", Error::invalid},
      {"{\"a\":1} trailing", Error::invalid},
      {std::string("{}\0garbage", 10), Error::invalid},
      {"{\"a\":\"\xFF\"}", Error::invalid},  // invalid UTF-8 inside a string
      {"{\"a\":\"\xC3\"}", Error::invalid},  // truncated sequence
      {std::string("{\"a\":\"x\0\"}", 10), Error::invalid},
      {"\xEF\xBB\xBF{}x", Error::invalid},
      {"{\"a\":NaN}", Error::invalid},
      {"{\"a\": 1e400}", Error::invalid},
  };
  for (const auto& c : cases) EXPECT_EQ(JSONSerialization::read(c.text), c.expected) << c.text.substr(0, 20);
  // Top-level fragments need .fragmentsAllowed.
  for (const char* fragment : {"3", "\"text\"", "null"}) EXPECT_EQ(parse(fragment), std::nullopt) << fragment;
  using Result = std::variant<Dictionary, Error>;
  EXPECT_EQ(JSONSerialization::read("7", JSONSerialization::ReadingOptions::fragmentsAllowed), Result(7));
}

TEST(JSONSerializationTest, WritesCompactUtf8AndRoundTrips) {
  Dictionary params = {{"cardNo", "9704"},
                       {"isPaid", false},
                       {"amount", int64_t{150000}},
                       {"customerName", "Nguy\xE1\xBB\x85n V\xC4\x83n A"}};
  Data data = JSONSerialization::data(params);
  EXPECT_EQ(data.bytes,
            "{\"amount\":150000,\"cardNo\":\"9704\",\"customerName\":\"Nguy\xE1\xBB\x85n V\xC4\x83n "
            "A\",\"isPaid\":false}");
  EXPECT_EQ(JSONSerialization::jsonObject(data), params);
}

TEST(JSONSerializationTest, WritingNeverThrowsOnBadText) {
  Dictionary params = {{"name", std::string("a\xFF"
                                            "b")}};
  Data data = JSONSerialization::data(params);
  EXPECT_EQ(data.bytes,
            "{\"name\":\"a\xEF\xBF\xBD"
            "b\"}");
}

}  // namespace
}  // namespace ios
