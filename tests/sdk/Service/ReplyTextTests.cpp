// Reading a reply with its body's text lifted out must give what reading the whole text gives, or
// step aside: compared with the plain read on replies built to trip the shortcut.

#include <Service/ReplyText.h>

#include <Foundation/JSONSerialization.h>

#include <gtest/gtest.h>

#include <string>
#include <variant>

namespace kerbelin {
namespace {

using ios::Dictionary;

struct LiftRow {
  const char* text;
  bool lifted;  // whether the shortcut answers rather than stepping aside
};

TEST(ReplyText, ALiftedBodyReadsAsTheWholeTextDoes) {
  const LiftRow rows[] = {
      {R"({"resultCode":0,"resultDesc":"OK","body":"eyJhIjoxfQ=="})", true},
      {" \n{ \"body\" :\t\"QUJD\" , \"cost\" : [1, {\"body\": 2}] } \r\n", true},
      {R"({"body":""})", true},
      {R"({"body":"QUJD","body":"REVG"})", true},                        // the last one counts
      {R"({"body":{"x":1},"body":"REVG"})", true},
      {R"({"body":"QUJD","body":{"x":1}})", false},                      // the last is no text
      {R"({"body":"QUJD","body":7})", false},
      {R"({"body":"QUJD","body":null})", false},
      {R"({"meta":{"body":"QUJD"}})", false},                             // not at the top
      {R"({"resultDesc":"\"body\":\"QUJD\"","body":"REVG"})", true},      // a key's look-alike in a text
      {R"({"resultDesc":"a\\","body":"REVG"})", true},                   // an escaped backslash ends a text
      {R"({"b\u006fdy":"QUJD"})", false},                                // an escaped key
      {R"({"body":"QU\/JD"})", false},                                   // an escape in the body
      {"{\"body\":\"Q\xC3\xA9\"}", false},                               // not ASCII
      {R"(["body","QUJD"])", false},
      {R"({"body":"QUJD"} x)", false},                                   // does not read at all
      {R"({"body":"QUJD",})", false},
      {R"({"body":"QUJD")", false},
      {R"({"body":"QUJD)", false},
      {R"({"a":tru"e","body":"QUJD"})", false},
      {"{\"body\":\"QUJD\",\"a\":\"\x01\"}", false},
  };
  for (const auto& row : rows) {
    const auto lifted = readReplyLiftingBody(row.text);
    EXPECT_EQ(lifted.has_value(), row.lifted) << row.text;
    if (!lifted) continue;
    const auto whole = ios::JSONSerialization::read(row.text, ios::JSONSerialization::ReadingOptions::fragmentsAllowed);
    ASSERT_TRUE(std::holds_alternative<Dictionary>(whole)) << row.text;
    Dictionary reply = lifted->reply;
    EXPECT_EQ(reply["body"], "") << row.text;
    reply["body"] = std::string(lifted->body);
    EXPECT_EQ(reply, std::get<Dictionary>(whole)) << row.text;
  }
}

TEST(ReplyText, ATextNestedTooDeeplyIsLeftToThePlainRead) {
  const std::string deep = R"({"body":"QUJD","a":)" + std::string(600, '[') + std::string(600, ']') + "}";
  EXPECT_FALSE(readReplyLiftingBody(deep).has_value());
}

}  // namespace
}  // namespace kerbelin
