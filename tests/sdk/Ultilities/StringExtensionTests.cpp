#include <Ultilities/Extensions/StringExtension.h>

#include <gtest/gtest.h>

namespace kerbelin {
namespace {

TEST(StringLengthTest, CountsUserPerceivedCharacters) {
  EXPECT_EQ(length(""), 0u);
  EXPECT_EQ(length("FFF"), 3u);
  EXPECT_EQ(length("Việt"), 4u);                  // precomposed ệ
  EXPECT_EQ(length("Vie\u0323\u0302t"), 4u);      // e with two combining marks
  EXPECT_EQ(length("\U0001F1FB\U0001F1F3"), 1u);  // one flag from two regional indicators
  EXPECT_EQ(length("\U0001F468\u200D\U0001F469\u200D\U0001F467"), 1u);  // a ZWJ family
  EXPECT_EQ(length("\r\n"), 1u);
}

TEST(StringContainsTest, IsACaseAndAccentSensitiveSubstringTest) {
  EXPECT_TRUE(containsString("https://facebook.com/halvet", "http"));
  EXPECT_TRUE(containsString("http", "http"));
  EXPECT_FALSE(containsString("facebook.com/halvet", "http"));
  EXPECT_FALSE(containsString("HTTP://x", "http"));
  EXPECT_FALSE(containsString("Viet", "Việt"));
  EXPECT_FALSE(containsString("abc", ""));
  EXPECT_FALSE(containsString("", "a"));
}

TEST(ConvertHtmlTest, WrapsTheTextInAStyledBody) {
  EXPECT_EQ(
      convertHtml("<p>Ưu đãi</p>", 13),
      "<body style=\"font-family: '-apple-system', 'HelveticaNeue';font-size : 13.0\"><p>Ưu đãi</p></body>");
}

TEST(ConvertHtmlTest, WritesTheSizeAsAFloatPrints) {
  const std::string prefix = "<body style=\"font-family: '-apple-system', 'HelveticaNeue';font-size : ";
  EXPECT_EQ(convertHtml("", 15), prefix + "15.0\"></body>");
  EXPECT_EQ(convertHtml("", 16.5f), prefix + "16.5\"></body>");
  EXPECT_EQ(convertHtml("", 0.1f), prefix + "0.1\"></body>");
}

TEST(ConvertHtmlTest, LeavesMarkupAndQuotesUnescaped) {
  std::string html = convertHtml("a \"b\" & <i>c</i>", 15);
  EXPECT_NE(html.find(">a \"b\" & <i>c</i></body>"), std::string::npos);
}

}  // namespace
}  // namespace kerbelin
