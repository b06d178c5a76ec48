#pragma once

#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

namespace ios {

struct OperatingSystemVersion {
  int majorVersion = 12;
  int minorVersion = 0;
  int patchVersion = 0;
};

// The process's environment and the system version it reports. Tests and hosts set single variables
// and the version here without touching the real environment. Thread-safe.
class ProcessInfo {
 public:
  static ProcessInfo& processInfo();

  // The real environment with the overrides applied.
  std::map<std::string, std::string> environment() const;
  std::optional<std::string> environmentValue(std::string_view name) const;
  // Overrides one variable; nullopt makes it look unset.
  void setEnvironmentValue(std::string name, std::optional<std::string> value);
  void removeEnvironmentOverrides();

  // "12.0" until a host sets another version.
  OperatingSystemVersion operatingSystemVersion() const;
  // "12.0", or "12.0.1" when the patch version is not 0 (`UIDevice.systemVersion`'s form).
  std::string operatingSystemVersionString() const;
  void setOperatingSystemVersion(OperatingSystemVersion version);
  bool isOperatingSystemAtLeast(OperatingSystemVersion version) const;

 private:
  ProcessInfo() = default;

  mutable std::mutex mutex_;
  std::map<std::string, std::optional<std::string>, std::less<>> overrides_;
  OperatingSystemVersion version_;
};

}  // namespace ios
