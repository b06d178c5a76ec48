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
  return "usage: kerbelin-sim [--backend URL] [--headless] [--script FILE] [--out DIR] [--as app|host]\n"
         "                    [--width W --height H --scale S] [--offline] [--bench] [--quit-after "
         "SECONDS]\n";
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
    } else if (name == "--script" || name == "--out") {
      const std::string* path = value();
      if (!path) return std::nullopt;
      (name == "--script" ? options.script : options.out) = std::filesystem::path(*path);
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
