#pragma once

// Internal to ios_coretext: what a TextLayout holds, shared with its drawing code.

#include <CoreText/TextLayout.h>

#include <pango/pango.h>

#include <memory>
#include <vector>

namespace ios {

namespace detail {

struct GObjectUnref {
  void operator()(void* object) const {
    if (object) g_object_unref(object);
  }
};
using PangoLayoutPtr = std::unique_ptr<PangoLayout, GObjectUnref>;

// Underline and strikethrough over a byte range, with the lines' geometry from the run's font (in
// points, measured up from the baseline to the top of the line).
struct Decoration {
  std::size_t beginByte = 0, endByte = 0;
  int strikethroughStyle = 0, underlineStyle = 0;
  std::optional<CGColor> strikethroughColor, underlineColor, foregroundColor;
  CGFloat underlinePosition = 0, underlineThickness = 0;
  CGFloat strikethroughPosition = 0, strikethroughThickness = 0;
};

struct AttachmentSpan {
  std::size_t byte = 0;
  std::shared_ptr<NSTextAttachment> attachment;
};

struct LineGeometry {
  PangoRectangle logical{};                // in the Pango layout's coordinates, alignment included
  int baseline = 0;                        // from the layout's top
  int drawX = 0;                           // where the line's own origin sits
  std::size_t startUnit = 0, endUnit = 0;  // within the piece
};

// One Pango layout and where it sits. A layout has one piece, or two when a truncating line-break
// mode ends it: the lines that fit, then the remaining text as one ellipsized line.
struct Piece {
  PangoLayoutPtr layout;
  std::vector<std::size_t> unitToByte;  // UTF-16 unit -> byte, one more entry than units
  std::size_t unitBase = 0;             // this piece's first unit within the whole text
  CGFloat x = 0, y = 0;
  std::vector<LineGeometry> lines;
  std::vector<Decoration> decorations;
  std::vector<AttachmentSpan> attachments;

  std::size_t byteToUnit(std::size_t byte) const;
};

// The same text with every line and paragraph separator replaced by a space of the same UTF-16 and
// UTF-8 length, so indices and runs keep their meaning; used to put text on one line.
std::shared_ptr<NSAttributedString> separatorsAsSpaces(const NSAttributedString& text);

struct VisibleLine {
  std::size_t piece = 0;
  int line = 0;
};

}  // namespace detail

struct TextLayout::Impl {
  std::shared_ptr<const NSAttributedString> text;
  TextLayoutOptions options;
  std::vector<detail::Piece> pieces;
  std::vector<detail::VisibleLine> visible;  // parallel to `fragments`
  std::vector<LineFragment> fragments;
  CGRect used{};
  bool truncated = false;
  std::size_t visibleLength = 0;
};

}  // namespace ios
