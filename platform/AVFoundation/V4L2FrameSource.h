#pragma once

#include <AVFoundation/AVCaptureFrameSource.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace ios {

// A V4L2 camera (/dev/videoN) streaming YUYV frames through memory-mapped buffers. A worker thread
// waits for frames, converts them and posts them to the main queue. Cameras that offer only
// compressed formats are refused at open. The torch is the V4L2 flash LED in torch mode, when the
// device exposes that control.
class V4L2FrameSource : public AVCaptureFrameSource {
 public:
  explicit V4L2FrameSource(std::string devicePath);
  ~V4L2FrameSource() override;

  // The capture devices that answer a capabilities query, /dev/video0 upwards.
  static std::vector<std::string> findCaptureDevices();

  const std::string& devicePath() const { return path_; }
  bool open(std::string& error) override;
  bool start(FrameHandler handler, std::string& error) override;
  void stop() override;
  bool hasTorch() const override;
  bool setTorch(bool on, float level, std::string& error) override;

 private:
  struct Buffer {
    void* start = nullptr;
    std::size_t length = 0;
  };
  bool configure(std::string& error);
  void release();
  void captureLoop();

  std::string path_;
  int fd_ = -1;
  int width_ = 0;
  int height_ = 0;
  int bytesPerLine_ = 0;
  std::vector<Buffer> buffers_;
  std::thread worker_;
  std::atomic<bool> streaming_{false};
  std::shared_ptr<FrameHandler> handler_;
  std::mutex mutex_;
};

}  // namespace ios
