#pragma once

#include "ScriptParser.h"

#include <UIKit/UIWindow.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kerbelin::sim {

// How a script run ended, as the simulator's exit status: 0 when every command ran, 1 when one
// failed (its line and the reason), 2 when the script does not parse.
struct ScriptResult {
  int exitCode = 0;
  int line = 0;
  std::string reason;

  // "line N: reason", or empty for a run that succeeded.
  std::string message() const;
};

// Runs scripts against a window on the run loop's virtual clock, with touches that go through the
// window's hit testing and gesture recognizers like a person's. Pending work at the current time runs
// before every command, so each sees the screen as it stands.
//
// Texts: `tap "T"` needs a visible text equal to T (the front-most one is tapped at the centre of its
// visible part); `expect "T"` passes when some visible text contains T. `tab N` counts from 1 and taps
// the tab bar's item, or selects it directly when the bar is hidden.
class ScriptRunner {
 public:
  struct Options {
    std::filesystem::path outDirectory = ".";
    // Real time `idle` waits for requests and animations before it fails.
    double idleTimeoutSeconds = 10;
  };

  ScriptRunner(std::shared_ptr<ios::UIWindow> window, Options options);

  ScriptResult run(const ParsedScript& script);
  ScriptResult runText(std::string_view text) { return run(ScriptParser::parse(text)); }
  // One command; false with `reason` set when it fails.
  bool execute(const ScriptCommand& command, std::string& reason);

  // Names of the screenshots written so far, in order.
  const std::vector<std::string>& shots() const { return shots_; }
  // `open SCREEN "ARGUMENT"`: the host opens a screen that no tap reaches yet, over the front-most
  // navigation controller's top screen; false with `reason` set when it cannot. Without it, `open`
  // fails.
  std::function<bool(const std::string& screen, const std::string& argument,
                     const std::shared_ptr<ios::UIViewController>& front, std::string& reason)>
      openScreen;
  // Called after each command that ran, e.g. to show the new frame on a display.
  std::function<void(const ScriptCommand&)> afterCommand;

 private:
  bool tapTarget(const std::string& what, bool byIdentifier, std::string& reason);
  bool expectText(const ScriptCommand& command, std::string& reason);
  bool shot(const std::string& name, std::string& reason);
  bool back(std::string& reason);
  bool tab(int number, std::string& reason);
  bool open(const ScriptCommand& command, std::string& reason);
  void settle();

  std::shared_ptr<ios::UIWindow> window_;
  Options options_;
  std::vector<std::string> shots_;
};

}  // namespace kerbelin::sim
