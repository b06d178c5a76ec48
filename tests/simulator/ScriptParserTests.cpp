#include <ScriptParser.h>

#include <gtest/gtest.h>

namespace kerbelin::sim {
namespace {

using Kind = ScriptCommand::Kind;

TEST(ScriptParser, ReadsEveryCommandWithItsArgumentsAndLine) {
  const auto script = ScriptParser::parse(
      "# a tour\n"
      "tap \"Mua thẻ\"\n"
      "tap #buttonSort\n"
      "tap 12.5 40\n"
      "\n"
      "drag 10 700 10 100\n"
      "drag 10 700 10 100 0.05\n"
      "wait 1.5\n"
      "idle   # comment after a command\n"
      "expect \"Sắp xếp\"\n"
      "expect-not \"Không có kết nối\"\n"
      "shot 01-store_first.page\n"
      "back\n"
      "tab 3\n"
      "open owned-card \"KB01\"\n");
  ASSERT_TRUE(script.ok()) << script.error;
  ASSERT_EQ(script.commands.size(), 13u);
  const auto& c = script.commands;
  EXPECT_EQ(c[0].kind, Kind::tapText);
  EXPECT_EQ(c[0].text, "Mua thẻ");
  EXPECT_EQ(c[0].line, 2);
  EXPECT_EQ(c[1].kind, Kind::tapIdentifier);
  EXPECT_EQ(c[1].text, "buttonSort");
  EXPECT_EQ(c[2].kind, Kind::tapPoint);
  EXPECT_DOUBLE_EQ(c[2].x1, 12.5);
  EXPECT_DOUBLE_EQ(c[2].y1, 40);
  EXPECT_EQ(c[3].kind, Kind::drag);
  EXPECT_DOUBLE_EQ(c[3].y1, 700);
  EXPECT_DOUBLE_EQ(c[3].y2, 100);
  EXPECT_DOUBLE_EQ(c[3].seconds, 0.3);  // the default: a slow pan
  EXPECT_EQ(c[3].line, 6);
  EXPECT_DOUBLE_EQ(c[4].seconds, 0.05);
  EXPECT_EQ(c[5].kind, Kind::wait);
  EXPECT_DOUBLE_EQ(c[5].seconds, 1.5);
  EXPECT_EQ(c[6].kind, Kind::idle);
  EXPECT_EQ(c[7].kind, Kind::expect);
  EXPECT_EQ(c[7].text, "Sắp xếp");
  EXPECT_EQ(c[8].kind, Kind::expectNot);
  EXPECT_EQ(c[9].kind, Kind::shot);
  EXPECT_EQ(c[9].text, "01-store_first.page");
  EXPECT_EQ(c[10].kind, Kind::back);
  EXPECT_EQ(c[11].kind, Kind::tab);
  EXPECT_EQ(c[11].number, 3);
  EXPECT_EQ(c[11].line, 14);
  EXPECT_EQ(c[12].kind, Kind::open);
  EXPECT_EQ(c[12].screen, "owned-card");
  EXPECT_EQ(c[12].text, "KB01");
}

TEST(ScriptParser, QuotedTextsKeepHashesSpacesAndEscapes) {
  const auto script = ScriptParser::parse("tap \"# 1  \\\"best\\\" \\\\ deal\"\nexpect \"a#b\" # note\n");
  ASSERT_TRUE(script.ok()) << script.error;
  ASSERT_EQ(script.commands.size(), 2u);
  EXPECT_EQ(script.commands[0].text, "# 1  \"best\" \\ deal");
  EXPECT_EQ(script.commands[1].text, "a#b");
}

TEST(ScriptParser, AnEmptyOrCommentOnlyScriptHasNoCommands) {
  for (const char* text : {"", "\n\n", "# only a comment\n   # another\n", "\t\r\n"}) {
    const auto script = ScriptParser::parse(text);
    EXPECT_TRUE(script.ok()) << text;
    EXPECT_TRUE(script.commands.empty()) << text;
  }
}

// Each bad line is reported with its own number, and nothing of the script is kept.
TEST(ScriptParser, ReportsTheFirstBadLineWithItsNumber) {
  struct Case {
    const char* line;
    const char* reasonPart;
  };
  const Case cases[] = {
      {"jump 1 2", "unknown command \"jump\""},
      {"tap", "tap takes"},
      {"tap 10", "tap takes"},
      {"tap 10 y", "tap takes"},
      {"tap \"open", "unterminated"},
      {"tap \"a\"b", "after a closing quote"},
      {"tap #", "tap takes"},
      {"drag 1 2 3", "drag takes"},
      {"drag 1 2 3 4 5 6", "drag takes"},
      {"drag 1 2 3 4 0", "positive duration"},
      {"wait", "wait takes"},
      {"wait soon", "wait takes"},
      {"wait -1", "back in time"},
      {"wait 1e999", "wait takes"},
      {"idle now", "no argument"},
      {"back 2", "no argument"},
      {"expect Hello", "expect takes"},
      {"expect \"\"", "expect takes"},
      {"expect-not", "expect-not takes"},
      {"shot", "shot takes"},
      {"shot ../escape", "shot takes"},
      {"shot a/b", "shot takes"},
      {"shot \"quoted\"", "shot takes"},
      {"tab 0", "tab takes"},
      {"tab 1.5", "tab takes"},
      {"tab two", "tab takes"},
      {"open owned-card", "open takes"},
      {"open \"owned-card\" \"KB01\"", "open takes"},
      {"\"tap\"", "start with a command"},
  };
  for (const auto& c : cases) {
    const std::string text = std::string("idle\n# fine so far\n") + c.line + "\nidle\n";
    const auto script = ScriptParser::parse(text);
    ASSERT_FALSE(script.ok()) << c.line;
    EXPECT_EQ(*script.errorLine, 3) << c.line;
    EXPECT_NE(script.error.find(c.reasonPart), std::string::npos) << c.line << " gave: " << script.error;
    EXPECT_TRUE(script.commands.empty()) << c.line;
  }
}

}  // namespace
}  // namespace kerbelin::sim
