#pragma once

#include <string>

namespace kerbelin::sim {

// One line of a simulator script, already checked: the fields a kind does not use keep their
// defaults.
struct ScriptCommand {
  enum class Kind { tapText, tapIdentifier, tapPoint, drag, wait, idle, expect, expectNot, shot, back, tab, open };

  Kind kind = Kind::idle;
  int line = 0;
  // The text of `tap "..."`, `expect`, `expect-not`, the identifier of `tap #...`, the name of `shot`,
  // the argument of `open`.
  std::string text;
  // `open SCREEN "ARGUMENT"`: the screen the host is asked to open.
  std::string screen;
  // `tap X Y`: x1, y1. `drag`: x1, y1 to x2, y2 over `seconds`. `wait`: seconds. `tab`: the 1-based
  // tab number in `number`.
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  double seconds = 0;
  int number = 0;
};

}  // namespace kerbelin::sim
