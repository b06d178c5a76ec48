#include <AVFoundation/AVCaptureDeviceInput.h>
#include <AVFoundation/AVCaptureFrameSource.h>

namespace ios {

std::shared_ptr<AVCaptureDeviceInput> AVCaptureDeviceInput::create(
    const std::shared_ptr<AVCaptureDevice>& device, std::string* error) {
  std::string message;
  if (!device || !device->frameSource()) {
    message = "Cannot Open: no capture device.";
  } else if (device->frameSource()->open(message)) {
    return std::make_shared<AVCaptureDeviceInput>(device);
  }
  if (error) *error = message;
  return nullptr;
}

}  // namespace ios
