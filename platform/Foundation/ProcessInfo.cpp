#include <Foundation/ProcessInfo.h>

#include <cstdlib>
#include <tuple>

extern char** environ;

namespace ios {

ProcessInfo& ProcessInfo::processInfo() {
  static ProcessInfo* info = new ProcessInfo;
  return *info;
}

std::map<std::string, std::string> ProcessInfo::environment() const {
  std::map<std::string, std::string> variables;
  for (char** entry = environ; entry && *entry; ++entry) {
    std::string_view text(*entry);
    size_t equals = text.find('=');
    if (equals == std::string_view::npos) continue;
    variables.emplace(std::string(text.substr(0, equals)), std::string(text.substr(equals + 1)));
  }
  std::lock_guard lock(mutex_);
  for (const auto& [name, value] : overrides_) {
    if (value) {
      variables.insert_or_assign(name, *value);
    } else {
      variables.erase(name);
    }
  }
  return variables;
}

std::optional<std::string> ProcessInfo::environmentValue(std::string_view name) const {
  {
    std::lock_guard lock(mutex_);
    if (auto found = overrides_.find(name); found != overrides_.end()) return found->second;
  }
  if (const char* value = std::getenv(std::string(name).c_str())) return std::string(value);
  return std::nullopt;
}

void ProcessInfo::setEnvironmentValue(std::string name, std::optional<std::string> value) {
  std::lock_guard lock(mutex_);
  overrides_.insert_or_assign(std::move(name), std::move(value));
}

void ProcessInfo::removeEnvironmentOverrides() {
  std::lock_guard lock(mutex_);
  overrides_.clear();
}

OperatingSystemVersion ProcessInfo::operatingSystemVersion() const {
  std::lock_guard lock(mutex_);
  return version_;
}

std::string ProcessInfo::operatingSystemVersionString() const {
  OperatingSystemVersion v = operatingSystemVersion();
  std::string text = std::to_string(v.majorVersion) + "." + std::to_string(v.minorVersion);
  if (v.patchVersion != 0) text += "." + std::to_string(v.patchVersion);
  return text;
}

void ProcessInfo::setOperatingSystemVersion(OperatingSystemVersion version) {
  std::lock_guard lock(mutex_);
  version_ = version;
}

bool ProcessInfo::isOperatingSystemAtLeast(OperatingSystemVersion version) const {
  OperatingSystemVersion v = operatingSystemVersion();
  return std::tie(v.majorVersion, v.minorVersion, v.patchVersion) >=
         std::tie(version.majorVersion, version.minorVersion, version.patchVersion);
}

}  // namespace ios
