#pragma once

#include <CoreTelephony/RadioAccessTechnologySource.h>

#include <mutex>
#include <optional>
#include <string>

namespace ios {

// A source that reports whatever it was last told: for tests, and for a host that simulates a
// phone on a given network.
class FakeRadioAccessTechnologySource : public RadioAccessTechnologySource {
 public:
  static std::shared_ptr<FakeRadioAccessTechnologySource> create(std::optional<std::string> technology = {});
  explicit FakeRadioAccessTechnologySource(std::optional<std::string> technology)
      : technology_(std::move(technology)) {}

  std::optional<std::string> currentRadioAccessTechnology() override;
  void setTechnology(std::optional<std::string> technology);

 private:
  std::mutex mutex_;
  std::optional<std::string> technology_;
};

}  // namespace ios
