#include <Foundation/Console.h>

#include <sys/time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>
#include <mutex>
#include <utility>

namespace ios {

// The one place console bytes go through. Two locks: `delivery` is held from the moment a line is
// taken until it has left (so lines from different threads reach captures and the sink whole and in
// one order, and sink calls never overlap); `state` guards the captures and the sink and is never
// held while a host's sink runs, so the sink may read a capture or replace itself.
struct ConsoleHub {
  using SharedSink = std::shared_ptr<const ConsoleSink>;

  static ConsoleHub& shared() {
    static ConsoleHub* hub = new ConsoleHub;  // never destroyed: printing may happen during exit
    return *hub;
  }

  void writeOut(std::string_view text, std::string_view terminator) {
    write(stdout, text, terminator, [&](ConsoleCapture& capture) {
      capture.output_.append(text);
      capture.output_.append(terminator);
    });
  }

  void writeLog(std::string_view message, const std::string& line) {
    write(stderr, line, "", [&](ConsoleCapture& capture) {
      capture.errorOutput_.append(line);
      capture.logMessages_.emplace_back(message);
    });
  }

  // A write from inside a host's sink goes to the standard stream: handing it to the sink again
  // could recurse without end, and this thread already holds `delivery`.
  template <typename Record>
  void write(std::FILE* standard, std::string_view text, std::string_view end, Record record) {
    SharedSink running;  // released after `delivery`: its last owner may write to the console
    std::unique_lock<std::mutex> delivering;
    if (!tDelivering) delivering = std::unique_lock(delivery);
    if (!takeLine(record, running) || (running && !*running)) return;
    if (tDelivering || !running) {
      writeStandard(standard, text, end);
    } else {
      callSink(*running, std::string(text).append(end));
    }
  }

  // Hands the line to the captures; true when it is to be echoed, with the host's sink (if any).
  template <typename Record>
  bool takeLine(Record& record, SharedSink& running) {
    std::lock_guard lock(state);
    bool echo = captures.empty();
    for (ConsoleCapture* capture : captures) {
      record(*capture);
      echo = echo || capture->echo_;
    }
    running = sink;
    return echo;
  }

  static void writeStandard(std::FILE* standard, std::string_view text, std::string_view end) {
    std::fwrite(text.data(), 1, text.size(), standard);
    std::fwrite(end.data(), 1, end.size(), standard);
    std::fflush(standard);
  }

  static void callSink(const ConsoleSink& hostSink, const std::string& line) {
    tDelivering = true;
    struct Reset {
      ~Reset() { tDelivering = false; }
    } reset;
    hostSink(line);
  }

  // The standard console has no sink object; silence is a sink that is empty.
  void replaceSink(SharedSink replacement) {
    SharedSink replaced;  // destroyed after the locks are released: it may own what writes to the console
    std::unique_lock<std::mutex> delivering;
    // Waiting for the call under way means the replaced sink is not called once this returns; from
    // inside the sink itself that call is this thread's, and it ends with the sink's return.
    if (!tDelivering) delivering = std::unique_lock(delivery);
    std::lock_guard lock(state);
    replaced = std::exchange(sink, std::move(replacement));
  }

  static thread_local bool tDelivering;  // this thread is inside a host's sink
  std::mutex delivery;
  std::mutex state;
  std::vector<ConsoleCapture*> captures;
  SharedSink sink;  // null: the standard console
};

thread_local bool ConsoleHub::tDelivering = false;

namespace {

std::string logPrefix() {
  timeval now{};
  gettimeofday(&now, nullptr);
  tm local{};
  localtime_r(&now.tv_sec, &local);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", &local);
  char prefix[128];
  std::snprintf(prefix, sizeof prefix, "%s.%03ld %s[%ld:%ld] ", stamp, static_cast<long>(now.tv_usec / 1000),
                program_invocation_short_name, static_cast<long>(getpid()), static_cast<long>(gettid()));
  return prefix;
}

}  // namespace

void print(std::string_view text, std::string_view terminator) {
  ConsoleHub::shared().writeOut(text, terminator);
}

void NSLog(std::string_view message) {
  std::string line = logPrefix();
  line.append(message);
  if (message.empty() || message.back() != '\n') line.push_back('\n');
  ConsoleHub::shared().writeLog(message, line);
}

void setConsoleSink(ConsoleSink sink) {
  ConsoleHub::shared().replaceSink(std::make_shared<const ConsoleSink>(std::move(sink)));
}

void useStandardConsole() {
  ConsoleHub::shared().replaceSink(nullptr);
}

void fatalError(std::string_view message) {
  std::fprintf(stderr, "Fatal error: %.*s\n", static_cast<int>(message.size()), message.data());
  std::fflush(stderr);
  std::abort();
}

ConsoleCapture::ConsoleCapture(bool echo) : echo_(echo) {
  auto& hub = ConsoleHub::shared();
  std::lock_guard lock(hub.state);
  hub.captures.push_back(this);
}

ConsoleCapture::~ConsoleCapture() {
  auto& hub = ConsoleHub::shared();
  std::lock_guard lock(hub.state);
  std::erase(hub.captures, this);
}

std::string ConsoleCapture::output() const {
  std::lock_guard lock(ConsoleHub::shared().state);
  return output_;
}

std::vector<std::string> ConsoleCapture::logMessages() const {
  std::lock_guard lock(ConsoleHub::shared().state);
  return logMessages_;
}

std::string ConsoleCapture::errorOutput() const {
  std::lock_guard lock(ConsoleHub::shared().state);
  return errorOutput_;
}

void ConsoleCapture::clear() {
  std::lock_guard lock(ConsoleHub::shared().state);
  output_.clear();
  errorOutput_.clear();
  logMessages_.clear();
}

}  // namespace ios
