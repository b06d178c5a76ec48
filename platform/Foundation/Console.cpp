#include <Foundation/Console.h>

#include <sys/time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <mutex>

namespace ios {

// The one place console bytes go through; the mutex keeps lines from different threads whole and
// guards the list of live captures.
struct ConsoleSink {
  static ConsoleSink& shared() {
    static ConsoleSink* sink = new ConsoleSink;  // never destroyed: printing may happen during exit
    return *sink;
  }

  void writeOut(std::string_view text, std::string_view terminator) {
    std::lock_guard lock(mutex);
    bool echo = captures.empty();
    for (ConsoleCapture* capture : captures) {
      capture->output_.append(text);
      capture->output_.append(terminator);
      echo = echo || capture->echo_;
    }
    if (echo) {
      std::fwrite(text.data(), 1, text.size(), stdout);
      std::fwrite(terminator.data(), 1, terminator.size(), stdout);
      std::fflush(stdout);
    }
  }

  void writeLog(std::string_view message, const std::string& line) {
    std::lock_guard lock(mutex);
    bool echo = captures.empty();
    for (ConsoleCapture* capture : captures) {
      capture->errorOutput_.append(line);
      capture->logMessages_.emplace_back(message);
      echo = echo || capture->echo_;
    }
    if (echo) {
      std::fwrite(line.data(), 1, line.size(), stderr);
      std::fflush(stderr);
    }
  }

  std::mutex mutex;
  std::vector<ConsoleCapture*> captures;
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
  ConsoleSink::shared().writeOut(text, terminator);
}

void NSLog(std::string_view message) {
  std::string line = logPrefix();
  line.append(message);
  if (message.empty() || message.back() != '\n') line.push_back('\n');
  ConsoleSink::shared().writeLog(message, line);
}

void fatalError(std::string_view message) {
  std::fprintf(stderr, "Fatal error: %.*s\n", static_cast<int>(message.size()), message.data());
  std::fflush(stderr);
  std::abort();
}

ConsoleCapture::ConsoleCapture(bool echo) : echo_(echo) {
  auto& sink = ConsoleSink::shared();
  std::lock_guard lock(sink.mutex);
  sink.captures.push_back(this);
}

ConsoleCapture::~ConsoleCapture() {
  auto& sink = ConsoleSink::shared();
  std::lock_guard lock(sink.mutex);
  std::erase(sink.captures, this);
}

std::string ConsoleCapture::output() const {
  std::lock_guard lock(ConsoleSink::shared().mutex);
  return output_;
}

std::vector<std::string> ConsoleCapture::logMessages() const {
  std::lock_guard lock(ConsoleSink::shared().mutex);
  return logMessages_;
}

std::string ConsoleCapture::errorOutput() const {
  std::lock_guard lock(ConsoleSink::shared().mutex);
  return errorOutput_;
}

void ConsoleCapture::clear() {
  std::lock_guard lock(ConsoleSink::shared().mutex);
  output_.clear();
  errorOutput_.clear();
  logMessages_.clear();
}

}  // namespace ios
