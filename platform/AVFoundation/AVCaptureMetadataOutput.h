#pragma once

#include <AVFoundation/AVCaptureOutput.h>
#include <AVFoundation/AVMetadataMachineReadableCodeObject.h>
#include <AVFoundation/AVMetadataObject.h>

#include <memory>
#include <vector>

namespace ios {

class AVCaptureMetadataOutput;
class DispatchQueue;

// `AVCaptureMetadataOutputObjectsDelegate`.
class AVCaptureMetadataOutputObjectsDelegate {
 public:
  virtual ~AVCaptureMetadataOutputObjectsDelegate() = default;
  // `metadataOutput(_:didOutput:from:)`: the codes of one frame, never an empty list.
  virtual void metadataOutput(const std::shared_ptr<AVCaptureMetadataOutput>& /*output*/,
                              const std::vector<std::shared_ptr<AVMetadataObject>>& /*metadataObjects*/,
                              const std::shared_ptr<AVCaptureConnection>& /*connection*/) {}
};

// Reads machine-readable codes from a session's frames.
//
// Each frame is searched on the global queue while the previous search is not still running (a
// frame that arrives meanwhile is skipped, as a camera drops late frames); the codes found of the
// asked types go to the delegate on its queue, once per frame in which any were seen. The whole
// frame is searched.
class AVCaptureMetadataOutput : public AVCaptureOutput {
 public:
  static std::shared_ptr<AVCaptureMetadataOutput> create();

  // The delegate is held weakly. A null queue means the main queue.
  void setMetadataObjectsDelegate(std::weak_ptr<AVCaptureMetadataOutputObjectsDelegate> delegate,
                                  DispatchQueue* queue);
  std::shared_ptr<AVCaptureMetadataOutputObjectsDelegate> metadataObjectsDelegate() const {
    return delegate_.lock();
  }

  // Every code type, once the output is in a session that has a video input; empty before.
  std::vector<AVMetadataObjectType> availableMetadataObjectTypes() const;
  const std::vector<AVMetadataObjectType>& metadataObjectTypes() const { return types_; }
  // Asking for a type that is not available is a programmer error and stops the program, as the
  // platform's exception would.
  void setMetadataObjectTypes(std::vector<AVMetadataObjectType> types);

 protected:
  void captureOutput(const std::shared_ptr<const CGImage>& frame) override;

 private:
  std::weak_ptr<AVCaptureMetadataOutputObjectsDelegate> delegate_;
  DispatchQueue* queue_ = nullptr;
  std::vector<AVMetadataObjectType> types_;
  bool searching_ = false;
};

}  // namespace ios
