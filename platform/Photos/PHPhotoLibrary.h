#pragma once

#include <Foundation/NSObject.h>

#include <functional>
#include <string>

namespace ios {

enum class PHAuthorizationStatus { notDetermined, restricted, denied, authorized, limited };

// The photo library: a folder of pictures on this system. By default $XDG_PICTURES_DIR/KerbelinSDK,
// or ~/Pictures/KerbelinSDK (both read through ProcessInfo); a host or test may set another folder.
// It is created when the first picture is saved.
//
// Access is a process-wide answer, asked once through a replaceable prompt like the camera's. The
// default prompt grants access only when the environment has KERBELIN_PHOTOS_ACCESS=granted.
class PHPhotoLibrary : public NSObject {
 public:
  // The prompt: calls `answer(granted)` exactly once, from any thread, now or later.
  using AuthorizationPrompt = std::function<void(std::function<void(bool granted)> answer)>;

  static PHAuthorizationStatus authorizationStatus();
  // `requestAuthorization(_:)`: not determined asks the prompt and stores its answer; otherwise the
  // stored status stands. `handler(status)` runs on the main queue, on a later turn.
  static void requestAuthorization(std::function<void(PHAuthorizationStatus)> handler);
  static void setAuthorizationStatus(PHAuthorizationStatus status);
  // A null prompt restores the default.
  static void setAuthorizationPrompt(AuthorizationPrompt prompt);

  static std::string libraryDirectory();
  // An empty path restores the default.
  static void setLibraryDirectory(std::string path);
};

}  // namespace ios
