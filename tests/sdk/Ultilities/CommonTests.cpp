#include <Ultilities/Common/Common.h>

#include <Foundation/Base64.h>
#include <gtest/gtest.h>

#include <string>

namespace kerbelin {
namespace {

using ios::Dictionary;

TEST(CommonCodecTest, EncodesCompactJsonAsBase64) {
  EXPECT_EQ(Common::convertDictionaryToBase64(Dictionary{{"a", 1}}), "eyJhIjoxfQ==");  // {"a":1}
  EXPECT_EQ(Common::convertDictionaryToBase64(Dictionary::object()), "e30=");          // {}
}

TEST(CommonCodecTest, NullParametersEncodeAsAnEmptyObject) {
  EXPECT_EQ(Common::convertDictionaryToBase64(Dictionary()), "e30=");
}

TEST(CommonCodecTest, RoundTripKeepsEveryValueType) {
  Dictionary params = {
      {"customerName", "Nguyễn Văn An"},
      {"mobilePhone", "0912345678"},
      {"isPaid", true},
      {"pageIndex", 0},
      {"amount", int64_t{9007199254740993}},
      {"ratio", 0.5},
      {"providerIds", {"1", "2"}},
      {"nested", {{"empty", Dictionary::object()}, {"none", nullptr}}},
  };
  std::optional<Dictionary> decoded =
      Common::convertBase64ToDictionary(Common::convertDictionaryToBase64(params));
  ASSERT_TRUE(decoded.has_value());
  EXPECT_EQ(*decoded, params);
}

TEST(CommonCodecTest, VietnameseTextTravelsAsUtf8) {
  std::optional<std::string> json =
      ios::base64Decode(Common::convertDictionaryToBase64(Dictionary{{"name", "Thẻ của tôi"}}));
  ASSERT_TRUE(json.has_value());
  EXPECT_EQ(*json, "{\"name\":\"Thẻ của tôi\"}");
}

TEST(CommonCodecTest, InvalidUtf8InAParameterIsReplacedNotThrown) {
  std::string broken = "ab\xff";
  std::optional<Dictionary> decoded =
      Common::convertBase64ToDictionary(Common::convertDictionaryToBase64(Dictionary{{"key", broken}}));
  ASSERT_TRUE(decoded.has_value());
  EXPECT_EQ((*decoded)["key"], "ab\xEF\xBF\xBD");
}

TEST(CommonCodecTest, DecodesBase64OfAnObject) {
  std::optional<Dictionary> decoded =
      Common::convertBase64ToDictionary(ios::base64Encode(R"({"lstCate":[{"id":1,"orderNo":2}]})"));
  ASSERT_TRUE(decoded.has_value());
  EXPECT_EQ((*decoded)["lstCate"][0]["orderNo"], 2);
}

TEST(CommonCodecTest, RejectsTextThatIsNotStrictBase64) {
  std::string valid = ios::base64Encode(R"({"a":1})");
  EXPECT_FALSE(Common::convertBase64ToDictionary("not base64!"));
  EXPECT_FALSE(Common::convertBase64ToDictionary(valid.substr(0, valid.size() - 1)));  // bad length
  EXPECT_FALSE(Common::convertBase64ToDictionary(valid + "\n"));
  EXPECT_FALSE(Common::convertBase64ToDictionary(" " + valid));
  EXPECT_FALSE(Common::convertBase64ToDictionary(valid.substr(0, 4) + "\n" + valid.substr(4)));
}

TEST(CommonCodecTest, RejectsJsonThatIsNotAnObject) {
  EXPECT_FALSE(Common::convertBase64ToDictionary(""));  // no bytes at all
  EXPECT_FALSE(Common::convertBase64ToDictionary(ios::base64Encode("[1,2]")));
  EXPECT_FALSE(Common::convertBase64ToDictionary(ios::base64Encode("3")));
  EXPECT_FALSE(Common::convertBase64ToDictionary(ios::base64Encode("\"text\"")));
  EXPECT_FALSE(Common::convertBase64ToDictionary(ios::base64Encode("null")));
  EXPECT_FALSE(Common::convertBase64ToDictionary(ios::base64Encode("{\"a\":")));
  EXPECT_FALSE(Common::convertBase64ToDictionary(ios::base64Encode("{\"a\":1} trailing")));
  EXPECT_FALSE(Common::convertBase64ToDictionary(ios::base64Encode("plain text")));
}

TEST(CommonCodecTest, RejectsJsonWithInvalidUtf8) {
  EXPECT_FALSE(Common::convertBase64ToDictionary(ios::base64Encode("{\"a\":\"\xc3\x28\"}")));
}

TEST(CommonStatusTest, StatusLettersGiveTheirScreenState) {
  EXPECT_EQ(Common::convertStatusToType("A"), TypeDetailCard::Paid);
  EXPECT_EQ(Common::convertStatusToType("O"), TypeDetailCard::Paid);
  EXPECT_EQ(Common::convertStatusToType("E"), TypeDetailCard::Expire);
  EXPECT_EQ(Common::convertStatusToType("C"), TypeDetailCard::Expire);
  EXPECT_EQ(Common::convertStatusToType("W"), TypeDetailCard::WaitPay);
}

TEST(CommonStatusTest, AnyOtherTextIsUnpaid) {
  for (const char* status : {"", "a", "o", "w", "AO", " A", "X", "Paid"}) {
    EXPECT_EQ(Common::convertStatusToType(status), TypeDetailCard::UnPaid) << '"' << status << '"';
  }
}

}  // namespace
}  // namespace kerbelin
