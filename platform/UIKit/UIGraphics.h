#pragma once

#include <CoreGraphics/CGContext.h>
#include <CoreGraphics/CGGeometry.h>

#include <memory>

namespace ios {

class UIImage;

// The image-context stack, one per thread, as UIKit keeps it: `UIGraphicsBeginImageContextWithOptions`
// pushes a bitmap context that becomes current, `UIGraphicsEndImageContext` pops it. A scale of 0
// means the main screen's scale.
void UIGraphicsBeginImageContextWithOptions(CGSize size, bool opaque, CGFloat scale);
void UIGraphicsBeginImageContext(CGSize size);
// The current context, or null when the stack is empty (or the top context could not be made, as
// for an empty size).
CGContext* UIGraphicsGetCurrentContext();
void UIGraphicsEndImageContext();
// A copy of the current context's pixels as an image at the context's scale; null when there is no
// current context or it is not a bitmap.
std::shared_ptr<UIImage> UIGraphicsGetImageFromCurrentImageContext();
// Pushes an existing context (a renderer's) for the duration of a drawing call.
void UIGraphicsPushContext(CGContext* context);
void UIGraphicsPopContext();

}  // namespace ios
