#pragma once

#include <AVFoundation/AVMediaType.h>
#include <Foundation/NSObject.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace ios {

class AVCaptureFrameSource;

enum class AVCaptureDevicePosition { unspecified, back, front };
enum class AVCaptureDeviceType { builtInWideAngleCamera };
enum class AVCaptureTorchMode { off, on, automatic };

// A camera.
//
// Which cameras exist: when a host or test has set a file frame source (`setFileFrameSource`), that
// is the one camera, a back wide-angle camera playing the files; otherwise each V4L2 capture
// device is a camera, the first one "back" (none when `setSystemCamerasEnabled(false)`). The same
// camera is the same object every time it is looked up, so torch state and locks persist.
//
// Authorisation is a process-wide answer per media type. It starts `notDetermined`; asking for
// access then shows the prompt (a replaceable hook) once and stores its answer. The default prompt
// grants access only when the environment (ProcessInfo) has KERBELIN_CAMERA_ACCESS=granted, and
// denies it otherwise: a host with a real prompt installs its own hook.
class AVCaptureDevice : public NSObject {
 public:
  // The prompt: calls `answer(granted)` exactly once, from any thread, now or later.
  using AccessPrompt = std::function<void(AVMediaType, std::function<void(bool granted)> answer)>;

  static AVAuthorizationStatus authorizationStatus(AVMediaType mediaType);
  // `requestAccess(for:completionHandler:)`. Not determined: asks the prompt and stores its answer.
  // Otherwise the stored answer stands (restricted and denied both refuse). `completion(granted)`
  // always runs on the main queue, on a later turn.
  static void requestAccess(AVMediaType mediaType, std::function<void(bool granted)> completion);
  // Host and test settings. A null prompt restores the default.
  static void setAuthorizationStatus(AVMediaType mediaType, AVAuthorizationStatus status);
  static void setAccessPrompt(AccessPrompt prompt);

  // `AVCaptureDevice.default(for:)`: the first camera for video, null for other media or when
  // there is none.
  static std::shared_ptr<AVCaptureDevice> defaultDevice(AVMediaType mediaType);
  // Every camera, the default first.
  static std::vector<std::shared_ptr<AVCaptureDevice>> devices();

  // Makes the camera a player of image files (see FileFrameSource.h): a frame every 1/fps seconds of
  // run-loop time. Replaces any earlier file source; sessions using the old one keep it.
  // `withTorch` gives it a simulated torch (state only); by default a file camera has none.
  static void setFileFrameSource(std::vector<std::string> paths, double framesPerSecond = 10,
                                 bool withTorch = false);
  static void clearFileFrameSource();
  // Whether V4L2 cameras are looked for (true by default); tests turn it off to get "no camera".
  static void setSystemCamerasEnabled(bool enabled);

  const std::string& uniqueID() const { return uniqueID_; }
  const std::string& localizedName() const { return localizedName_; }
  AVCaptureDevicePosition position() const { return position_; }
  AVCaptureDeviceType deviceType() const { return AVCaptureDeviceType::builtInWideAngleCamera; }
  bool hasMediaType(AVMediaType mediaType) const { return mediaType == AVMediaType::video; }

  // Configuration. The torch calls need the lock; without it they fail with a message.
  bool lockForConfiguration(std::string* error = nullptr);
  void unlockForConfiguration();
  bool isLockedForConfiguration() const { return locked_; }
  bool hasTorch() const;
  AVCaptureTorchMode torchMode() const { return torchMode_; }
  float torchLevel() const { return torchLevel_; }
  // `setTorchModeOn(level:)`: level in (0, 1].
  bool setTorchModeOn(float level, std::string* error = nullptr);
  // `torchMode = mode`; `on` means full level. False when locked out or the device has no torch.
  bool setTorchMode(AVCaptureTorchMode mode, std::string* error = nullptr);

  const std::shared_ptr<AVCaptureFrameSource>& frameSource() const { return source_; }

  AVCaptureDevice(std::string uniqueID, std::string localizedName, AVCaptureDevicePosition position,
                  std::shared_ptr<AVCaptureFrameSource> source);

 private:
  std::string uniqueID_;
  std::string localizedName_;
  AVCaptureDevicePosition position_;
  std::shared_ptr<AVCaptureFrameSource> source_;
  bool locked_ = false;
  AVCaptureTorchMode torchMode_ = AVCaptureTorchMode::off;
  float torchLevel_ = 0;
};

}  // namespace ios
