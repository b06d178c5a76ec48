#include <Foundation/DispatchQueue.h>
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

void defaultPrompt(std::function<void(bool)> answer) {
  answer(ProcessInfo::processInfo().environmentValue("KERBELIN_PHOTOS_ACCESS") == "granted");
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
  const auto reply = [handler = std::move(handler)](PHAuthorizationStatus status) {
    DispatchQueue::main().async([handler, status] {
      if (handler) handler(status);
    });
  };
  const PHAuthorizationStatus status = authorizationStatus();
  if (status != PHAuthorizationStatus::notDetermined) {
    reply(status);
    return;
  }
  AuthorizationPrompt prompt;
  {
    auto& s = settings();
    std::lock_guard lock(s.mutex);
    prompt = s.prompt ? s.prompt : AuthorizationPrompt(defaultPrompt);
  }
  auto once = std::make_shared<std::once_flag>();
  prompt([reply, once](bool granted) {
    std::call_once(*once, [&] {
      const auto answer = granted ? PHAuthorizationStatus::authorized : PHAuthorizationStatus::denied;
      setAuthorizationStatus(answer);
      reply(answer);
    });
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
