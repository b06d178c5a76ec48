#pragma once

#include <CoreGraphics/CGImage.h>

#include <functional>
#include <memory>
#include <string>

namespace ios {

// Where a capture device's pictures come from: a V4L2 camera or a list of image files. Internal to
// AVFoundation; hosts and tests choose a source through AVCaptureDevice.
class AVCaptureFrameSource {
 public:
  using FrameHandler = std::function<void(std::shared_ptr<const CGImage>)>;
  virtual ~AVCaptureFrameSource() = default;

  // Checks that the source can deliver (the camera opens, the files decode). False with a message
  // in `error` otherwise.
  virtual bool open(std::string& error) = 0;
  // Starts delivering frames; `handler` is always called on the main thread. A second start
  // replaces the handler.
  virtual bool start(FrameHandler handler, std::string& error) = 0;
  // Stops at once: no frame reaches the handler after this returns.
  virtual void stop() = 0;

  virtual bool hasTorch() const { return false; }
  // Switches the torch; only called when hasTorch() is true.
  virtual bool setTorch(bool /*on*/, float /*level*/, std::string& error) {
    error = "The device has no torch.";
    return false;
  }
};

}  // namespace ios
