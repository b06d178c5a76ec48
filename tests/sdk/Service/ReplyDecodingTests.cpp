// The four ways the screens judge a reply's "resultCode", side by side on the same replies.

#include <Service/ReplyDecoding.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace kerbelin {
namespace {

using ios::Dictionary;

std::optional<Dictionary> json(const char* text) {
  return text ? std::optional(Dictionary::parse(text)) : std::nullopt;
}

std::optional<std::string> text(const char* value) {
  return value ? std::optional<std::string>(value) : std::nullopt;
}

// nullptr: the function gives nothing.
struct Row {
  const char* reply;
  const char* ignoring;
  const char* unlessPresentAndNonZero;
  const char* requiringZero;
  const char* resultDesc;
};

TEST(ReplyDecoding, EachRuleJudgesTheSameRepliesItsOwnWay) {
  const Row rows[] = {
      {R"({"resultCode": 0, "body": {"a": 1}})", R"({"a": 1})", R"({"a": 1})", R"({"a": 1})", nullptr},
      {R"({"resultCode": "0", "body": {"a": 1}})", R"({"a": 1})", R"({"a": 1})", R"({"a": 1})", nullptr},
      {R"({"resultCode": 0, "resultDesc": "OK", "body": {}})", "{}", "{}", "{}", nullptr},
      {R"({"resultCode": 7, "resultDesc": "Thẻ đã hết hạn", "body": {"a": 1}})", R"({"a": 1})", nullptr,
       nullptr, "Thẻ đã hết hạn"},
      {R"({"resultCode": "12", "body": {"a": 1}})", R"({"a": 1})", nullptr, nullptr, nullptr},
      {R"({"body": {"a": 1}})", R"({"a": 1})", R"({"a": 1})", nullptr, nullptr},
      {R"({"resultDesc": "Lỗi hệ thống", "body": {"a": 1}})", R"({"a": 1})", R"({"a": 1})", nullptr,
       "Lỗi hệ thống"},
      {R"({"resultCode": null, "body": {"a": 1}})", R"({"a": 1})", nullptr, nullptr, nullptr},
      {R"({"resultCode": "zero", "body": {"a": 1}})", R"({"a": 1})", nullptr, nullptr, nullptr},
      {R"({"resultCode": 0})", nullptr, nullptr, "{}", nullptr},
      {R"({"resultCode": 0, "body": [1, 2]})", nullptr, nullptr, "{}", nullptr},
      {R"({"resultCode": 0, "body": "e30="})", nullptr, nullptr, "{}", nullptr},
      {R"({"resultCode": 3, "resultDesc": ""})", nullptr, nullptr, nullptr, nullptr},
      {"null", nullptr, nullptr, nullptr, nullptr},
      {R"([{"resultCode": 0, "body": {"a": 1}}])", nullptr, nullptr, nullptr, nullptr},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.reply);
    const Dictionary reply = Dictionary::parse(row.reply);
    EXPECT_EQ(bodyIgnoringResultCode(reply), json(row.ignoring));
    EXPECT_EQ(bodyUnlessResultCodePresentAndNonZero(reply), json(row.unlessPresentAndNonZero));
    EXPECT_EQ(bodyRequiringResultCodeZero(reply), json(row.requiringZero));
    EXPECT_EQ(resultDescOfNonZeroCode(reply), text(row.resultDesc));
  }
}

}  // namespace
}  // namespace kerbelin
