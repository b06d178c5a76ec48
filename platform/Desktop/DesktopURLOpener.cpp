#include <Desktop/DesktopURLOpener.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <string_view>

namespace ios {
namespace {

constexpr std::array<std::string_view, 8> kAllowedSchemes = {"http", "https", "mailto", "tel",
                                                             "sms",  "maps",  "geo",    "comgooglemaps"};

std::string lowercased(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

bool hasVisibleText(const std::string& text) {
  return std::any_of(text.begin(), text.end(), [](unsigned char c) { return !std::isspace(c); });
}

}  // namespace

std::shared_ptr<DesktopURLOpener> DesktopURLOpener::create(std::shared_ptr<CommandRunner> runner) {
  if (!runner) runner = std::make_shared<PosixCommandRunner>();
  return std::make_shared<DesktopURLOpener>(std::move(runner));
}

DesktopURLOpener::DesktopURLOpener(std::shared_ptr<CommandRunner> runner) : runner_(std::move(runner)) {}

bool DesktopURLOpener::isAllowedScheme(const URL& url) {
  if (!url.scheme()) return false;
  const auto scheme = lowercased(*url.scheme());
  return std::find(kAllowedSchemes.begin(), kAllowedSchemes.end(), scheme) != kAllowedSchemes.end();
}

std::vector<std::string> DesktopURLOpener::openArguments(const URL& url) {
  if (!isAllowedScheme(url)) return {};
  return {"xdg-open", url.absoluteString()};
}

std::vector<std::string> DesktopURLOpener::queryArguments(const URL& url) {
  if (!isAllowedScheme(url)) return {};
  return {"xdg-mime", "query", "default", "x-scheme-handler/" + lowercased(*url.scheme())};
}

bool DesktopURLOpener::canOpen(const URL& url) {
  const auto arguments = queryArguments(url);
  if (arguments.empty()) return false;
  const auto scheme = lowercased(*url.scheme());
  std::lock_guard lock(mutex_);
  if (auto known = handled_.find(scheme); known != handled_.end()) return known->second;
  const auto handler = runner_->capture(arguments);
  const bool handled = handler && hasVisibleText(*handler);
  handled_.emplace(scheme, handled);
  return handled;
}

bool DesktopURLOpener::open(const URL& url) {
  const auto arguments = openArguments(url);
  return !arguments.empty() && runner_->launch(arguments);
}

}  // namespace ios
