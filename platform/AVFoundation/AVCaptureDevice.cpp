#include <AVFoundation/AVCaptureDevice.h>
#include <AVFoundation/FileFrameSource.h>
#include <AVFoundation/V4L2FrameSource.h>
#include <Foundation/AccessPrompt.h>

#include <map>
#include <mutex>

namespace ios {
namespace {

struct CameraRegistry {
  std::mutex mutex;
  std::map<AVMediaType, AVAuthorizationStatus> statuses;
  AVCaptureDevice::AccessPrompt prompt;
  std::shared_ptr<AVCaptureDevice> fileCamera;
  std::map<std::string, std::shared_ptr<AVCaptureDevice>> systemCameras;
  bool systemCamerasEnabled = true;
};

CameraRegistry& registry() {
  static CameraRegistry instance;
  return instance;
}

// The host's prompt for `mediaType`; none when the environment answers.
AccessQuestion prompt(AVMediaType mediaType) {
  auto& r = registry();
  std::lock_guard lock(r.mutex);
  if (!r.prompt) return nullptr;
  return [prompt = r.prompt, mediaType](AccessAnswer answer) { prompt(mediaType, std::move(answer)); };
}

void fail(std::string* error, std::string message) {
  if (error) *error = std::move(message);
}

}  // namespace

AVCaptureDevice::AVCaptureDevice(std::string uniqueID, std::string localizedName,
                                 AVCaptureDevicePosition position,
                                 std::shared_ptr<AVCaptureFrameSource> source)
    : uniqueID_(std::move(uniqueID)),
      localizedName_(std::move(localizedName)),
      position_(position),
      source_(std::move(source)) {}

AVAuthorizationStatus AVCaptureDevice::authorizationStatus(AVMediaType mediaType) {
  auto& r = registry();
  std::lock_guard lock(r.mutex);
  const auto found = r.statuses.find(mediaType);
  return found == r.statuses.end() ? AVAuthorizationStatus::notDetermined : found->second;
}

void AVCaptureDevice::setAuthorizationStatus(AVMediaType mediaType, AVAuthorizationStatus status) {
  auto& r = registry();
  std::lock_guard lock(r.mutex);
  r.statuses[mediaType] = status;
}

void AVCaptureDevice::setAccessPrompt(AccessPrompt prompt) {
  auto& r = registry();
  std::lock_guard lock(r.mutex);
  r.prompt = std::move(prompt);
}

void AVCaptureDevice::requestAccess(AVMediaType mediaType, std::function<void(bool)> completion) {
  const auto reply = replyLaterOnMain(std::move(completion));
  const AVAuthorizationStatus status = authorizationStatus(mediaType);
  if (status != AVAuthorizationStatus::notDetermined)
    return reply(status == AVAuthorizationStatus::authorized);
  askForAccess(prompt(mediaType), "KERBELIN_CAMERA_ACCESS", [mediaType, reply](bool granted) {
    setAuthorizationStatus(mediaType,
                           granted ? AVAuthorizationStatus::authorized : AVAuthorizationStatus::denied);
    reply(granted);
  });
}

std::vector<std::shared_ptr<AVCaptureDevice>> AVCaptureDevice::devices() {
  auto& r = registry();
  {
    std::lock_guard lock(r.mutex);
    if (r.fileCamera) return {r.fileCamera};
    if (!r.systemCamerasEnabled) return {};
  }
  std::vector<std::shared_ptr<AVCaptureDevice>> found;
  const auto paths = V4L2FrameSource::findCaptureDevices();
  std::lock_guard lock(r.mutex);
  for (const std::string& path : paths) {
    auto& camera = r.systemCameras[path];
    if (!camera) {
      const auto position = found.empty() ? AVCaptureDevicePosition::back : AVCaptureDevicePosition::front;
      camera = std::make_shared<AVCaptureDevice>(path, "Camera " + path, position,
                                                 std::make_shared<V4L2FrameSource>(path));
    }
    found.push_back(camera);
  }
  return found;
}

std::shared_ptr<AVCaptureDevice> AVCaptureDevice::defaultDevice(AVMediaType mediaType) {
  if (mediaType != AVMediaType::video) return nullptr;
  auto all = devices();
  return all.empty() ? nullptr : all.front();
}

void AVCaptureDevice::setFileFrameSource(std::vector<std::string> paths, double framesPerSecond,
                                         bool withTorch) {
  auto camera = std::make_shared<AVCaptureDevice>(
      "file-frame-source", "Image File Camera", AVCaptureDevicePosition::back,
      std::make_shared<FileFrameSource>(std::move(paths), framesPerSecond, withTorch));
  auto& r = registry();
  std::lock_guard lock(r.mutex);
  r.fileCamera = std::move(camera);
}

void AVCaptureDevice::clearFileFrameSource() {
  auto& r = registry();
  std::lock_guard lock(r.mutex);
  r.fileCamera.reset();
}

void AVCaptureDevice::setSystemCamerasEnabled(bool enabled) {
  auto& r = registry();
  std::lock_guard lock(r.mutex);
  r.systemCamerasEnabled = enabled;
}

bool AVCaptureDevice::lockForConfiguration(std::string* error) {
  if (locked_) {
    fail(error, "Cannot lock the device: it is already locked for configuration.");
    return false;
  }
  locked_ = true;
  return true;
}

void AVCaptureDevice::unlockForConfiguration() {
  locked_ = false;
}

bool AVCaptureDevice::hasTorch() const {
  return source_ && source_->hasTorch();
}

bool AVCaptureDevice::setTorchModeOn(float level, std::string* error) {
  if (!(level > 0 && level <= 1)) {
    fail(error, "The torch level must be above 0 and at most 1.");
    return false;
  }
  if (!locked_) {
    fail(error, "The device must be locked for configuration to change the torch.");
    return false;
  }
  std::string message;
  if (!hasTorch() || !source_->setTorch(true, level, message)) {
    fail(error, message.empty() ? "The device has no torch." : message);
    return false;
  }
  torchMode_ = AVCaptureTorchMode::on;
  torchLevel_ = level;
  return true;
}

bool AVCaptureDevice::setTorchMode(AVCaptureTorchMode mode, std::string* error) {
  if (mode != AVCaptureTorchMode::off) return setTorchModeOn(1.0f, error);
  if (!locked_) {
    fail(error, "The device must be locked for configuration to change the torch.");
    return false;
  }
  std::string message;
  if (!hasTorch() || !source_->setTorch(false, 0, message)) {
    fail(error, message.empty() ? "The device has no torch." : message);
    return false;
  }
  torchMode_ = AVCaptureTorchMode::off;
  torchLevel_ = 0;
  return true;
}

}  // namespace ios
