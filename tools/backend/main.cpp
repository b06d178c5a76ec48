// kerbelin-backend: the local stand-in for the KerbelinSDK back-end.
//   kerbelin-backend --port N [--data DIR] [--host 127.0.0.1]
// Prints "listening on http://HOST:PORT" once it accepts connections, then one
// line per request, and stops cleanly on SIGINT or SIGTERM.

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>

#include "BackendServer.h"

namespace {

int usage(const char* program) {
  std::cerr << "usage: " << program
            << " --port N [--data DIR] [--host 127.0.0.1] [--qr-seconds N] [--text-result-code]\n";
  return 2;
}

bool parseNumber(const char* text, int min, int max, int& out) {
  char* end = nullptr;
  const long value = std::strtol(text, &end, 10);
  if (end == text || *end != '\0' || value < min || value > max) return false;
  out = int(value);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  kerbelin::backend::BackendServer::Options options;
  options.log = &std::cout;
  bool havePort = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--text-result-code") {
      options.textResultCode = true;
      continue;
    }
    if (i + 1 >= argc) return usage(argv[0]);
    const char* value = argv[++i];
    if (arg == "--port") {
      if (!parseNumber(value, 0, 65535, options.port)) return usage(argv[0]);
      havePort = true;
    } else if (arg == "--data") {
      options.dataDir = value;
    } else if (arg == "--host") {
      options.host = value;
    } else if (arg == "--qr-seconds") {
      if (!parseNumber(value, 1, 86400, options.qrValiditySeconds)) return usage(argv[0]);
    } else {
      return usage(argv[0]);
    }
  }
  if (!havePort) return usage(argv[0]);

  // Block the stop signals in every thread (the pool inherits the mask) and
  // take them synchronously here, so stopping never runs inside a handler.
  sigset_t stopSignals;
  sigemptyset(&stopSignals);
  sigaddset(&stopSignals, SIGINT);
  sigaddset(&stopSignals, SIGTERM);
  pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
  std::signal(SIGPIPE, SIG_IGN);

  try {
    kerbelin::backend::BackendServer server(options);
    if (!server.start()) {
      std::cerr << "cannot listen on " << options.host << ":" << options.port << "\n";
      return 1;
    }
    std::cout << "listening on " << server.baseURL() << std::endl;
    int received = 0;
    sigwait(&stopSignals, &received);
    server.stop();
    std::cout << "stopped (" << strsignal(received) << ")" << std::endl;
  } catch (const std::exception& e) {
    std::cerr << "kerbelin-backend: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
