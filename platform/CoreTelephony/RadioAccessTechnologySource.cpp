#include <CoreTelephony/RadioAccessTechnologySource.h>

#include <mutex>

namespace ios {
namespace {

class NoRadioSource : public RadioAccessTechnologySource {
 public:
  std::optional<std::string> currentRadioAccessTechnology() override { return std::nullopt; }
};

struct SharedSource {
  std::mutex mutex;
  std::shared_ptr<RadioAccessTechnologySource> source;
};

SharedSource& sharedSource() {
  static SharedSource shared;
  return shared;
}

}  // namespace

std::shared_ptr<RadioAccessTechnologySource> RadioAccessTechnologySource::shared() {
  auto& shared = sharedSource();
  std::lock_guard lock(shared.mutex);
  if (!shared.source) shared.source = std::make_shared<NoRadioSource>();
  return shared.source;
}

void RadioAccessTechnologySource::setShared(std::shared_ptr<RadioAccessTechnologySource> source) {
  auto& shared = sharedSource();
  std::lock_guard lock(shared.mutex);
  shared.source = std::move(source);
}

}  // namespace ios
