#pragma once

#include <AVFoundation/AVCaptureConnection.h>
#include <CoreGraphics/CGImage.h>
#include <Foundation/NSObject.h>

#include <memory>

namespace ios {

class AVCaptureSession;

// A destination of a session's frames.
class AVCaptureOutput : public NSObject {
 public:
  // The connection to the session's video input; null until the output is in a session that has one.
  std::shared_ptr<AVCaptureConnection> connection() const;
  std::shared_ptr<AVCaptureSession> session() const { return session_.lock(); }

 protected:
  friend class AVCaptureSession;
  // Called on the main thread with each frame while the session runs.
  virtual void captureOutput(const std::shared_ptr<const CGImage>& frame) = 0;
  // Joining a session.
  virtual void attach(const std::shared_ptr<AVCaptureSession>& session);

 private:
  std::weak_ptr<AVCaptureSession> session_;
  std::shared_ptr<AVCaptureConnection> connection_ = std::make_shared<AVCaptureConnection>();
};

}  // namespace ios
