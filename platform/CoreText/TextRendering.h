#pragma once

#include <CoreText/TextLayout.h>

#include <cairo.h>

#include <functional>

namespace ios {

// Draws a layout into a Cairo context with the layout's top-left corner at `origin` (user-space
// units = points; the context's transform scales to pixels). Draws backgrounds, glyphs in their
// colours (the layout's default colour where a run has none), underlines and strikethroughs (single,
// thick, double) in their colours, only the visible lines. Attachments are handed to
// `drawAttachment` with the rectangle they occupy; without it they are left empty.
using AttachmentPainter = std::function<void(cairo_t*, const NSTextAttachment&, CGRect)>;
void drawTextLayout(const TextLayout& layout, cairo_t* cr, CGPoint origin,
                    const AttachmentPainter& drawAttachment = {});

}  // namespace ios
