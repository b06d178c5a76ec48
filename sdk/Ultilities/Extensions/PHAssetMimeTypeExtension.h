#pragma once

// The MIME type of a photo-library asset. The free function stands for the asset's property
// `utiMimeType`.

#include <Photos/PHAsset.h>

#include <memory>
#include <string>

namespace kerbelin {

// The MIME type of the uniform type identifier of the asset's first resource; "video/mpsd" for a null
// asset, an asset without resources, or a type identifier without a known MIME type.
std::string utiMimeType(const std::shared_ptr<ios::PHAsset>& asset);

}  // namespace kerbelin
