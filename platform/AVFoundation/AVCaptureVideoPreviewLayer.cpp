#include <AVFoundation/AVCaptureVideoPreviewLayer.h>

namespace ios {
namespace {

CALayerContentsGravity contentsGravityFor(AVLayerVideoGravity gravity) {
  switch (gravity) {
    case AVLayerVideoGravity::resize:
      return CALayerContentsGravity::resize;
    case AVLayerVideoGravity::resizeAspect:
      return CALayerContentsGravity::resizeAspect;
    case AVLayerVideoGravity::resizeAspectFill:
      return CALayerContentsGravity::resizeAspectFill;
  }
  return CALayerContentsGravity::resizeAspect;
}

}  // namespace

AVCaptureVideoPreviewLayer::AVCaptureVideoPreviewLayer() {
  setContentsGravity(contentsGravityFor(videoGravity_));
  // Cropped fill must not spill outside the layer.
  setMasksToBounds(true);
}

std::shared_ptr<AVCaptureVideoPreviewLayer> AVCaptureVideoPreviewLayer::create(
    const std::shared_ptr<AVCaptureSession>& session) {
  auto layer = std::make_shared<AVCaptureVideoPreviewLayer>();
  layer->session_ = session;
  if (session) session->addPreviewLayer(layer);
  return layer;
}

void AVCaptureVideoPreviewLayer::setVideoGravity(AVLayerVideoGravity gravity) {
  if (gravity == videoGravity_) return;
  videoGravity_ = gravity;
  setContentsGravity(contentsGravityFor(gravity));
}

}  // namespace ios
