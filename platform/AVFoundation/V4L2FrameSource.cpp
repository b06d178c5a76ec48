#include <AVFoundation/V4L2FrameSource.h>
#include <Foundation/DispatchQueue.h>

#include <fcntl.h>
#include <linux/videodev2.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace ios {
namespace {

int xioctl(int fd, unsigned long request, void* argument) {
  int result;
  do result = ioctl(fd, request, argument);
  while (result == -1 && errno == EINTR);
  return result;
}

std::uint8_t clampByte(int value) {
  return static_cast<std::uint8_t>(std::clamp(value, 0, 255));
}

// BT.601 studio-swing YUYV (two pixels share U and V) to opaque ARGB words.
std::shared_ptr<CGImage> convertYUYV(const std::uint8_t* data, int width, int height, int bytesPerLine) {
  auto image = CGImage::create(width, height);
  if (!image) return nullptr;
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* row = data + static_cast<std::size_t>(y) * bytesPerLine;
    std::uint32_t* out = image->mutablePixels() + static_cast<std::size_t>(y) * width;
    for (int x = 0; x + 1 < width; x += 2) {
      const int u = row[x * 2 + 1] - 128, v = row[x * 2 + 3] - 128;
      for (int k = 0; k < 2; ++k) {
        const int c = 298 * (row[x * 2 + k * 2] - 16);
        const std::uint32_t r = clampByte((c + 409 * v + 128) >> 8);
        const std::uint32_t g = clampByte((c - 100 * u - 208 * v + 128) >> 8);
        const std::uint32_t b = clampByte((c + 516 * u + 128) >> 8);
        out[x + k] = 0xff000000u | r << 16 | g << 8 | b;
      }
    }
  }
  return image;
}

bool isCaptureDevice(int fd) {
  v4l2_capability capability{};
  if (xioctl(fd, VIDIOC_QUERYCAP, &capability) == -1) return false;
  const std::uint32_t caps =
      (capability.capabilities & V4L2_CAP_DEVICE_CAPS) ? capability.device_caps : capability.capabilities;
  return (caps & V4L2_CAP_VIDEO_CAPTURE) && (caps & V4L2_CAP_STREAMING);
}

}  // namespace

V4L2FrameSource::V4L2FrameSource(std::string devicePath) : path_(std::move(devicePath)) {}

V4L2FrameSource::~V4L2FrameSource() {
  stop();
  release();
}

std::vector<std::string> V4L2FrameSource::findCaptureDevices() {
  std::vector<std::string> found;
  for (int n = 0; n < 64; ++n) {
    const std::string path = "/dev/video" + std::to_string(n);
    if (access(path.c_str(), F_OK) != 0) continue;
    const int fd = ::open(path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) continue;
    if (isCaptureDevice(fd)) found.push_back(path);
    ::close(fd);
  }
  return found;
}

