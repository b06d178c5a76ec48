#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ios {

// Swift's `print`: writes `text` then `terminator` to standard output and flushes, so a console line is
// visible at once even when stdout is a pipe (the end-to-end tests read the simulator's output that
// way). Pass an empty terminator for a message without a line end.
void print(std::string_view text, std::string_view terminator = "\n");

// Foundation's `NSLog`: one line on standard error, prefixed with a timestamp, the process name and the
// process and thread ids ("2026-01-31 09:15:02.041 kerbelin-sim[812:815] message"). A line end is added
// unless the message already ends with one.
void NSLog(std::string_view message);

// Swift's `fatalError`: a programmer error. Writes "Fatal error: <message>" to standard error and aborts.
[[noreturn]] void fatalError(std::string_view message);

// Collects what `print` and `NSLog` write while it is alive, byte for byte, from any thread. While at
// least one capture is alive nothing reaches the real stdout/stderr unless a capture asks to echo.
// Captures may nest; each sees everything written during its own lifetime.
class ConsoleCapture {
 public:
  explicit ConsoleCapture(bool echo = false);
  ~ConsoleCapture();
  ConsoleCapture(const ConsoleCapture&) = delete;
  ConsoleCapture& operator=(const ConsoleCapture&) = delete;

  // Everything `print` wrote, terminators included.
  std::string output() const;
  // Each `NSLog` message as given, without the prefix or the added line end.
  std::vector<std::string> logMessages() const;
  // The exact bytes `NSLog` wrote, prefixes included.
  std::string errorOutput() const;
  void clear();

 private:
  friend struct ConsoleSink;
  bool echo_;
  std::string output_;
  std::string errorOutput_;
  std::vector<std::string> logMessages_;
};

}  // namespace ios
