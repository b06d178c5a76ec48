#include <UIKit/UIDevice.h>

#include <Foundation/ProcessInfo.h>

namespace ios {

const std::shared_ptr<UIDevice>& UIDevice::current() {
  static const auto device = std::make_shared<UIDevice>();
  return device;
}

std::string UIDevice::systemVersion() const { return ProcessInfo::processInfo().operatingSystemVersionString(); }

}  // namespace ios
