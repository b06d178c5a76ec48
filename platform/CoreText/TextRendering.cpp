#include <CoreText/TextRendering.h>

#include "TextLayoutImpl.h"

#include <pango/pangocairo.h>

#include <algorithm>
#include <utility>

namespace ios {

namespace {

constexpr CGFloat kScale = PANGO_SCALE;

void setSource(cairo_t* cr, const CGColor& color) {
  auto c = color.rgba();
  cairo_set_source_rgba(cr, c.red, c.green, c.blue, c.alpha);
}

// One decoration line (or two for the double style) from x0 to x1, its top `top` points above
// the baseline.
void strokeDecoration(cairo_t* cr, CGFloat x0, CGFloat x1, CGFloat baseline, CGFloat top, CGFloat thickness,
                      int style) {
  int pattern = style & 0xFF;
  if (pattern == 0) return;
  CGFloat t = (pattern & 0x2) ? thickness * 2 : thickness;
  CGFloat y = baseline - top;
  cairo_rectangle(cr, x0, y, x1 - x0, t);
  if ((pattern & 0x9) == 0x9) cairo_rectangle(cr, x0, y + 2 * t, x1 - x0, t);
  cairo_fill(cr);
}

void drawDecorations(cairo_t* cr, const detail::Piece& piece, PangoLayoutLine* line, CGFloat originX,
                     CGFloat baseline, const CGColor& defaultColor) {
  auto lineBegin = static_cast<std::size_t>(line->start_index);
  auto lineEnd = lineBegin + static_cast<std::size_t>(line->length);
  for (const auto& d : piece.decorations) {
    std::size_t b = std::max(d.beginByte, lineBegin), e = std::min(d.endByte, lineEnd);
    if (b >= e) continue;
    int* ranges = nullptr;
    int count = 0;
    pango_layout_line_get_x_ranges(line, static_cast<int>(b), static_cast<int>(e), &ranges, &count);
    for (int i = 0; i < count; ++i) {
      CGFloat x0 = originX + ranges[2 * i] / kScale, x1 = originX + ranges[2 * i + 1] / kScale;
      CGColor textColor = d.foregroundColor.value_or(defaultColor);
      if (d.underlineStyle) {
        setSource(cr, d.underlineColor.value_or(textColor));
        strokeDecoration(cr, x0, x1, baseline, d.underlinePosition, d.underlineThickness, d.underlineStyle);
      }
      if (d.strikethroughStyle) {
        setSource(cr, d.strikethroughColor.value_or(textColor));
        strokeDecoration(cr, x0, x1, baseline, d.strikethroughPosition, d.strikethroughThickness,
                         d.strikethroughStyle);
      }
    }
    g_free(ranges);
  }
}

// The rows of user space the clip of `cr` lets through.
std::pair<double, double> clipRows(cairo_t* cr) {
  double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  cairo_clip_extents(cr, &x0, &y0, &x1, &y1);
  return {y0, y1};
}

// Whether a line whose logical box spans `top` to `bottom` can ink any of `rows`: stacked marks and
// descenders reach beyond the box, less than its height again above and below.
bool mayInk(CGFloat top, CGFloat bottom, const std::pair<double, double>& rows) {
  const CGFloat reach = std::max<CGFloat>(bottom - top, 1);
  return bottom + reach >= rows.first && top - reach <= rows.second;
}

}  // namespace

void drawTextLayout(const TextLayout& layout, cairo_t* cr, CGPoint origin,
                    const AttachmentPainter& drawAttachment) {
  if (!cr) return;
  const TextLayout::Impl& impl = layout.impl();
  cairo_save(cr);
  // Text far taller than what is drawn (a window of it) is drawn line by line as it shows.
  const auto rows = clipRows(cr);
  for (const auto& v : impl.visible) {
    const detail::Piece& piece = impl.pieces[v.piece];
    const detail::LineGeometry& g = piece.lines[static_cast<std::size_t>(v.line)];
    const CGFloat top = origin.y + piece.y + g.logical.y / kScale;
    if (piece.attachments.empty() && !mayInk(top, top + g.logical.height / kScale, rows)) continue;
    PangoLayoutLine* line = pango_layout_get_line_readonly(piece.layout.get(), v.line);
    CGFloat baseline = origin.y + piece.y + g.baseline / kScale;
    CGFloat layoutX = origin.x + piece.x;
    setSource(cr, impl.options.defaultColor);
    cairo_move_to(cr, layoutX + g.drawX / kScale, baseline);
    pango_cairo_show_layout_line(cr, line);
    drawDecorations(cr, piece, line, layoutX, baseline, impl.options.defaultColor);

    if (!drawAttachment) continue;
    auto lineBegin = static_cast<std::size_t>(line->start_index);
    auto lineEnd = lineBegin + static_cast<std::size_t>(line->length);
    for (const auto& span : piece.attachments) {
      if (span.byte < lineBegin || span.byte >= lineEnd) continue;
      PangoRectangle pos;
      pango_layout_index_to_pos(piece.layout.get(), static_cast<int>(span.byte), &pos);
      const CGRect& bounds = span.attachment->bounds;
      CGRect box(layoutX + pos.x / kScale, baseline - bounds.origin.y - bounds.size.height, bounds.size.width,
                 bounds.size.height);
      cairo_save(cr);
      drawAttachment(cr, *span.attachment, box);
      cairo_restore(cr);
    }
  }
  cairo_restore(cr);
}

}  // namespace ios
