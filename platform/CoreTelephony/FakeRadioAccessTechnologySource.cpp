#include <CoreTelephony/FakeRadioAccessTechnologySource.h>

namespace ios {

std::shared_ptr<FakeRadioAccessTechnologySource> FakeRadioAccessTechnologySource::create(
    std::optional<std::string> technology) {
  return std::make_shared<FakeRadioAccessTechnologySource>(std::move(technology));
}

std::optional<std::string> FakeRadioAccessTechnologySource::currentRadioAccessTechnology() {
  std::lock_guard lock(mutex_);
  return technology_;
}

void FakeRadioAccessTechnologySource::setTechnology(std::optional<std::string> technology) {
  std::lock_guard lock(mutex_);
  technology_ = std::move(technology);
}

}  // namespace ios
