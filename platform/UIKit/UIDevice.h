#pragma once

#include <Foundation/NSObject.h>

#include <memory>
#include <string>

namespace ios {

// The device the app runs on. On this platform a host describes it: the system version defaults to
// "12.0" (read from ProcessInfo's operating system version) and the model to "iPhone".
class UIDevice : public NSObject {
 public:
  static const std::shared_ptr<UIDevice>& current();

  std::string systemVersion() const;
  std::string systemName() const { return "iOS"; }
  std::string model() const { return "iPhone"; }
  std::string name() const { return "KerbelinSDK Simulator"; }
};

}  // namespace ios
