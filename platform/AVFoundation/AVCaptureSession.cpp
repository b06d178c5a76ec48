#include <AVFoundation/AVCaptureFrameSource.h>
#include <AVFoundation/AVCaptureSession.h>
#include <AVFoundation/AVCaptureVideoPreviewLayer.h>
#include <Foundation/Console.h>

#include <algorithm>

namespace ios {

std::shared_ptr<AVCaptureSession> AVCaptureSession::create() {
  return std::make_shared<AVCaptureSession>();
}

AVCaptureSession::~AVCaptureSession() {
  if (running_ && runningDevice_) runningDevice_->frameSource()->stop();
}

bool AVCaptureSession::hasVideoInput() const {
  return device() != nullptr;
}

std::shared_ptr<AVCaptureDevice> AVCaptureSession::device() const {
  for (const auto& input : inputs_) {
    if (auto deviceInput = std::dynamic_pointer_cast<AVCaptureDeviceInput>(input))
      return deviceInput->device();
  }
  return nullptr;
}

bool AVCaptureSession::canAddInput(const std::shared_ptr<AVCaptureInput>& input) const {
  if (!input || std::find(inputs_.begin(), inputs_.end(), input) != inputs_.end()) return false;
  return !(std::dynamic_pointer_cast<AVCaptureDeviceInput>(input) && hasVideoInput());
}

void AVCaptureSession::addInput(const std::shared_ptr<AVCaptureInput>& input) {
  if (!canAddInput(input)) fatalError("AVCaptureSession: cannot add this input (check canAddInput first).");
  inputs_.push_back(input);
}

bool AVCaptureSession::canAddOutput(const std::shared_ptr<AVCaptureOutput>& output) const {
  return output && !output->session_.lock() &&
         std::find(outputs_.begin(), outputs_.end(), output) == outputs_.end();
}

void AVCaptureSession::addOutput(const std::shared_ptr<AVCaptureOutput>& output) {
  if (!canAddOutput(output))
    fatalError("AVCaptureSession: cannot add this output (check canAddOutput first).");
  outputs_.push_back(output);
  output->attach(std::static_pointer_cast<AVCaptureSession>(shared_from_this()));
}

void AVCaptureSession::startRunning() {
  if (running_) return;
  auto camera = device();
  if (!camera) {
    NSLog("AVCaptureSession: startRunning without a camera input");
    return;
  }
  std::weak_ptr<AVCaptureSession> weak = std::static_pointer_cast<AVCaptureSession>(shared_from_this());
  std::string error;
  const bool started = camera->frameSource()->start(
      [weak](std::shared_ptr<const CGImage> frame) {
        if (auto session = weak.lock(); session && session->running_) session->deliver(frame);
      },
      error);
  if (!started) {
    NSLog("AVCaptureSession: the camera did not start: " + error);
    return;
  }
  runningDevice_ = std::move(camera);
  running_ = true;
}

void AVCaptureSession::stopRunning() {
  if (!running_) return;
  running_ = false;
  runningDevice_->frameSource()->stop();
  runningDevice_.reset();
}

void AVCaptureSession::addPreviewLayer(const std::shared_ptr<AVCaptureVideoPreviewLayer>& layer) {
  previewLayers_.push_back(layer);
}

void AVCaptureSession::deliver(const std::shared_ptr<const CGImage>& frame) {
  ++deliveredFrames_;
  std::erase_if(previewLayers_, [](const auto& weak) { return weak.expired(); });
  for (const auto& weak : previewLayers_) {
    if (auto layer = weak.lock()) layer->showFrame(frame);
  }
  // Copy: a delegate may change the outputs.
  const auto outputs = outputs_;
  for (const auto& output : outputs) output->captureOutput(frame);
}

}  // namespace ios
