#include "SimulatorOptions.h"

#include <cctype>
#include <charconv>
#include <cmath>

namespace kerbelin::sim {
namespace {

std::optional<double> positiveNumber(const std::string& text) {
  double value = 0;
  auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || ptr != text.data() + text.size() || !std::isfinite(value) || value <= 0)
    return std::nullopt;
  return value;
}

// A whole number of seconds within a day either way.
std::optional<int> wholeSeconds(const std::string& text) {
  int value = 0;
  auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || ptr != text.data() + text.size() || value < -86400 || value > 86400) return std::nullopt;
  return value;
}

// Only the local back-end may be used: http on a 127.x.x.x address.
bool isLoopbackURL(const std::string& url) {
  const std::string prefix = "http://127.";
  if (url.rfind(prefix, 0) != 0) return false;
  for (std::size_t i = prefix.size(); i < url.size() && url[i] != ':' && url[i] != '/'; ++i)
    if (!(std::isdigit(static_cast<unsigned char>(url[i])) || url[i] == '.')) return false;
  return true;
}

}  // namespace

const char* SimulatorOptions::usage() {
  return "usage: kerbelin-sim [options]\n"
         "  --backend URL        use a running back-end (http://127.x.x.x:PORT); default: start one in process\n"
         "  --headless           no window: run the script (or the tour) on the virtual clock\n"
         "  --script FILE        run this script instead of the tour (its commands: SIMULATOR.md, installed\n"
         "                       in share/doc/kerbelin/ under the package's prefix)\n"
         "  --out DIR            where screenshots and index.html go (default: tour, in the current folder)\n"
         "  --as app|host        launch the SDK's application delegate (app, default) or embed the store\n"
         "                       screen in a host's navigation controller (host)\n"
         "  --width W            screen width in points (default 375)\n"
         "  --height H           screen height in points (default 812)\n"
         "  --scale S            pixels per point (default 2)\n"
         "  --offline            the network is reported down (the no-internet banner shows)\n"
         "  --camera FILE        the back camera shows this image (PNG, JPEG), and camera access is granted\n"
         "  --qr-seconds N       QR tokens of the in-process back-end are valid N seconds, -86400 to 86400\n"
         "                       (default 60; 0 or less: each token comes already run out)\n"
         "  --backend-log FILE   the in-process back-end writes one line per request it serves to FILE\n"
         "  --bench              measure the store screen and print the figures\n"
         "  --quit-after SECONDS with a window, close it after this much real time\n"
         "  --help               this text\n"
         "exit status: 0 success, 1 a failed command or start-up, 2 a usage error or a script that does "
         "not parse\n";
}

std::optional<SimulatorOptions> SimulatorOptions::parse(const std::vector<std::string>& arguments,
                                                        std::string& error) {
  SimulatorOptions options;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& name = arguments[i];
    auto value = [&]() -> const std::string* {
      if (i + 1 >= arguments.size()) {
        error = name + " needs a value";
        return nullptr;
      }
      return &arguments[++i];
    };
    auto number = [&](double& out) {
      const std::string* text = value();
      if (!text) return false;
      auto parsed = positiveNumber(*text);
      if (!parsed) {
        error = name + " needs a positive number, not \"" + *text + "\"";
        return false;
      }
      out = *parsed;
      return true;
    };
    if (name == "--headless") {
      options.headless = true;
    } else if (name == "--offline") {
      options.offline = true;
    } else if (name == "--bench") {
      options.bench = true;
    } else if (name == "--help" || name == "-h") {
      options.help = true;
    } else if (name == "--backend") {
      const std::string* url = value();
      if (!url) return std::nullopt;
      if (!isLoopbackURL(*url)) {
        error = "--backend must be an http://127.x.x.x address, not \"" + *url + "\"";
        return std::nullopt;
      }
      options.backend = *url;
      while (options.backend->size() > 1 && options.backend->back() == '/') options.backend->pop_back();
    } else if (name == "--script" || name == "--out" || name == "--camera" || name == "--backend-log") {
      const std::string* path = value();
      if (!path) return std::nullopt;
      (name == "--script"  ? options.script
       : name == "--out"   ? options.out
       : name == "--camera" ? options.camera
                            : options.backendLog) = std::filesystem::path(*path);
    } else if (name == "--as") {
      const std::string* mode = value();
      if (!mode) return std::nullopt;
      if (*mode == "app") {
        options.mode = Mode::app;
      } else if (*mode == "host") {
        options.mode = Mode::host;
      } else {
        error = "--as takes app or host, not \"" + *mode + "\"";
        return std::nullopt;
      }
    } else if (name == "--qr-seconds") {
      const std::string* text = value();
      if (!text) return std::nullopt;
      options.qrSeconds = wholeSeconds(*text);
      if (!options.qrSeconds) {
        error = "--qr-seconds needs a whole number from -86400 to 86400, not \"" + *text + "\"";
        return std::nullopt;
      }
    } else if (name == "--width" || name == "--height" || name == "--scale" || name == "--quit-after") {
      double parsed = 0;
      if (!number(parsed)) return std::nullopt;
      if (name == "--width") options.width = parsed;
      if (name == "--height") options.height = parsed;
      if (name == "--scale") options.scale = parsed;
      if (name == "--quit-after") options.quitAfter = parsed;
    } else {
      error = "unknown option \"" + name + "\"";
      return std::nullopt;
    }
  }
  return options;
}

}  // namespace kerbelin::sim
