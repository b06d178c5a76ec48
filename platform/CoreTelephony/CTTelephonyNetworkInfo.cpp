#include <CoreTelephony/CTTelephonyNetworkInfo.h>
#include <CoreTelephony/RadioAccessTechnologySource.h>

namespace ios {
namespace {
const auto registration = ClassRegistration<CTTelephonyNetworkInfo>("CTTelephonyNetworkInfo");
}  // namespace

std::shared_ptr<CTTelephonyNetworkInfo> CTTelephonyNetworkInfo::create() {
  return std::make_shared<CTTelephonyNetworkInfo>();
}

std::optional<std::string> CTTelephonyNetworkInfo::currentRadioAccessTechnology() const {
  return RadioAccessTechnologySource::shared()->currentRadioAccessTechnology();
}

}  // namespace ios
