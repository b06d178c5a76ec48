#include <AVFoundation/AVCaptureDeviceDiscoverySession.h>

#include <algorithm>

namespace ios {

AVCaptureDeviceDiscoverySession::AVCaptureDeviceDiscoverySession(std::vector<AVCaptureDeviceType> deviceTypes,
                                                                 AVMediaType mediaType,
                                                                 AVCaptureDevicePosition position)
    : deviceTypes_(std::move(deviceTypes)), mediaType_(mediaType), position_(position) {}

std::shared_ptr<AVCaptureDeviceDiscoverySession> AVCaptureDeviceDiscoverySession::create(
    std::vector<AVCaptureDeviceType> deviceTypes, AVMediaType mediaType, AVCaptureDevicePosition position) {
  return std::make_shared<AVCaptureDeviceDiscoverySession>(std::move(deviceTypes), mediaType, position);
}

std::vector<std::shared_ptr<AVCaptureDevice>> AVCaptureDeviceDiscoverySession::devices() const {
  std::vector<std::shared_ptr<AVCaptureDevice>> matching;
  for (auto& device : AVCaptureDevice::devices()) {
    const bool typeMatches =
        std::find(deviceTypes_.begin(), deviceTypes_.end(), device->deviceType()) != deviceTypes_.end();
    const bool positionMatches =
        position_ == AVCaptureDevicePosition::unspecified || device->position() == position_;
    if (typeMatches && positionMatches && device->hasMediaType(mediaType_)) matching.push_back(device);
  }
  return matching;
}

}  // namespace ios
