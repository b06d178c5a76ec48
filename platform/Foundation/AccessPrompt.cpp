#include <Foundation/AccessPrompt.h>
#include <Foundation/ProcessInfo.h>

#include <memory>
#include <mutex>

namespace ios {

namespace {

AccessQuestion environmentPrompt(const char* variable) {
  return [variable](AccessAnswer answer) {
    answer(ProcessInfo::processInfo().environmentValue(variable) == "granted");
  };
}

}  // namespace

void askForAccess(const AccessQuestion& prompt, const char* environmentVariable, AccessAnswer decide) {
  auto once = std::make_shared<std::once_flag>();
  const AccessQuestion& ask = prompt ? prompt : environmentPrompt(environmentVariable);
  ask([once, decide = std::move(decide)](bool granted) { std::call_once(*once, [&] { decide(granted); }); });
}

}  // namespace ios
