#pragma once

// How UIKit's views draw laid-out text. Not part of the public drawing interface; only platform code
// includes this header.

#include <CoreGraphics/CGContext.h>
#include <CoreText/TextLayout.h>

namespace ios {

// Draws `layout` into `context` with its top-left corner at `origin`. An attachment holding a
// UIImage shows it scaled into the box its bounds give it: the bounds' width along the line, its
// bottom the bounds' origin y above the baseline (below it when negative). Other attachments leave
// their box empty.
void drawTextWithAttachments(const TextLayout& layout, CGContext& context, CGPoint origin);

}  // namespace ios
