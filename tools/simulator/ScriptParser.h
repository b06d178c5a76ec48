#pragma once

#include "ScriptCommand.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kerbelin::sim {

// Reads the simulator's script language: one command a line, `#` starts a comment (outside quotes),
// blank lines are skipped. Quoted texts take `\"` and `\\` escapes. Numbers are plain decimals.
//
//   tap "TEXT" | tap #ID | tap X Y        drag X1 Y1 X2 Y2 [SECONDS]      wait SECONDS
//   idle    expect "TEXT"    expect-not "TEXT"    shot NAME    back    tab N
//
// `shot` names are letters, digits, '-', '_' and '.', so that a screenshot never lands outside its
// folder. Parsing stops at the first bad line.
struct ParsedScript {
  std::vector<ScriptCommand> commands;
  // Set when a line does not parse: its 1-based number and why.
  std::optional<int> errorLine;
  std::string error;

  bool ok() const { return !errorLine.has_value(); }
};

class ScriptParser {
 public:
  static ParsedScript parse(std::string_view text);
  // One line, numbered `line`; nullopt for a blank or comment line. Sets `error` when it fails.
  static std::optional<ScriptCommand> parseLine(std::string_view text, int line, std::string& error);
};

}  // namespace kerbelin::sim
