#include <AVFoundation/AVCaptureOutput.h>
#include <AVFoundation/AVCaptureSession.h>

namespace ios {

std::shared_ptr<AVCaptureConnection> AVCaptureOutput::connection() const {
  const auto owner = session_.lock();
  return owner && owner->hasVideoInput() ? connection_ : nullptr;
}

void AVCaptureOutput::attach(const std::shared_ptr<AVCaptureSession>& session) {
  session_ = session;
}

}  // namespace ios
