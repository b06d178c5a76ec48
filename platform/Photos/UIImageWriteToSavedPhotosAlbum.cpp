#include <Foundation/DispatchQueue.h>
#include <Photos/PHPhotoLibrary.h>
#include <Photos/UIImageWriteToSavedPhotosAlbum.h>

#include <cstdio>
#include <filesystem>
#include <mutex>

namespace ios {
namespace {

// Saves in one process never race for the same name.
std::mutex& nameMutex() {
  static std::mutex mutex;
  return mutex;
}

std::optional<std::string> writeToLibrary(const Data& png) {
  const std::filesystem::path folder = PHPhotoLibrary::libraryDirectory();
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error || !std::filesystem::is_directory(folder, error)) {
    return "Could not save the photo: the library folder " + folder.string() + " cannot be created.";
  }
  std::lock_guard lock(nameMutex());
  for (int number = 1; number < 1000000; ++number) {
    char name[32];
    std::snprintf(name, sizeof name, "IMG_%04d.png", number);
    const std::filesystem::path file = folder / name;
    if (std::filesystem::exists(file, error)) continue;
    if (!png.write(file.string())) return "Could not save the photo: " + file.string() + " is not writable.";
    return std::nullopt;
  }
  return "Could not save the photo: the library is full.";
}

void finish(const std::shared_ptr<UIImage>& image, const UIImageSaveCompletion& completion,
            std::optional<std::string> error) {
  DispatchQueue::main().async([image, completion, error = std::move(error)] {
    if (completion) completion(image, error);
  });
}

}  // namespace

void UIImageWriteToSavedPhotosAlbum(const std::shared_ptr<UIImage>& image, UIImageSaveCompletion completion) {
  PHPhotoLibrary::requestAuthorization([image, completion](PHAuthorizationStatus status) {
    if (status != PHAuthorizationStatus::authorized && status != PHAuthorizationStatus::limited) {
      finish(image, completion, "The user has not allowed access to the photo library.");
      return;
    }
    std::optional<Data> png = image ? image->pngData() : std::nullopt;
    if (!png) {
      finish(image, completion, "The image has no picture to save.");
      return;
    }
    DispatchQueue::global().async(
        [image, completion, png = std::move(*png)] { finish(image, completion, writeToLibrary(png)); });
  });
}

}  // namespace ios
