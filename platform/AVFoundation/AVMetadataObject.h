#pragma once

#include <CoreGraphics/CGGeometry.h>
#include <Foundation/NSObject.h>

#include <string>

namespace ios {

// `AVMetadataObject.ObjectType`: the platform's type identifiers.
using AVMetadataObjectType = std::string;
inline constexpr char AVMetadataObjectTypeUPCECode[] = "org.gs1.UPC-E";
inline constexpr char AVMetadataObjectTypeCode39Code[] = "org.iso.Code39";
inline constexpr char AVMetadataObjectTypeCode39Mod43Code[] = "org.iso.Code39Mod43";
inline constexpr char AVMetadataObjectTypeCode93Code[] = "com.intermec.Code93";
inline constexpr char AVMetadataObjectTypeCode128Code[] = "org.iso.Code128";
inline constexpr char AVMetadataObjectTypeEAN8Code[] = "org.gs1.EAN-8";
inline constexpr char AVMetadataObjectTypeEAN13Code[] = "org.gs1.EAN-13";
inline constexpr char AVMetadataObjectTypeAztecCode[] = "org.iso.Aztec";
inline constexpr char AVMetadataObjectTypePDF417Code[] = "org.iso.PDF417";
inline constexpr char AVMetadataObjectTypeITF14Code[] = "org.gs1.ITF14";
inline constexpr char AVMetadataObjectTypeDataMatrixCode[] = "org.iso.DataMatrix";
inline constexpr char AVMetadataObjectTypeInterleaved2of5Code[] = "org.ansi.Interleaved2of5";
inline constexpr char AVMetadataObjectTypeQRCode[] = "org.iso.QRCode";

// Something a metadata output found in a frame. `bounds` is in the frame's unit square (0...1 on
// both axes, origin top-left), as the platform reports metadata before a preview layer converts it.
class AVMetadataObject : public NSObject {
 public:
  AVMetadataObject(AVMetadataObjectType type, CGRect bounds) : type(std::move(type)), bounds(bounds) {}

  const AVMetadataObjectType type;
  const CGRect bounds;
};

}  // namespace ios
