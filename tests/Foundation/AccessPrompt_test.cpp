#include <Foundation/AccessPrompt.h>
#include <Foundation/ProcessInfo.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace ios {
namespace {

constexpr const char* kAccessVariable = "KERBELIN_TEST_ACCESS";

struct AccessCase {
  const char* name;
  std::optional<std::vector<bool>> promptAnswers;  // no prompt: the environment answers
  std::optional<std::string> environment;
  std::vector<bool> decided;
};

TEST(AccessPrompt, OnlyTheFirstAnswerCountsAndWithoutAPromptTheEnvironmentDecides) {
  const AccessCase cases[] = {
      {"a refusal then a grant", std::vector<bool>{false, true}, "granted", {false}},
      {"a grant then a refusal", std::vector<bool>{true, false}, std::nullopt, {true}},
      {"a prompt still open", std::vector<bool>{}, "granted", {}},
      {"the environment grants", std::nullopt, "granted", {true}},
      {"any other word refuses", std::nullopt, "yes", {false}},
      {"no word refuses", std::nullopt, std::nullopt, {false}},
  };
  for (const auto& c : cases) {
    ProcessInfo::processInfo().setEnvironmentValue(kAccessVariable, c.environment);
    AccessQuestion prompt;
    if (c.promptAnswers) {
      prompt = [&](AccessAnswer answer) {
        for (bool granted : *c.promptAnswers) answer(granted);
      };
    }
    std::vector<bool> decided;
    askForAccess(prompt, kAccessVariable, [&](bool granted) { decided.push_back(granted); });
    EXPECT_EQ(decided, c.decided) << c.name;
  }
  ProcessInfo::processInfo().setEnvironmentValue(kAccessVariable, std::nullopt);
}

}  // namespace
}  // namespace ios
