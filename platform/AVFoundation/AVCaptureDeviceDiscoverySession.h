#pragma once

#include <AVFoundation/AVCaptureDevice.h>
#include <Foundation/NSObject.h>

#include <memory>
#include <vector>

namespace ios {

// `AVCaptureDevice.DiscoverySession(deviceTypes:mediaType:position:)`: the cameras of the asked
// types, media and position (`unspecified` matches any), in AVCaptureDevice::devices() order.
class AVCaptureDeviceDiscoverySession : public NSObject {
 public:
  static std::shared_ptr<AVCaptureDeviceDiscoverySession> create(std::vector<AVCaptureDeviceType> deviceTypes,
                                                                 AVMediaType mediaType,
                                                                 AVCaptureDevicePosition position);
  // Looked up when read, so a camera set up after the session was made is found.
  std::vector<std::shared_ptr<AVCaptureDevice>> devices() const;

  AVCaptureDeviceDiscoverySession(std::vector<AVCaptureDeviceType> deviceTypes, AVMediaType mediaType,
                                  AVCaptureDevicePosition position);

 private:
  std::vector<AVCaptureDeviceType> deviceTypes_;
  AVMediaType mediaType_;
  AVCaptureDevicePosition position_;
};

}  // namespace ios
