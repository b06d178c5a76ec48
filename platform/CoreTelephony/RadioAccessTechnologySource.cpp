#include <CoreTelephony/RadioAccessTechnologySource.h>
#include <Foundation/SharedSlot.h>

namespace ios {
namespace {

class NoRadioSource : public RadioAccessTechnologySource {
 public:
  std::optional<std::string> currentRadioAccessTechnology() override { return std::nullopt; }
};

SharedSlot<RadioAccessTechnologySource>& sharedSlot() {
  static SharedSlot<RadioAccessTechnologySource> slot([] { return std::make_shared<NoRadioSource>(); });
  return slot;
}

}  // namespace

std::shared_ptr<RadioAccessTechnologySource> RadioAccessTechnologySource::shared() {
  return sharedSlot().get();
}

void RadioAccessTechnologySource::setShared(std::shared_ptr<RadioAccessTechnologySource> source) {
  sharedSlot().set(std::move(source));
}

}  // namespace ios
