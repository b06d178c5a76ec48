#pragma once

#include <AVFoundation/AVCaptureSession.h>
#include <QuartzCore/CALayer.h>

#include <memory>

namespace ios {

enum class AVLayerVideoGravity { resize, resizeAspect, resizeAspectFill };
inline constexpr AVLayerVideoGravity AVLayerVideoGravityResizeAspectFill =
    AVLayerVideoGravity::resizeAspectFill;

// A layer showing the latest frame of a session as its contents, fitted by `videoGravity`
// (`resizeAspect` by default; `resizeAspectFill` fills the bounds and crops). It keeps its session
// alive; the session does not keep the layer.
class AVCaptureVideoPreviewLayer : public CALayer {
 public:
  // `AVCaptureVideoPreviewLayer(session:)`.
  static std::shared_ptr<AVCaptureVideoPreviewLayer> create(const std::shared_ptr<AVCaptureSession>& session);

  const std::shared_ptr<AVCaptureSession>& session() const { return session_; }
  AVLayerVideoGravity videoGravity() const { return videoGravity_; }
  void setVideoGravity(AVLayerVideoGravity gravity);

  AVCaptureVideoPreviewLayer();

 private:
  friend class AVCaptureSession;
  void showFrame(const std::shared_ptr<const CGImage>& frame) { setContents(frame); }

  std::shared_ptr<AVCaptureSession> session_;
  AVLayerVideoGravity videoGravity_ = AVLayerVideoGravity::resizeAspect;
};

}  // namespace ios
