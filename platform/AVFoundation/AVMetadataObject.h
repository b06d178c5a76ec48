#pragma once

#include <CoreGraphics/CGGeometry.h>
#include <Foundation/NSObject.h>

#include <string>

namespace ios {

// `AVMetadataObject.ObjectType`: the platform's type identifiers.
using AVMetadataObjectType = std::string;
inline const AVMetadataObjectType AVMetadataObjectTypeUPCECode = "org.gs1.UPC-E";
inline const AVMetadataObjectType AVMetadataObjectTypeCode39Code = "org.iso.Code39";
inline const AVMetadataObjectType AVMetadataObjectTypeCode39Mod43Code = "org.iso.Code39Mod43";
inline const AVMetadataObjectType AVMetadataObjectTypeCode93Code = "com.intermec.Code93";
inline const AVMetadataObjectType AVMetadataObjectTypeCode128Code = "org.iso.Code128";
inline const AVMetadataObjectType AVMetadataObjectTypeEAN8Code = "org.gs1.EAN-8";
inline const AVMetadataObjectType AVMetadataObjectTypeEAN13Code = "org.gs1.EAN-13";
inline const AVMetadataObjectType AVMetadataObjectTypeAztecCode = "org.iso.Aztec";
inline const AVMetadataObjectType AVMetadataObjectTypePDF417Code = "org.iso.PDF417";
inline const AVMetadataObjectType AVMetadataObjectTypeITF14Code = "org.gs1.ITF14";
inline const AVMetadataObjectType AVMetadataObjectTypeDataMatrixCode = "org.iso.DataMatrix";
inline const AVMetadataObjectType AVMetadataObjectTypeInterleaved2of5Code = "org.ansi.Interleaved2of5";
inline const AVMetadataObjectType AVMetadataObjectTypeQRCode = "org.iso.QRCode";

// Something a metadata output found in a frame. `bounds` is in the frame's unit square (0...1 on
// both axes, origin top-left), as the platform reports metadata before a preview layer converts it.
class AVMetadataObject : public NSObject {
 public:
  AVMetadataObject(AVMetadataObjectType type, CGRect bounds) : type(std::move(type)), bounds(bounds) {}

  const AVMetadataObjectType type;
  const CGRect bounds;
};

}  // namespace ios
