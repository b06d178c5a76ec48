#include <Photos/PHAsset.h>
#include <Photos/PHAssetResource.h>

namespace ios {

std::shared_ptr<PHAssetResource> PHAssetResource::create(PHAssetResourceType type,
                                                         std::string uniformTypeIdentifier,
                                                         std::string originalFilename) {
  return std::make_shared<PHAssetResource>(type, std::move(uniformTypeIdentifier),
                                           std::move(originalFilename));
}

std::vector<std::shared_ptr<PHAssetResource>> PHAssetResource::assetResources(
    const std::shared_ptr<PHAsset>& asset) {
  return asset ? asset->resources_ : std::vector<std::shared_ptr<PHAssetResource>>{};
}

}  // namespace ios