bool V4L2FrameSource::open(std::string& error) {
  std::lock_guard lock(mutex_);
  if (fd_ >= 0) return true;
  fd_ = ::open(path_.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
  if (fd_ < 0 || !isCaptureDevice(fd_)) {
    error = "Cannot Open: " + path_ + " is not a camera that can stream (" + std::strerror(errno) + ").";
    release();
    return false;
  }
  return true;
}

bool V4L2FrameSource::configure(std::string& error) {
  v4l2_format format{};
  format.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
  format.fmt.pix.width = 640;
  format.fmt.pix.height = 480;
  format.fmt.pix.pixelformat = V4L2_PIX_FMT_YUYV;
  format.fmt.pix.field = V4L2_FIELD_NONE;
  if (xioctl(fd_, VIDIOC_S_FMT, &format) == -1 || format.fmt.pix.pixelformat != V4L2_PIX_FMT_YUYV) {
    error = "Cannot Record: " + path_ + " does not offer uncompressed YUYV frames.";
    return false;
  }
  width_ = static_cast<int>(format.fmt.pix.width);
  height_ = static_cast<int>(format.fmt.pix.height);
  bytesPerLine_ = std::max(static_cast<int>(format.fmt.pix.bytesperline), width_ * 2);
  v4l2_requestbuffers request{};
  request.count = 4;
  request.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
  request.memory = V4L2_MEMORY_MMAP;
  if (xioctl(fd_, VIDIOC_REQBUFS, &request) == -1 || request.count < 2) {
    error = "Cannot Record: " + path_ + " gives no capture buffers.";
    return false;
  }
  for (std::uint32_t i = 0; i < request.count; ++i) {
    v4l2_buffer buffer{};
    buffer.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    buffer.memory = V4L2_MEMORY_MMAP;
    buffer.index = i;
    if (xioctl(fd_, VIDIOC_QUERYBUF, &buffer) == -1)
      return error = "Cannot Record: buffer query failed.", false;
    void* start = mmap(nullptr, buffer.length, PROT_READ | PROT_WRITE, MAP_SHARED, fd_, buffer.m.offset);
    if (start == MAP_FAILED) return error = "Cannot Record: buffer mapping failed.", false;
    buffers_.push_back({start, buffer.length});
    if (xioctl(fd_, VIDIOC_QBUF, &buffer) == -1)
      return error = "Cannot Record: buffer queueing failed.", false;
  }
  v4l2_buf_type type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
  if (xioctl(fd_, VIDIOC_STREAMON, &type) == -1) return error = "Cannot Record: streaming refused.", false;
  return true;
}

bool V4L2FrameSource::start(FrameHandler handler, std::string& error) {
  if (!open(error)) return false;
  std::lock_guard lock(mutex_);
  handler_ = std::make_shared<FrameHandler>(std::move(handler));
  if (streaming_) return true;
  if (!configure(error)) {
    for (const Buffer& buffer : buffers_) munmap(buffer.start, buffer.length);
    buffers_.clear();
    return false;
  }
  streaming_ = true;
  worker_ = std::thread([this] { captureLoop(); });
  return true;
}

void V4L2FrameSource::captureLoop() {
  while (streaming_) {
    pollfd descriptor{fd_, POLLIN, 0};
    if (poll(&descriptor, 1, 100) <= 0) continue;
    v4l2_buffer buffer{};
    buffer.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    buffer.memory = V4L2_MEMORY_MMAP;
    if (xioctl(fd_, VIDIOC_DQBUF, &buffer) == -1) continue;
    auto frame = convertYUYV(static_cast<const std::uint8_t*>(buffers_[buffer.index].start), width_, height_,
                             bytesPerLine_);
    xioctl(fd_, VIDIOC_QBUF, &buffer);
    std::shared_ptr<FrameHandler> handler;
    {
      std::lock_guard lock(mutex_);
      handler = handler_;
    }
    if (!frame || !handler) continue;
    // The handler is dropped by stop(); a frame already posted then finds it empty.
    std::weak_ptr<FrameHandler> weak = handler;
    DispatchQueue::main().async([weak, frame = std::shared_ptr<const CGImage>(std::move(frame))] {
      if (auto alive = weak.lock(); alive && *alive) (*alive)(frame);
    });
  }
}

void V4L2FrameSource::stop() {
  {
    std::lock_guard lock(mutex_);
    handler_.reset();
  }
  if (!streaming_.exchange(false)) return;
  if (worker_.joinable()) worker_.join();
  std::lock_guard lock(mutex_);
  v4l2_buf_type type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
  xioctl(fd_, VIDIOC_STREAMOFF, &type);
  for (const Buffer& buffer : buffers_) munmap(buffer.start, buffer.length);
  buffers_.clear();
  v4l2_requestbuffers request{};
  request.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
  request.memory = V4L2_MEMORY_MMAP;
  xioctl(fd_, VIDIOC_REQBUFS, &request);
}

void V4L2FrameSource::release() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

bool V4L2FrameSource::hasTorch() const {
  const int fd = fd_ >= 0 ? fd_ : ::open(path_.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  v4l2_queryctrl query{};
  query.id = V4L2_CID_FLASH_LED_MODE;
  const bool has = xioctl(fd, VIDIOC_QUERYCTRL, &query) == 0 && !(query.flags & V4L2_CTRL_FLAG_DISABLED);
  if (fd != fd_) ::close(fd);
  return has;
}

bool V4L2FrameSource::setTorch(bool on, float level, std::string& error) {
  if (!open(error)) return false;
  v4l2_control mode{V4L2_CID_FLASH_LED_MODE, on ? V4L2_FLASH_LED_MODE_TORCH : V4L2_FLASH_LED_MODE_NONE};
  if (xioctl(fd_, VIDIOC_S_CTRL, &mode) == -1) {
    error = std::string("Cannot switch the torch: ") + std::strerror(errno);
    return false;
  }
  v4l2_queryctrl query{};
  query.id = V4L2_CID_FLASH_TORCH_INTENSITY;
  if (on && xioctl(fd_, VIDIOC_QUERYCTRL, &query) == 0) {
    v4l2_control intensity{
        V4L2_CID_FLASH_TORCH_INTENSITY,
        query.minimum + static_cast<int>(std::clamp(level, 0.0f, 1.0f) * (query.maximum - query.minimum))};
    xioctl(fd_, VIDIOC_S_CTRL, &intensity);
  }
  return true;
}

}  // namespace ios
