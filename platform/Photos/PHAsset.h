#pragma once

#include <Foundation/NSObject.h>
#include <Photos/PHAssetResource.h>

#include <memory>
#include <string>
#include <vector>

namespace ios {

enum class PHAssetMediaType { unknown, image, video, audio };

// A picture or video of the library.
class PHAsset : public NSObject {
 public:
  static std::shared_ptr<PHAsset> create(std::string localIdentifier, PHAssetMediaType mediaType,
                                         std::vector<std::shared_ptr<PHAssetResource>> resources);
  // An asset for one file: its type identifier from the extension ("public.data" when unknown).
  static std::shared_ptr<PHAsset> fromFile(const std::string& path);
  // Every file of the library folder, ordered by name (saved pictures sort by save order).
  static std::vector<std::shared_ptr<PHAsset>> fetchAssets();

  const std::string& localIdentifier() const { return localIdentifier_; }
  PHAssetMediaType mediaType() const { return mediaType_; }
  // The file behind a library asset; empty for an asset made in memory.
  const std::string& path() const { return path_; }

  PHAsset(std::string localIdentifier, PHAssetMediaType mediaType,
          std::vector<std::shared_ptr<PHAssetResource>> resources, std::string path = {});

 private:
  friend class PHAssetResource;
  std::string localIdentifier_;
  PHAssetMediaType mediaType_;
  std::vector<std::shared_ptr<PHAssetResource>> resources_;
  std::string path_;
};

}  // namespace ios
