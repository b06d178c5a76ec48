#pragma once

#include <AVFoundation/AVCaptureDevice.h>
#include <AVFoundation/AVCaptureInput.h>

#include <memory>
#include <string>

namespace ios {

// `AVCaptureDeviceInput(device:)`, which throws on the platform: here a null result with the
// error text in `error` (the camera does not open, the files do not decode, or no device).
class AVCaptureDeviceInput : public AVCaptureInput {
 public:
  static std::shared_ptr<AVCaptureDeviceInput> create(const std::shared_ptr<AVCaptureDevice>& device,
                                                      std::string* error = nullptr);

  const std::shared_ptr<AVCaptureDevice>& device() const { return device_; }

  explicit AVCaptureDeviceInput(std::shared_ptr<AVCaptureDevice> device) : device_(std::move(device)) {}

 private:
  std::shared_ptr<AVCaptureDevice> device_;
};

}  // namespace ios
