#include <Foundation/AccessPrompt.h>
#include <Foundation/ProcessInfo.h>
#include <Photos/PHPhotoLibrary.h>

#include <mutex>

namespace ios {
namespace {

struct LibrarySettings {
  std::mutex mutex;
  PHAuthorizationStatus status = PHAuthorizationStatus::notDetermined;
  PHPhotoLibrary::AuthorizationPrompt prompt;
  std::string directory;
};

LibrarySettings& settings() {
  static LibrarySettings instance;
  return instance;
}

// The host's prompt; none when the environment answers.
PHPhotoLibrary::AuthorizationPrompt prompt() {
  auto& s = settings();
  std::lock_guard lock(s.mutex);
  return s.prompt;
}

}  // namespace

PHAuthorizationStatus PHPhotoLibrary::authorizationStatus() {
  auto& s = settings();
  std::lock_guard lock(s.mutex);
  return s.status;
}

void PHPhotoLibrary::setAuthorizationStatus(PHAuthorizationStatus status) {
  auto& s = settings();
  std::lock_guard lock(s.mutex);
  s.status = status;
}

void PHPhotoLibrary::setAuthorizationPrompt(AuthorizationPrompt prompt) {
  auto& s = settings();
  std::lock_guard lock(s.mutex);
  s.prompt = std::move(prompt);
}

void PHPhotoLibrary::requestAuthorization(std::function<void(PHAuthorizationStatus)> handler) {
  const auto reply = replyLaterOnMain(std::move(handler));
  const PHAuthorizationStatus status = authorizationStatus();
  if (status != PHAuthorizationStatus::notDetermined) return reply(status);
  askForAccess(prompt(), "KERBELIN_PHOTOS_ACCESS", [reply](bool granted) {
    const auto answer = granted ? PHAuthorizationStatus::authorized : PHAuthorizationStatus::denied;
    setAuthorizationStatus(answer);
    reply(answer);
  });
}

std::string PHPhotoLibrary::libraryDirectory() {
  {
    auto& s = settings();
    std::lock_guard lock(s.mutex);
    if (!s.directory.empty()) return s.directory;
  }
  auto& info = ProcessInfo::processInfo();
  if (auto pictures = info.environmentValue("XDG_PICTURES_DIR"); pictures && !pictures->empty()) {
    return *pictures + "/KerbelinSDK";
  }
  return info.environmentValue("HOME").value_or("/tmp") + "/Pictures/KerbelinSDK";
}

void PHPhotoLibrary::setLibraryDirectory(std::string path) {
  auto& s = settings();
  std::lock_guard lock(s.mutex);
  s.directory = std::move(path);
}

}  // namespace ios
