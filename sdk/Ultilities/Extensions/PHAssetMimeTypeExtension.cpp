#include <Ultilities/Extensions/PHAssetMimeTypeExtension.h>

#include <Photos/MobileCoreServices.h>
#include <Photos/PHAssetResource.h>

namespace kerbelin {

std::string utiMimeType(const std::shared_ptr<ios::PHAsset>& asset) {
  const auto resources = ios::PHAssetResource::assetResources(asset);
  if (resources.empty()) return "video/mpsd";
  auto mime = ios::UTTypeCopyPreferredTagWithClass(resources.front()->uniformTypeIdentifier,
                                                   ios::kUTTagClassMIMEType);
  return mime.value_or("video/mpsd");
}

}  // namespace kerbelin
