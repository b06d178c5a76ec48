#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace ios {

// Swift's `print`: writes `text` then `terminator` to the console sink. The standard sink writes to
// standard output and flushes, so a console line is visible at once even when stdout is a pipe (the
// end-to-end tests read the simulator's output that way). Pass an empty terminator for a message
// without a line end.
void print(std::string_view text, std::string_view terminator = "\n");

// Foundation's `NSLog`: one line to the console sink (standard error by default), prefixed with a
// timestamp, the process name and the process and thread ids
// ("2026-01-31 09:15:02.041 kerbelin-sim[812:815] message"). A line end is added unless the message
// already ends with one.
void NSLog(std::string_view message);

// Swift's `fatalError`: a programmer error. Writes "Fatal error: <message>" to standard error, whatever
// the console sink, and aborts: the reason a process stopped is never silenced.
[[noreturn]] void fatalError(std::string_view message);

// The console log. What `print` and `NSLog` write goes to one sink, once any live ConsoleCapture has
// taken its copy. The standard sink writes `print` to standard output and `NSLog` to standard error.
// A host that keeps its own log sets a sink of its own: it then receives both, one call per `print`
// (text and terminator together) and one per `NSLog` line (prefix and line end included).
// `setConsoleSink(nullptr)` silences the console; `useStandardConsole()` brings the default back.
// Any thread may set the sink, the sink itself included. Calls to the sink never overlap, lines reach
// it in the order captures see them, and once `setConsoleSink` has returned the sink it replaced is
// not called again. What a sink writes to the console goes to the standard streams (nowhere if it
// has silenced the console), never back into a sink. A sink must not wait for another thread that
// writes to the console: that thread waits for the sink.
using ConsoleSink = std::function<void(std::string_view text)>;
void setConsoleSink(ConsoleSink sink);
void useStandardConsole();

// Collects what `print` and `NSLog` write while it is alive, byte for byte, from any thread. While at
// least one capture is alive nothing reaches the console sink unless a capture asks to echo.
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
  friend struct ConsoleHub;
  bool echo_;
  std::string output_;
  std::string errorOutput_;
  std::vector<std::string> logMessages_;
};

}  // namespace ios
