#pragma once

#include <AVFoundation/AVCaptureFrameSource.h>
#include <Foundation/RunLoop.h>

#include <cstddef>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace ios {

// A camera that plays image files. The main run loop's clock paces it: one frame every 1/fps
// seconds after start, the files in order and then from the first again, so a test on the virtual
// clock sees exactly the frames it advances over. Directories in the list stand for the PNG, JPEG
// and GIF files inside them, sorted by name.
class FileFrameSource : public AVCaptureFrameSource {
 public:
  // `withTorch` simulates a torch light that only records its state (for hosts and tests that need
  // the torch paths); a plain file camera has none.
  FileFrameSource(std::vector<std::string> paths, double framesPerSecond, bool withTorch = false);
  ~FileFrameSource() override;

  bool open(std::string& error) override;
  bool start(FrameHandler handler, std::string& error) override;
  void stop() override;
  bool hasTorch() const override { return withTorch_; }
  bool setTorch(bool on, float level, std::string& error) override;
  bool isTorchLit() const { return torchLit_; }

  double framesPerSecond() const { return framesPerSecond_; }

 private:
  void scheduleNext();

  std::vector<std::string> paths_;
  double framesPerSecond_;
  bool withTorch_;
  bool torchLit_ = false;
  std::vector<std::shared_ptr<const CGImage>> frames_;
  FrameHandler handler_;
  std::size_t next_ = 0;
  RunLoop::TaskId task_ = 0;
  bool running_ = false;
  // Lets a scheduled block find out that its source is gone.
  std::shared_ptr<FileFrameSource*> self_ = std::make_shared<FileFrameSource*>(this);
};

}  // namespace ios
