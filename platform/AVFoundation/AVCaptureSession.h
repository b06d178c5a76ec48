#pragma once

#include <AVFoundation/AVCaptureDeviceInput.h>
#include <AVFoundation/AVCaptureInput.h>
#include <AVFoundation/AVCaptureOutput.h>
#include <Foundation/NSObject.h>

#include <functional>
#include <memory>
#include <vector>

namespace ios {

class AVCaptureVideoPreviewLayer;

// Joins a camera input to outputs and preview layers.
//
// While running, every frame of the input's camera reaches each output and preview layer on the
// main thread (a real camera's frames are posted there from its capture thread; a file camera's are
// paced by the run loop's clock). One camera input per session.
class AVCaptureSession : public NSObject {
 public:
  static std::shared_ptr<AVCaptureSession> create();
  ~AVCaptureSession() override;

  const std::vector<std::shared_ptr<AVCaptureInput>>& inputs() const { return inputs_; }
  const std::vector<std::shared_ptr<AVCaptureOutput>>& outputs() const { return outputs_; }

  // False for a null input, one already added, or a second camera input.
  bool canAddInput(const std::shared_ptr<AVCaptureInput>& input) const;
  // Adding what canAddInput refuses is a programmer error (the platform raises) and stops the program.
  void addInput(const std::shared_ptr<AVCaptureInput>& input);
  // False for a null output, one already in this or another session.
  bool canAddOutput(const std::shared_ptr<AVCaptureOutput>& output) const;
  void addOutput(const std::shared_ptr<AVCaptureOutput>& output);

  // Starts the camera. Without an input, or when the camera fails to start, the session stays
  // stopped and the reason is logged (the platform posts a runtime error instead).
  void startRunning();
  void stopRunning();
  bool isRunning() const { return running_; }

  bool hasVideoInput() const;
  // Frames delivered since the session was made.
  int deliveredFrameCount() const { return deliveredFrames_; }

 private:
  friend class AVCaptureVideoPreviewLayer;
  void addPreviewLayer(const std::shared_ptr<AVCaptureVideoPreviewLayer>& layer);
  void deliver(const std::shared_ptr<const CGImage>& frame);
  std::shared_ptr<AVCaptureDevice> device() const;

  std::vector<std::shared_ptr<AVCaptureInput>> inputs_;
  std::vector<std::shared_ptr<AVCaptureOutput>> outputs_;
  std::vector<std::weak_ptr<AVCaptureVideoPreviewLayer>> previewLayers_;
  std::shared_ptr<AVCaptureDevice> runningDevice_;
  bool running_ = false;
  int deliveredFrames_ = 0;
};

}  // namespace ios
