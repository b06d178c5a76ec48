#pragma once

#include <memory>
#include <optional>
#include <string>

namespace ios {

// Where CTTelephonyNetworkInfo learns the cellular radio technology. A desktop has no modem the
// platform can ask, so the process-wide source reports none unless a host or test installs another
// (FakeRadioAccessTechnologySource).
class RadioAccessTechnologySource {
 public:
  virtual ~RadioAccessTechnologySource() = default;

  // One of the CTRadioAccessTechnology texts, or nullopt when no cellular radio is in use. May be
  // called from any thread.
  virtual std::optional<std::string> currentRadioAccessTechnology() = 0;

  // The process-wide source; never null. Thread-safe.
  static std::shared_ptr<RadioAccessTechnologySource> shared();
  // Replaces it for every CTTelephonyNetworkInfo made or read afterwards; nullptr restores the
  // default, which reports none.
  static void setShared(std::shared_ptr<RadioAccessTechnologySource> source);
};

}  // namespace ios
