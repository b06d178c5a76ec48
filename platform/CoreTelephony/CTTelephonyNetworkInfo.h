#pragma once

#include <CoreTelephony/CTRadioAccessTechnology.h>
#include <Foundation/NSObject.h>

#include <memory>
#include <optional>
#include <string>

namespace ios {

// Telephony network information. Each read asks the process-wide RadioAccessTechnologySource, so
// an object made before a source was installed reports the new source's answer.
class CTTelephonyNetworkInfo : public NSObject {
 public:
  static std::shared_ptr<CTTelephonyNetworkInfo> create();

  // The radio technology in use (a CTRadioAccessTechnology text), or nullopt when there is none,
  // which is what a desktop reports by default.
  std::optional<std::string> currentRadioAccessTechnology() const;
};

}  // namespace ios
