#include <Foundation/Console.h>

#include <sys/time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <mutex>
#include <utility>

namespace ios {

// The one place console bytes go through; the mutex keeps lines from different threads whole and
// guards the live captures and the sink.
struct ConsoleHub {
  static ConsoleHub& shared() {
    static ConsoleHub* hub = new ConsoleHub;  // never destroyed: printing may happen during exit
    return *hub;
  }

  void writeOut(std::string_view text, std::string_view terminator) {
    std::lock_guard lock(mutex);
    bool echo = captures.empty();
    for (ConsoleCapture* capture : captures) {
      capture->output_.append(text);
      capture->output_.append(terminator);
      echo = echo || capture->echo_;
    }
    if (echo) deliver(stdout, text, terminator);
  }

  void writeLog(std::string_view message, const std::string& line) {
    std::lock_guard lock(mutex);
    bool echo = captures.empty();
    for (ConsoleCapture* capture : captures) {
      capture->errorOutput_.append(line);
      capture->logMessages_.emplace_back(message);
      echo = echo || capture->echo_;
    }
    if (echo) deliver(stderr, line, "");
  }

  // The standard sink writes to `standard`; a host's sink gets the text and its end in one call.
  void deliver(std::FILE* standard, std::string_view text, std::string_view end) {
    if (standardSink) {
      std::fwrite(text.data(), 1, text.size(), standard);
      std::fwrite(end.data(), 1, end.size(), standard);
      std::fflush(standard);
    } else if (sink) {
      sink(std::string(text).append(end));
    }
  }

  void replaceSink(bool standard, ConsoleSink replacement) {
    ConsoleSink replaced;  // destroyed after the lock is released: it may own what writes to the console
    std::lock_guard lock(mutex);
    standardSink = standard;
    replaced = std::exchange(sink, std::move(replacement));
  }

  std::mutex mutex;
  std::vector<ConsoleCapture*> captures;
  bool standardSink = true;
  ConsoleSink sink;
};

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
  ConsoleHub::shared().replaceSink(false, std::move(sink));
}

void useStandardConsole() {
  ConsoleHub::shared().replaceSink(true, nullptr);
}

void fatalError(std::string_view message) {
  std::fprintf(stderr, "Fatal error: %.*s\n", static_cast<int>(message.size()), message.data());
  std::fflush(stderr);
  std::abort();
}

ConsoleCapture::ConsoleCapture(bool echo) : echo_(echo) {
  auto& hub = ConsoleHub::shared();
  std::lock_guard lock(hub.mutex);
  hub.captures.push_back(this);
}

ConsoleCapture::~ConsoleCapture() {
  auto& hub = ConsoleHub::shared();
  std::lock_guard lock(hub.mutex);
  std::erase(hub.captures, this);
}

std::string ConsoleCapture::output() const {
  std::lock_guard lock(ConsoleHub::shared().mutex);
  return output_;
}

std::vector<std::string> ConsoleCapture::logMessages() const {
  std::lock_guard lock(ConsoleHub::shared().mutex);
  return logMessages_;
}

std::string ConsoleCapture::errorOutput() const {
  std::lock_guard lock(ConsoleHub::shared().mutex);
  return errorOutput_;
}

void ConsoleCapture::clear() {
  std::lock_guard lock(ConsoleHub::shared().mutex);
  output_.clear();
  errorOutput_.clear();
  logMessages_.clear();
}

}  // namespace ios
