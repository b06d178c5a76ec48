#pragma once

#include <UIKit/UIImage.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace ios {

// The completion of a save, `image:didFinishSavingWithError:contextInfo:`: the image as passed and
// nullopt, or an error text.
using UIImageSaveCompletion =
    std::function<void(const std::shared_ptr<UIImage>& image, const std::optional<std::string>& error)>;

// `UIImageWriteToSavedPhotosAlbum(image, target, selector, nil)`: saves a PNG of the image as a new
// file of the photo library (PHPhotoLibrary::libraryDirectory(), created if missing) named
// "IMG_0001.png", "IMG_0002.png", ... (the first free number; an existing file is never replaced;
// the file appears whole or not at all).
//
// Asynchronous: the first save asks for library access (PHPhotoLibrary's prompt); the file is
// written on the global queue; `completion` runs on the main queue, on a later turn. It gets an
// error when access is refused or restricted, when there is no picture to save, or when the file
// cannot be written (the folder cannot be made or is not writable). A null completion is allowed.
void UIImageWriteToSavedPhotosAlbum(const std::shared_ptr<UIImage>& image, UIImageSaveCompletion completion);

}  // namespace ios
