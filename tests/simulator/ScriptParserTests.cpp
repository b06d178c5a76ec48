#include <ScriptParser.h>

#include <gtest/gtest.h>

#include <sstream>

namespace kerbelin::sim {
namespace {

using Kind = ScriptCommand::Kind;

// A command as "line kind 'text' 'screen' x1 y1 x2 y2 seconds number", to compare whole scripts.
std::string summary(const ScriptCommand& c) {
  static const char* const kinds[] = {"tapText", "tapIdentifier", "tapPoint", "drag", "wait", "idle",
                                      "expect",  "expectNot",     "shot",     "back", "tab",  "open"};
  std::ostringstream out;
  out << c.line << ' ' << kinds[int(c.kind)] << " '" << c.text << "' '" << c.screen << "' " << c.x1 << ' '
      << c.y1 << ' ' << c.x2 << ' ' << c.y2 << ' ' << c.seconds << ' ' << c.number;
  return out.str();
}

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
  std::vector<std::string> commands;
  for (const auto& command : script.commands) commands.push_back(summary(command));
  EXPECT_EQ(commands, (std::vector<std::string>{
                          "2 tapText 'Mua thẻ' '' 0 0 0 0 0 0",
                          "3 tapIdentifier 'buttonSort' '' 0 0 0 0 0 0",
                          "4 tapPoint '' '' 12.5 40 0 0 0 0",
                          "6 drag '' '' 10 700 10 100 0.3 0",  // the default: a slow pan
                          "7 drag '' '' 10 700 10 100 0.05 0",
                          "8 wait '' '' 0 0 0 0 1.5 0",
                          "9 idle '' '' 0 0 0 0 0 0",
                          "10 expect 'Sắp xếp' '' 0 0 0 0 0 0",
                          "11 expectNot 'Không có kết nối' '' 0 0 0 0 0 0",
                          "12 shot '01-store_first.page' '' 0 0 0 0 0 0",
                          "13 back '' '' 0 0 0 0 0 0",
                          "14 tab '' '' 0 0 0 0 0 3",
                          "15 open 'KB01' 'owned-card' 0 0 0 0 0 0",
                      }));
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
