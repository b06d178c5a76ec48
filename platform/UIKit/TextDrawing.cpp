#include <UIKit/TextDrawing.h>

#include <CoreGraphics/CGContextCairo.h>
#include <CoreText/TextRendering.h>
#include <UIKit/UIImage.h>

namespace ios {

void drawTextWithAttachments(const TextLayout& layout, CGContext& context, CGPoint origin) {
  drawTextLayout(layout, cairoContext(context), origin,
                 [&context](cairo_t*, const NSTextAttachment& attachment, CGRect box) {
                   auto image = std::dynamic_pointer_cast<const UIImage>(attachment.image);
                   if (image && image->cgImage()) context.draw(*image->cgImage(), box);
                 });
}

}  // namespace ios
