#pragma once

#include <CoreGraphics/CGColor.h>
#include <CoreGraphics/CGGeometry.h>
#include <CoreText/NSMutableAttributedString.h>
#include <CoreText/NSParagraphStyle.h>
#include <CoreText/UIFont.h>

#include <cstddef>
#include <memory>
#include <optional>
#include <vector>

namespace ios {

// What the text is laid out into: UILabel's and NSTextContainer's settings.
struct TextLayoutOptions {
  // Lines wrap at this width. 0, negative or infinite: no wrapping.
  CGFloat width = 0;
  // At most this many lines are laid out; 0 = no limit.
  std::size_t numberOfLines = 0;
  // Word wrapping breaks between words and inside a word longer than the line; char wrapping
  // breaks anywhere. When `numberOfLines` cuts the text, the truncating modes end the last line with
  // an ellipsis ("…") at its tail, head or middle; word wrapping, char wrapping and clipping just
  // stop after the last line.
  NSLineBreakMode lineBreakMode = NSLineBreakMode::byWordWrapping;
  // When set, overrides the paragraph styles' alignment (UILabel's `textAlignment`).
  std::optional<NSTextAlignment> alignment{};
  // Inset on both sides of every line (NSTextContainer's `lineFragmentPadding`; labels use 0).
  CGFloat lineFragmentPadding = 0;
  // For runs without a font attribute; null means the system font at 12 points, Foundation's
  // default for attributed text.
  std::shared_ptr<const UIFont> defaultFont{};
  // For runs without a foreground colour, when drawing.
  CGColor defaultColor = CGColor::black();
};

// One laid-out line, in the layout's coordinates (top-left origin, y down, the first line at y 0).
struct LineFragment {
  CGRect rect;      // the full line: from x 0 across the layout width (or the used width), line height
  CGRect usedRect;  // the part its glyphs occupy
  CGFloat baseline = 0;
  NSRange characterRange;  // UTF-16; includes the line's ending newline, if any
};

// Text laid out with Pango for a width, a line limit and a line-break mode. Immutable once built (it
// keeps its own copy of the text); build a new one when the text or the options change.
// Measurement rules:
// - `usedRect` is exact (fractional points), like TextKit's `usedRect(for:)` and
//   `boundingRect(with: .usesLineFragmentOrigin)`; `roundedUpSize` rounds each side up to the next
//   pixel at a scale, which is what UILabel's `sizeThatFits`/`intrinsicContentSize` report.
// - Empty text has no line and size zero. A text ending in a newline has an empty last line, which
//   counts in the size and the lines, as the platform's extra line fragment does.
// - Alignment, line spacing and indents are the paragraph style of the first character's (one
//   style for the whole text); line height settings apply per run; paragraph spacing is not laid out.
// - Glyph indices are character (UTF-16) indices: one glyph per code unit.
// - Drawn: fonts, foreground and background colours, kern, baseline offset, underline and
//   strikethrough, attachments. Not drawn: stroke (outlined text) and links beyond their own colour
//   and underline attributes.
class TextLayout {
 public:
  TextLayout(std::shared_ptr<const NSAttributedString> text, TextLayoutOptions options);
  ~TextLayout();
  TextLayout(TextLayout&&) noexcept;
  TextLayout& operator=(TextLayout&&) noexcept;

  const NSAttributedString& text() const;
  const TextLayoutOptions& options() const;

  const std::vector<LineFragment>& lineFragments() const;
  std::size_t lineCount() const { return lineFragments().size(); }
  // The union of the lines' used rects; zero for empty text.
  CGRect usedRect() const;
  CGSize size() const { return usedRect().size; }
  CGSize roundedUpSize(CGFloat scale = 1) const;
  // True when `numberOfLines` left text out.
  bool isTruncated() const;
  // The number of UTF-16 units laid out in the visible lines (all of the text unless truncated).
  std::size_t visibleLength() const;

  // The character under `point` (TextKit's `characterIndex(for:in:fractionOfDistance...)`): points
  // above the first line or below the last are moved onto it; beyond a line's ends, the first or
  // last character of the line. Empty text gives 0. Where the point lies across the character is
  // not offered: nothing asks for it.
  std::size_t characterIndex(CGPoint point) const;
  // The line holding `characterIndex`, or nullopt past the visible text.
  std::optional<std::size_t> lineIndex(std::size_t characterIndex) const;
  // Where a character is drawn (its logical box); zero rect when it is not visible.
  CGRect characterRect(std::size_t characterIndex) const;

  struct Impl;
  const Impl& impl() const { return *impl_; }

 private:
  std::unique_ptr<Impl> impl_;
};

}  // namespace ios
