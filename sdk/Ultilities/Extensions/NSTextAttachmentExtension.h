#pragma once

// Sizing of an inline image in attributed text. The free function stands for the attachment member
// of the same name.

#include <CoreGraphics/CGGeometry.h>
#include <CoreText/NSTextAttachment.h>

namespace kerbelin {

// Keeps the bounds' origin and gives them the height `height` and the width that keeps the image's
// aspect ratio. Does nothing without an image, or with an image of zero height.
void setImageHeight(ios::NSTextAttachment& attachment, ios::CGFloat height);

}  // namespace kerbelin
