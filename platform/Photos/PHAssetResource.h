#pragma once

#include <Foundation/NSObject.h>

#include <memory>
#include <string>
#include <vector>

namespace ios {

class PHAsset;

enum class PHAssetResourceType { photo, video, audio, alternatePhoto, fullSizePhoto };

// One file behind an asset.
class PHAssetResource : public NSObject {
 public:
  static std::shared_ptr<PHAssetResource> create(PHAssetResourceType type, std::string uniformTypeIdentifier,
                                                 std::string originalFilename);
  // `PHAssetResource.assetResources(for:)`: the asset's resources in order; empty for a null asset.
  static std::vector<std::shared_ptr<PHAssetResource>> assetResources(const std::shared_ptr<PHAsset>& asset);

  PHAssetResource(PHAssetResourceType type, std::string uniformTypeIdentifier, std::string originalFilename)
      : type(type),
        uniformTypeIdentifier(std::move(uniformTypeIdentifier)),
        originalFilename(std::move(originalFilename)) {}

  const PHAssetResourceType type;
  const std::string uniformTypeIdentifier;
  const std::string originalFilename;
};

}  // namespace ios
