#include <Photos/MobileCoreServices.h>
#include <Photos/PHAsset.h>
#include <Photos/PHPhotoLibrary.h>

#include <algorithm>
#include <filesystem>

namespace ios {

PHAsset::PHAsset(std::string localIdentifier, PHAssetMediaType mediaType,
                 std::vector<std::shared_ptr<PHAssetResource>> resources, std::string path)
    : localIdentifier_(std::move(localIdentifier)),
      mediaType_(mediaType),
      resources_(std::move(resources)),
      path_(std::move(path)) {}

std::shared_ptr<PHAsset> PHAsset::create(std::string localIdentifier, PHAssetMediaType mediaType,
                                         std::vector<std::shared_ptr<PHAssetResource>> resources) {
  return std::make_shared<PHAsset>(std::move(localIdentifier), mediaType, std::move(resources));
}

std::shared_ptr<PHAsset> PHAsset::fromFile(const std::string& path) {
  const std::filesystem::path file(path);
  std::string extension = file.extension().string();
  if (!extension.empty()) extension.erase(0, 1);
  const std::string uti =
      UTTypeCreatePreferredIdentifierForTag(kUTTagClassFilenameExtension, extension).value_or("public.data");
  const std::string mime = UTTypeCopyPreferredTagWithClass(uti, kUTTagClassMIMEType).value_or("");
  PHAssetMediaType mediaType = PHAssetMediaType::unknown;
  PHAssetResourceType resourceType = PHAssetResourceType::photo;
  if (mime.starts_with("image/")) mediaType = PHAssetMediaType::image;
  if (mime.starts_with("video/"))
    mediaType = PHAssetMediaType::video, resourceType = PHAssetResourceType::video;
  if (mime.starts_with("audio/"))
    mediaType = PHAssetMediaType::audio, resourceType = PHAssetResourceType::audio;
  auto resource = PHAssetResource::create(resourceType, uti, file.filename().string());
  return std::make_shared<PHAsset>(file.filename().string(), mediaType,
                                   std::vector<std::shared_ptr<PHAssetResource>>{resource}, path);
}

std::vector<std::shared_ptr<PHAsset>> PHAsset::fetchAssets() {
  std::vector<std::string> files;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(PHPhotoLibrary::libraryDirectory(), error)) {
    const std::string name = entry.path().filename().string();
    if (entry.is_regular_file(error) && !name.starts_with(".")) files.push_back(entry.path().string());
  }
  std::sort(files.begin(), files.end());
  std::vector<std::shared_ptr<PHAsset>> assets;
  for (const std::string& file : files) assets.push_back(fromFile(file));
  return assets;
}

}  // namespace ios
