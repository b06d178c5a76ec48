// kerbelin-backend: the local stand-in for the KerbelinSDK back-end.
// Prints "listening on http://HOST:PORT" once it accepts connections, then one
// line per request, and stops cleanly on SIGINT or SIGTERM.
// Exit status: 0 stopped by a signal (or --help), 1 cannot start, 2 usage error.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>
#include <future>
#include <thread>

#include "BackendServer.h"

namespace {

constexpr auto kStopGrace = std::chrono::milliseconds(500);

constexpr const char* kUsage =
    "usage: kerbelin-backend --port N [options]\n"
    "  --port N              port to listen on (0 picks a free one; the line \"listening on ...\" names it)\n"
    "  --host ADDRESS        loopback address to listen on (default 127.0.0.1; only 127.x.x.x)\n"
    "  --data DIR            sample data folder (default: the installed or source tree's data)\n"
    "  --qr-seconds N        validity of an issued QR code, -86400 to 86400 (default 60; 0 or less issues\n"
    "                        codes already run out, as a faulty server may)\n"
    "  --text-result-code    send \"resultCode\" as JSON text instead of a number\n"
    "  --help                this text\n"
    "once ready it prints \"listening on http://HOST:PORT\" on standard output, then one line per request:\n"
    "  METHOD PATH HTTP-STATUS RESULT-CODE ELAPSEDms\n";

int usage(const std::string& problem) {
  std::cerr << "kerbelin-backend: " << problem << "\n" << kUsage;
  return 2;
}

// httplib only says that binding failed; binding once more tells why (a port in use, above all).
std::string bindFailure(const std::string& host, int port) {
  const int sock = socket(AF_INET, SOCK_STREAM, 0);
  if (sock < 0) return std::strerror(errno);
  int yes = 1;
  setsockopt(sock, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<uint16_t>(port));
  std::string reason = "unknown reason";
  if (inet_pton(AF_INET, host.c_str(), &address.sin_addr) != 1) {
    reason = "not an IPv4 address";
  } else if (bind(sock, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
    reason = errno == EADDRINUSE ? "the port is in use" : std::strerror(errno);
  }
  close(sock);
  return reason;
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
    if (arg == "--help" || arg == "-h") {
      std::cout << kUsage;
      return 0;
    }
    if (arg == "--text-result-code") {
      options.textResultCode = true;
      continue;
    }
    if (arg != "--port" && arg != "--data" && arg != "--host" && arg != "--qr-seconds")
      return usage("unknown option " + arg);
    if (i + 1 >= argc) return usage(arg + " needs a value");
    const char* value = argv[++i];
    if (arg == "--port") {
      if (!parseNumber(value, 0, 65535, options.port)) return usage("--port needs 0 to 65535, not " + std::string(value));
      havePort = true;
    } else if (arg == "--data") {
      options.dataDir = value;
    } else if (arg == "--host") {
      options.host = value;
    } else if (arg == "--qr-seconds") {
      if (!parseNumber(value, -86400, 86400, options.qrValiditySeconds))
        return usage("--qr-seconds needs -86400 to 86400, not " + std::string(value));
    }
  }
  if (!havePort) return usage("--port is required");

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
      std::cerr << "kerbelin-backend: cannot listen on " << options.host << ":" << options.port << ": "
                << bindFailure(options.host, options.port) << "\n";
      return 1;
    }
    std::cout << "listening on " << server.baseURL() << std::endl;
    int received = 0;
    sigwait(&stopSignals, &received);
    std::cout << "stopped (" << strsignal(received) << ")" << std::endl;
    // A stop waits for connections in the middle of a request, and a client may never finish one:
    // they get a moment, then the process ends and the kernel closes what is left.
    std::promise<void> stopped;
    auto done = stopped.get_future();
    std::thread([&server, &stopped] {
      server.stop();
      stopped.set_value();
    }).detach();
    done.wait_for(kStopGrace);
    std::quick_exit(0);
  } catch (const std::exception& e) {
    std::cerr << "kerbelin-backend: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
