#include <Ultilities/Common/Common.h>

#include <Foundation/Base64.h>
#include <gtest/gtest.h>

#include <string>

namespace kerbelin {
namespace {

using ios::Dictionary;

TEST(CommonCodecTest, EncodesCompactUtf8JsonAsBase64AndNullAsAnEmptyObject) {
  EXPECT_EQ(Common::convertDictionaryToBase64(Dictionary{{"a", 1}}), "eyJhIjoxfQ==");  // {"a":1}
  EXPECT_EQ(Common::convertDictionaryToBase64(Dictionary()), "e30=");                  // {}
  EXPECT_EQ(ios::base64Decode(Common::convertDictionaryToBase64(Dictionary{{"name", "Thẻ của tôi"}})),
            "{\"name\":\"Thẻ của tôi\"}");
}

TEST(CommonCodecTest, RoundTripKeepsEveryValueTypeAndReplacesInvalidUtf8) {
  Dictionary params = {
      {"customerName", "Nguyễn Văn An"},     {"isPaid", true},
      {"amount", int64_t{9007199254740993}}, {"ratio", 0.5},
      {"providerIds", {"1", "2"}},           {"nested", {{"empty", Dictionary::object()}, {"none", nullptr}}},
  };
  EXPECT_EQ(Common::convertBase64ToDictionary(Common::convertDictionaryToBase64(params)), params);
  const auto broken =
      Common::convertBase64ToDictionary(Common::convertDictionaryToBase64({{"key", "ab\xff"}}));
  ASSERT_TRUE(broken.has_value());
  EXPECT_EQ((*broken)["key"], "ab\xEF\xBF\xBD");
}

TEST(CommonCodecTest, RejectsAnythingButStrictBase64OfAValidJsonObject) {
  const std::string valid = ios::base64Encode(R"({"a":1})");
  const std::string cases[] = {
      "not base64!",
      valid.substr(0, valid.size() - 1),
      valid + "\n",
      " " + valid,
      valid.substr(0, 4) + "\n" + valid.substr(4),
      "",
      ios::base64Encode("[1,2]"),
      ios::base64Encode("3"),
      ios::base64Encode("null"),
      ios::base64Encode("{\"a\":"),
      ios::base64Encode("{\"a\":1} trailing"),
      ios::base64Encode("{\"a\":\"\xc3\x28\"}"),
  };
  for (const auto& text : cases) EXPECT_FALSE(Common::convertBase64ToDictionary(text)) << text;
}

}  // namespace
}  // namespace kerbelin
