#include <CoreText/TextLayout.h>

#include "PangoFontDescription.h"
#include "PangoFontSystem.h"
#include "TextLayoutImpl.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace ios {

using detail::Piece;

namespace {

constexpr CGFloat kScale = PANGO_SCALE;
CGFloat toPoints(int units) {
  return units / kScale;
}
int toPango(CGFloat points) {
  return static_cast<int>(std::lround(points * kScale));
}

std::uint16_t channel(CGFloat component) {
  return static_cast<std::uint16_t>(std::lround(component * 65535.0));
}

// UTF-16 unit -> byte offset of the character holding it; the extra last entry is the text size.
std::vector<std::size_t> unitToByteTable(std::string_view text) {
  std::vector<std::size_t> table;
  table.reserve(text.size() + 1);
  std::size_t i = 0;
  while (i < text.size()) {
    auto lead = static_cast<unsigned char>(text[i]);
    std::size_t bytes = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    bytes = std::min(bytes, text.size() - i);
    table.push_back(i);
    if (bytes == 4) table.push_back(i);  // a surrogate pair
    i += bytes;
  }
  table.push_back(text.size());
  return table;
}

struct PieceSettings {
  int width = -1;  // Pango units; -1 = no wrapping
  PangoWrapMode wrap = PANGO_WRAP_WORD_CHAR;
  PangoAlignment alignment = PANGO_ALIGN_LEFT;
  bool justify = false;
  int spacing = 0;
  int indent = 0;
  PangoEllipsizeMode ellipsize = PANGO_ELLIPSIZE_NONE;
  std::shared_ptr<const UIFont> defaultFont;
};

void insertAttribute(PangoAttrList* list, PangoAttribute* attribute, std::size_t begin, std::size_t end) {
  attribute->start_index = static_cast<guint>(begin);
  attribute->end_index = static_cast<guint>(end);
  pango_attr_list_insert(list, attribute);
}

void addColor(PangoAttrList* list, const CGColor& color, bool background, std::size_t b, std::size_t e) {
  auto rgba = color.rgba();
  if (background) {
    insertAttribute(
        list, pango_attr_background_new(channel(rgba.red), channel(rgba.green), channel(rgba.blue)), b, e);
    insertAttribute(list, pango_attr_background_alpha_new(std::max<std::uint16_t>(1, channel(rgba.alpha))), b,
                    e);
  } else {
    insertAttribute(
        list, pango_attr_foreground_new(channel(rgba.red), channel(rgba.green), channel(rgba.blue)), b, e);
    // Pango reads alpha 0 as "unset"; 1/65535 is invisible all the same.
    insertAttribute(list, pango_attr_foreground_alpha_new(std::max<std::uint16_t>(1, channel(rgba.alpha))), b,
                    e);
  }
}

void addLineHeight(PangoAttrList* list, const NSParagraphStyle& style, const UIFont& font, std::size_t b,
                   std::size_t e) {
  const CGFloat natural = font.lineHeight();
  CGFloat height = natural;
  if (style.minimumLineHeight > 0) height = std::max(height, style.minimumLineHeight);
  if (style.maximumLineHeight > 0) height = std::min(height, style.maximumLineHeight);
  if (height != natural) insertAttribute(list, pango_attr_line_height_new_absolute(toPango(height)), b, e);
}

detail::Decoration decorationFor(const NSAttributes& attrs, const UIFont& font, std::size_t b,
                                 std::size_t e) {
  detail::Decoration d;
  d.beginByte = b;
  d.endByte = e;
  auto number = [&](NSAttributedStringKey key) {
    auto it = attrs.find(key);
    return it == attrs.end() ? 0 : static_cast<int>(it->second.number().value_or(0));
  };
  auto color = [&](NSAttributedStringKey key) -> std::optional<CGColor> {
    auto it = attrs.find(key);
    return it == attrs.end() ? std::nullopt : it->second.color();
  };
  d.strikethroughStyle = number(NSAttributedStringKey::strikethroughStyle);
  d.underlineStyle = number(NSAttributedStringKey::underlineStyle);
  if (d.strikethroughStyle == 0 && d.underlineStyle == 0) return d;
  d.strikethroughColor = color(NSAttributedStringKey::strikethroughColor);
  d.underlineColor = color(NSAttributedStringKey::underlineColor);
  d.foregroundColor = color(NSAttributedStringKey::foregroundColor);
  PangoFontDescription* description = detail::pangoFontDescription(font);
  PangoFontMetrics* metrics = pango_context_get_metrics(detail::pinnedContext(), description, nullptr);
  d.underlinePosition = toPoints(pango_font_metrics_get_underline_position(metrics));
  d.underlineThickness = toPoints(pango_font_metrics_get_underline_thickness(metrics));
  d.strikethroughPosition = toPoints(pango_font_metrics_get_strikethrough_position(metrics));
  d.strikethroughThickness = toPoints(pango_font_metrics_get_strikethrough_thickness(metrics));
  pango_font_metrics_unref(metrics);
  pango_font_description_free(description);
  return d;
}

void addRunAttributes(Piece& piece, PangoAttrList* list, const NSAttributes& attrs, const UIFont& font,
                      std::size_t b, std::size_t e) {
  using Key = NSAttributedStringKey;
  PangoFontDescription* description = detail::pangoFontDescription(font);
  insertAttribute(list, pango_attr_font_desc_new(description), b, e);
  pango_font_description_free(description);
  for (const auto& [key, value] : attrs) {
    switch (key) {
      case Key::foregroundColor:
      case Key::backgroundColor:
        if (auto color = value.color()) addColor(list, *color, key == Key::backgroundColor, b, e);
        break;
      case Key::kern:
        if (auto kern = value.number())
          insertAttribute(list, pango_attr_letter_spacing_new(toPango(*kern)), b, e);
        break;
      case Key::baselineOffset:
        if (auto offset = value.number()) insertAttribute(list, pango_attr_rise_new(toPango(*offset)), b, e);
        break;
      case Key::paragraphStyle:
        if (auto style = value.paragraphStyle()) addLineHeight(list, *style, font, b, e);
        break;
      case Key::attachment:
        if (auto attachment = value.attachment()) {
          const CGRect& r = attachment->bounds;
          PangoRectangle box{toPango(r.origin.x), -toPango(r.origin.y + r.size.height), toPango(r.size.width),
                             toPango(r.size.height)};
          insertAttribute(list, pango_attr_shape_new(&box, &box), b, e);
          piece.attachments.push_back({b, attachment});
        }
        break;
      default:
        break;
    }
  }
  auto decoration = decorationFor(attrs, font, b, e);
  if (decoration.strikethroughStyle != 0 || decoration.underlineStyle != 0)
    piece.decorations.push_back(decoration);
}

void measureLines(Piece& piece) {
  PangoLayoutIter* iter = pango_layout_get_iter(piece.layout.get());
  std::vector<std::size_t> starts;
  do {
    PangoLayoutLine* line = pango_layout_iter_get_line_readonly(iter);
    detail::LineGeometry geometry;
    pango_layout_iter_get_line_extents(iter, nullptr, &geometry.logical);
    geometry.baseline = pango_layout_iter_get_baseline(iter);
    PangoRectangle own;
    pango_layout_line_get_extents(line, nullptr, &own);
    geometry.drawX = geometry.logical.x - own.x;
    geometry.startUnit = piece.byteToUnit(static_cast<std::size_t>(line->start_index));
    piece.lines.push_back(geometry);
  } while (pango_layout_iter_next_line(iter));
  pango_layout_iter_free(iter);
  std::size_t units = piece.unitToByte.size() - 1;
  for (std::size_t i = 0; i < piece.lines.size(); ++i) {
    piece.lines[i].endUnit = i + 1 < piece.lines.size() ? piece.lines[i + 1].startUnit : units;
  }
}

Piece buildPiece(const NSAttributedString& text, std::size_t unitBase, const PieceSettings& settings) {
  Piece piece;
  piece.unitBase = unitBase;
  std::string utf8 = text.string();
  std::replace(utf8.begin(), utf8.end(), '\0', ' ');  // Pango refuses NUL; same byte count
  piece.unitToByte = unitToByteTable(utf8);

  piece.layout.reset(pango_layout_new(detail::pinnedContext()));
  PangoLayout* layout = piece.layout.get();
  pango_layout_set_text(layout, utf8.data(), static_cast<int>(utf8.size()));
  pango_layout_set_width(layout, settings.width);
  pango_layout_set_wrap(layout, settings.wrap);
  pango_layout_set_alignment(layout, settings.alignment);
  pango_layout_set_justify(layout, settings.justify);
  pango_layout_set_spacing(layout, settings.spacing);
  pango_layout_set_indent(layout, settings.indent);
  pango_layout_set_ellipsize(layout, settings.ellipsize);
  pango_layout_set_single_paragraph_mode(layout, FALSE);

  PangoAttrList* list = pango_attr_list_new();
  // A word broken across lines shows its own letters only: Pango would end the line with a hyphen.
  insertAttribute(list, pango_attr_insert_hyphens_new(FALSE), 0, utf8.size());
  std::size_t unit = 0;
  for (const auto& run : text.runs()) {
    std::size_t b = piece.unitToByte[std::min(unit, piece.unitToByte.size() - 1)];
    unit += run.length;
    std::size_t e = piece.unitToByte[std::min(unit, piece.unitToByte.size() - 1)];
    auto fontIt = run.attributes.find(NSAttributedStringKey::font);
    std::shared_ptr<const UIFont> font = fontIt == run.attributes.end() ? nullptr : fontIt->second.font();
    addRunAttributes(piece, list, run.attributes, font ? *font : *settings.defaultFont, b, e);
  }
  pango_layout_set_attributes(layout, list);
  // The empty line after a final newline takes the last run's font, as the platform's extra line
  // fragment does.
  std::shared_ptr<const UIFont> lastFont = settings.defaultFont;
  if (!text.runs().empty()) {
    const auto& attrs = text.runs().back().attributes;
    if (auto it = attrs.find(NSAttributedStringKey::font); it != attrs.end() && it->second.font()) {
      lastFont = it->second.font();
    }
  }
  PangoFontDescription* description = detail::pangoFontDescription(*lastFont);
  pango_layout_set_font_description(layout, description);
  pango_font_description_free(description);
  pango_attr_list_unref(list);
  measureLines(piece);
  return piece;
}

PangoAlignment pangoAlignment(NSTextAlignment alignment) {
  switch (alignment) {
    case NSTextAlignment::center:
      return PANGO_ALIGN_CENTER;
    case NSTextAlignment::right:
      return PANGO_ALIGN_RIGHT;
    default:
      return PANGO_ALIGN_LEFT;
  }
}

PangoEllipsizeMode ellipsizeMode(NSLineBreakMode mode) {
  switch (mode) {
    case NSLineBreakMode::byTruncatingHead:
      return PANGO_ELLIPSIZE_START;
    case NSLineBreakMode::byTruncatingMiddle:
      return PANGO_ELLIPSIZE_MIDDLE;
    case NSLineBreakMode::byTruncatingTail:
      return PANGO_ELLIPSIZE_END;
    default:
      return PANGO_ELLIPSIZE_NONE;
  }
}

}  // namespace

std::shared_ptr<NSAttributedString> detail::separatorsAsSpaces(const NSAttributedString& text) {
  std::string utf8 = text.string();
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    auto c = static_cast<unsigned char>(utf8[i]);
    if (c == '\n' || c == '\r') {
      utf8[i] = ' ';
    } else if (c == 0xC2 && i + 1 < utf8.size() && static_cast<unsigned char>(utf8[i + 1]) == 0x85) {
      utf8[i + 1] = static_cast<char>(0xA0);  // NEL -> no-break space
    } else if (c == 0xE2 && i + 2 < utf8.size() && static_cast<unsigned char>(utf8[i + 1]) == 0x80 &&
               (static_cast<unsigned char>(utf8[i + 2]) == 0xA8 ||
                static_cast<unsigned char>(utf8[i + 2]) == 0xA9)) {
      utf8[i + 2] = static_cast<char>(0x82);  // line and paragraph separators -> en space
    }
  }
  return NSMutableAttributedString::create(utf8, text.runs());
}

std::size_t Piece::byteToUnit(std::size_t byte) const {
  auto it = std::lower_bound(unitToByte.begin(), unitToByte.end(), byte);
  return static_cast<std::size_t>(it - unitToByte.begin());
}

namespace {

// Pango finds each line of a paragraph by measuring the rest of the item it breaks, so a run with no
// break opportunity costs the square of its length, and a label cut to two lines still pays for the
// whole text. A line depends only on where it starts and on the text within its reach, so a long
// text is laid out a window at a time: every line of a window but its last (which the window's end
// may have shortened) is the line the whole text would have, and the next window starts where that
// last line does. Shorter texts, and texts whose paragraphs could take their direction from text
// further on, are laid out whole as they always were.
constexpr std::size_t kFirstWindow = 1024;  // UTF-16 units
constexpr std::size_t kSmallestWindow = 64;
constexpr std::size_t kLinesPerWindow = 4;
// Pango's cost grows faster than the text only over a run without a break, and only once the run
// is longer than a line; elsewhere one big layout is cheaper than many small ones, which each lay out
// their last line again. A run counts as long past this many units per point of width.
constexpr CGFloat kLongRunPerPoint = 0.25;
constexpr std::size_t kShortestLongRun = 16;
// An ellipsized tail laid out from a prefix of the rest only: the ellipsis must hide at least this
// much of that prefix, so that what the cut end changes in shaping and breaking is never shown.
constexpr std::size_t kHiddenTail = 64;

// Whether a character may change a paragraph's direction or reorder it: right-to-left scripts and
// numbers (their blocks whole), and the explicit marks, embeddings and isolates.
bool mayTurnRightToLeft(gunichar c) {
  return (c >= 0x0590 && c <= 0x08FF) || (c >= 0xFB1D && c <= 0xFDFF) || (c >= 0xFE70 && c <= 0xFEFF) ||
         (c >= 0x10800 && c <= 0x10FFF) || (c >= 0x1E800 && c <= 0x1EFFF) || c == 0x200F ||
         (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}

bool leftToRightOnly(std::string_view utf8) {
  for (const char* p = utf8.data(); p < utf8.data() + utf8.size(); p = g_utf8_next_char(p)) {
    if (static_cast<unsigned char>(*p) >= 0xD6 && mayTurnRightToLeft(g_utf8_get_char(p))) return false;
  }
  return true;
}

bool laidOutInWindows(const NSAttributedString& text, const PieceSettings& settings) {
  return settings.width > 0 && text.length() > kFirstWindow && leftToRightOnly(text.string());
}

// The UTF-16 range [begin, end) of `text` with its attributes, found through `table` (unit -> byte).
std::shared_ptr<NSAttributedString> slice(const NSAttributedString& text,
                                          const std::vector<std::size_t>& table, std::size_t begin,
                                          std::size_t end) {
  std::vector<NSAttributedString::Run> runs;
  std::size_t start = 0;
  for (const auto& run : text.runs()) {
    const std::size_t b = std::max(start, begin), e = std::min(start + run.length, end);
    if (b < e) runs.push_back({e - b, run.attributes});
    start += run.length;
    if (start >= end) break;
  }
  const std::string_view utf8(text.string());
  return NSMutableAttributedString::create(utf8.substr(table[begin], table[end] - table[begin]),
                                           std::move(runs));
}

// The end of the paragraph holding unit `from`, after its separator; `limit` when it runs on past it.
std::size_t paragraphEnd(const NSAttributedString& text, const std::vector<std::size_t>& table,
                         std::size_t from, std::size_t limit) {
  const std::string& utf8 = text.string();
  for (std::size_t unit = from; unit < limit; ++unit) {
    const std::size_t byte = table[unit];
    const auto c = static_cast<unsigned char>(utf8[byte]);
    if (c == '\n' || (c == '\r' && (byte + 1 == utf8.size() || utf8[byte + 1] != '\n')) ||
        utf8.compare(byte, 3, "\xE2\x80\xA9") == 0)
      return unit + 1;
  }
  return limit;
}

// A window's end moved off the middle of a character or of a CR LF pair.
std::size_t windowEnd(const NSAttributedString& text, const std::vector<std::size_t>& table,
                      std::size_t end) {
  const std::string& utf8 = text.string();
  if (end >= text.length()) return text.length();
  if (table[end] == table[end - 1]) ++end;  // the second half of a surrogate pair
  if (end < text.length() && utf8[table[end] - 1] == '\r' && utf8[table[end]] == '\n') ++end;
  return end;
}

std::size_t lineStart(const TextLayout::Impl& impl, const detail::VisibleLine& v) {
  const Piece& piece = impl.pieces[v.piece];
  return piece.unitBase + piece.lines[static_cast<std::size_t>(v.line)].startUnit;
}

CGFloat lineTop(const TextLayout::Impl& impl, const detail::VisibleLine& v) {
  const Piece& piece = impl.pieces[v.piece];
  return piece.y + toPoints(piece.lines[static_cast<std::size_t>(v.line)].logical.y);
}

void keepLines(TextLayout::Impl& impl, Piece piece, std::size_t count,
               std::vector<detail::VisibleLine>& lines) {
  for (std::size_t i = 0; i < count; ++i) lines.push_back({impl.pieces.size(), static_cast<int>(i)});
  impl.pieces.push_back(std::move(piece));
}

// The runs of `text` without a space that are long for `settings`' width, as [start, end) in units,
// in order. Only ASCII white space counts as a break here: a break missed makes windows smaller,
// never wrong.
std::vector<NSRange> longRuns(const NSAttributedString& text, const PieceSettings& settings) {
  const auto longest = std::max(kShortestLongRun,
                                static_cast<std::size_t>(toPoints(settings.width) * kLongRunPerPoint));
  std::vector<NSRange> runs;
  std::size_t unit = 0, start = 0;
  auto endRun = [&] {
    if (unit - start > longest) runs.push_back(NSRange{start, unit - start});
  };
  for (const char c : text.string()) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte == ' ' || (byte >= '\t' && byte <= '\r')) {
      endRun();
      start = unit + 1;
    }
    if ((byte & 0xC0) != 0x80) unit += byte >= 0xF0 ? 2 : 1;  // a lead byte: one or two units
  }
  endRun();
  return runs;
}

// How far from `begin` the text has no long run: a window that far lays out in linear time.
std::size_t reachWithoutLongRun(const std::vector<NSRange>& runs, std::size_t begin, std::size_t length) {
  auto next = std::upper_bound(runs.begin(), runs.end(), begin,
                               [](std::size_t unit, const NSRange& run) { return unit < run.upperBound(); });
  if (next == runs.end()) return length - begin;
  return next->location > begin ? next->location - begin : 0;
}

// Where the next window starts and how it is laid out.
struct Window {
  std::size_t begin = 0;
  std::size_t size = kFirstWindow;
  bool paragraphStart = true;
  CGFloat x = 0, y = 0;
};

// Lays out the window; false when it must grow first (it ends before the text and holds one line).
bool layOutWindow(TextLayout::Impl& impl, const std::vector<std::size_t>& table,
                  const PieceSettings& settings, Window& window, std::vector<detail::VisibleLine>& lines) {
  const NSAttributedString& text = *impl.text;
  std::size_t end = windowEnd(text, table, window.begin + window.size);
  // A first line within the paragraph has no first-line indent, every later paragraph's first has.
  if (!window.paragraphStart && settings.indent != 0) end = paragraphEnd(text, table, window.begin, end);
  PieceSettings own = settings;
  if (!window.paragraphStart) own.indent = 0;
  Piece piece = buildPiece(*slice(text, table, window.begin, end), window.begin, own);
  piece.x = window.x;
  piece.y = window.y;
  if (end == text.length()) {
    const std::size_t all = piece.lines.size();
    keepLines(impl, std::move(piece), all, lines);
    window.begin = end;
    return true;
  }
  if (piece.lines.size() < 2) return false;
  const std::size_t kept = piece.lines.size() - 1;
  const detail::LineGeometry& next = piece.lines[kept];
  window.paragraphStart =
      pango_layout_get_line_readonly(piece.layout.get(), static_cast<int>(kept))->is_paragraph_start;
  window.y += toPoints(next.logical.y);
  window.size = std::max(kSmallestWindow, next.startUnit * kLinesPerWindow / kept);
  window.begin += next.startUnit;
  keepLines(impl, std::move(piece), kept, lines);
  return true;
}

// Every line of the text, or with a limit only the lines up to the first one past it: all of them
// final, as laid out in one piece.
std::vector<detail::VisibleLine> layOutLines(TextLayout::Impl& impl, const PieceSettings& settings, CGFloat x,
                                             std::size_t limit) {
  const NSAttributedString& text = *impl.text;
  std::vector<detail::VisibleLine> lines;
  if (!laidOutInWindows(text, settings)) {
    Piece whole = buildPiece(text, 0, settings);
    whole.x = x;
    const std::size_t all = whole.lines.size();
    keepLines(impl, std::move(whole), all, lines);
    return lines;
  }
  const auto table = unitToByteTable(text.string());
  // A limited layout starts with a few lines' worth: most labels need no second window.
  Window window{.size = limit > 0 ? std::min(kFirstWindow, kSmallestWindow * (limit + 2) / 2) : kFirstWindow,
                .x = x};
  // Without a limit, a window reaches on to the next long run: the text before it costs the same
  // laid out in one piece.
  const std::vector<NSRange> runs = limit == 0 ? longRuns(text, settings) : std::vector<NSRange>{};
  while (window.begin < text.length() && (limit == 0 || lines.size() <= limit)) {
    if (!layOutWindow(impl, table, settings, window, lines)) {
      window.size *= 2;
    } else if (limit == 0) {
      window.size = std::max(window.size, reachWithoutLongRun(runs, window.begin, text.length()));
    }
  }
  return lines;
}

// Where the ellipsis starts in a one-line ellipsized piece: the piece's end when it has none.
std::size_t ellipsisStart(const Piece& tail) {
  PangoLayoutLine* line = pango_layout_get_line_readonly(tail.layout.get(), 0);
  for (GSList* run = line ? line->runs : nullptr; run; run = run->next) {
    const PangoItem* item = static_cast<PangoGlyphItem*>(run->data)->item;
    if (item->analysis.flags & PANGO_ANALYSIS_FLAG_IS_ELLIPSIS)
      return tail.byteToUnit(static_cast<std::size_t>(item->offset));
  }
  return tail.unitToByte.size() - 1;
}

Piece tailPiece(const NSAttributedString& text, std::size_t from, std::size_t length,
                const PieceSettings& settings) {
  auto rest = text.attributedSubstring(NSRange{from, length});
  return buildPiece(*detail::separatorsAsSpaces(*rest), from, settings);
}

// The rest of the text from `from` as one line ellipsized at its end. An ellipsis at the end shows
// only a line's worth of the rest, so a long text lends just enough of it for the ellipsis to hide
// the cut; the piece still stands for all of the rest.
Piece ellipsizedAtEnd(const NSAttributedString& text, std::size_t from, std::size_t guess,
                      const PieceSettings& settings) {
  const std::size_t rest = text.length() - from;
  for (std::size_t length = std::min(guess, rest);; length = std::min(2 * length, rest)) {
    Piece tail = tailPiece(text, from, length, settings);
    if (length == rest) return tail;
    if (length - ellipsisStart(tail) < kHiddenTail) continue;
    tail.lines.front().endUnit = rest;
    return tail;
  }
}

struct LayoutFrame {
  PieceSettings settings;
  CGFloat padding = 0;
  CGFloat x = 0;  // where the lines' own origin sits
};

LayoutFrame frameFor(const NSAttributedString& text, const TextLayoutOptions& options) {
  auto firstStyle = text.attribute(NSAttributedStringKey::paragraphStyle, 0);
  std::shared_ptr<const NSParagraphStyle> style = firstStyle && firstStyle->paragraphStyle()
                                                      ? firstStyle->paragraphStyle()
                                                      : NSParagraphStyle::defaultStyle();
  LayoutFrame frame;
  PieceSettings& settings = frame.settings;
  settings.defaultFont = options.defaultFont ? options.defaultFont : UIFont::systemFont(12);
  frame.padding = std::max<CGFloat>(0, options.lineFragmentPadding);
  CGFloat headIndent = std::max<CGFloat>(0, style->headIndent);
  if (options.width > 0 && std::isfinite(options.width)) {
    settings.width = std::max(1, toPango(options.width - 2 * frame.padding - headIndent));
  }
  settings.wrap =
      options.lineBreakMode == NSLineBreakMode::byCharWrapping ? PANGO_WRAP_CHAR : PANGO_WRAP_WORD_CHAR;
  NSTextAlignment alignment = options.alignment.value_or(style->alignment);
  settings.alignment = pangoAlignment(alignment);
  settings.justify = alignment == NSTextAlignment::justified;
  settings.spacing = toPango(std::max<CGFloat>(0, style->lineSpacing));
  settings.indent = toPango(style->firstLineHeadIndent - headIndent);
  frame.x = frame.padding + headIndent;
  return frame;
}

// The limit cut the text: the lines before the last shown one, then the rest as one ellipsized line.
void showEllipsized(TextLayout::Impl& impl, const LayoutFrame& frame,
                    const std::vector<detail::VisibleLine>& lines, PangoEllipsizeMode ellipsize) {
  const NSAttributedString& text = *impl.text;
  const std::size_t limit = impl.options.numberOfLines;
  const std::size_t from = lineStart(impl, lines[limit - 1]);
  PieceSettings settings = frame.settings;
  settings.ellipsize = ellipsize;
  settings.indent = limit == 1 ? frame.settings.indent : 0;
  const std::size_t guess = 2 * (lineStart(impl, lines[limit]) - from) + kHiddenTail;
  Piece tail = ellipsize == PANGO_ELLIPSIZE_END && laidOutInWindows(text, frame.settings)
                   ? ellipsizedAtEnd(text, from, guess, settings)
                   : tailPiece(text, from, text.length() - from, settings);
  tail.x = frame.x;
  tail.y = lineTop(impl, lines[limit - 1]);
  impl.visible.assign(lines.begin(), lines.begin() + static_cast<std::ptrdiff_t>(limit - 1));
  impl.visible.push_back({impl.pieces.size(), 0});
  impl.pieces.push_back(std::move(tail));
}

void measureFragments(TextLayout::Impl& impl, const LayoutFrame& frame) {
  const CGFloat padding = frame.padding;
  CGFloat fullWidth = frame.settings.width > 0 ? impl.options.width : 0;
  CGRect used = CGRect::null;
  for (const auto& v : impl.visible) {
    const Piece& piece = impl.pieces[v.piece];
    const detail::LineGeometry& g = piece.lines[static_cast<std::size_t>(v.line)];
    LineFragment fragment;
    CGFloat top = piece.y + toPoints(g.logical.y);
    CGFloat height = toPoints(g.logical.height);
    fragment.usedRect = CGRect(piece.x + toPoints(g.logical.x) - padding, top,
                               toPoints(g.logical.width) + 2 * padding, height);
    fragment.baseline = piece.y + toPoints(g.baseline);
    fragment.characterRange = NSRange{piece.unitBase + g.startUnit, g.endUnit - g.startUnit};
    fragment.rect = CGRect(0, top, fullWidth, height);
    used = used.isNull() ? fragment.usedRect : used.unionWith(fragment.usedRect);
    impl.fragments.push_back(fragment);
  }
  if (fullWidth == 0) {
    for (auto& fragment : impl.fragments) fragment.rect.size.width = used.maxX();
  }
  // The first line starts at y 0, whatever its used rect says.
  impl.used = CGRect(used.origin.x, 0, used.size.width, used.maxY());
}

void layOut(TextLayout::Impl& impl) {
  const NSAttributedString& text = *impl.text;
  if (text.length() == 0) return;
  const LayoutFrame frame = frameFor(text, impl.options);
  const std::size_t limit = impl.options.numberOfLines;
  const auto lines = layOutLines(impl, frame.settings, frame.x, limit);
  // The empty line after a final newline never makes the text "not fit".
  impl.truncated = limit > 0 && lines.size() > limit && lineStart(impl, lines[limit]) < text.length();
  const PangoEllipsizeMode ellipsize = ellipsizeMode(impl.options.lineBreakMode);
  if (impl.truncated && ellipsize != PANGO_ELLIPSIZE_NONE) {
    showEllipsized(impl, frame, lines, ellipsize);
  } else {
    impl.visible.assign(lines.begin(),
                        lines.begin() + static_cast<std::ptrdiff_t>(limit > 0 ? std::min(lines.size(), limit)
                                                                              : lines.size()));
  }
  measureFragments(impl, frame);
  impl.visibleLength = impl.fragments.back().characterRange.upperBound();
  if (impl.truncated && ellipsize != PANGO_ELLIPSIZE_NONE) impl.visibleLength = text.length();
}

}  // namespace

TextLayout::TextLayout(std::shared_ptr<const NSAttributedString> text, TextLayoutOptions options)
    : impl_(std::make_unique<Impl>()) {
  // A private copy: the caller's mutable string may change while this layout is still in use.
  impl_->text = text ? NSAttributedString::create(*text) : NSAttributedString::create();
  impl_->options = std::move(options);
  layOut(*impl_);
}

TextLayout::~TextLayout() = default;
TextLayout::TextLayout(TextLayout&&) noexcept = default;
TextLayout& TextLayout::operator=(TextLayout&&) noexcept = default;

const NSAttributedString& TextLayout::text() const {
  return *impl_->text;
}
const TextLayoutOptions& TextLayout::options() const {
  return impl_->options;
}
const std::vector<LineFragment>& TextLayout::lineFragments() const {
  return impl_->fragments;
}
CGRect TextLayout::usedRect() const {
  return impl_->used;
}
bool TextLayout::isTruncated() const {
  return impl_->truncated;
}
std::size_t TextLayout::visibleLength() const {
  return impl_->visibleLength;
}

CGSize TextLayout::roundedUpSize(CGFloat scale) const {
  if (!(scale > 0)) scale = 1;
  CGSize size = this->size();
  // A hair of tolerance keeps 20.0000001 (float noise) from growing by a whole pixel.
  auto up = [scale](CGFloat v) { return std::ceil(v * scale - 1e-6) / scale; };
  return CGSize{up(size.width), up(size.height)};
}

std::optional<std::size_t> TextLayout::lineIndex(std::size_t characterIndex) const {
  const auto& fragments = impl_->fragments;
  for (std::size_t i = 0; i < fragments.size(); ++i) {
    const NSRange& r = fragments[i].characterRange;
    if (characterIndex >= r.location && characterIndex < r.upperBound()) return i;
  }
  if (!fragments.empty() && fragments.back().characterRange.length == 0 &&
      characterIndex == fragments.back().characterRange.location) {
    return fragments.size() - 1;
  }
  return std::nullopt;
}

std::size_t TextLayout::characterIndex(CGPoint point) const {
  const auto& fragments = impl_->fragments;
  if (fragments.empty()) return 0;
  std::size_t lineNumber = fragments.size() - 1;
  for (std::size_t i = 0; i < fragments.size(); ++i) {
    if (point.y < fragments[i].rect.maxY()) {
      lineNumber = i;
      break;
    }
  }
  const detail::VisibleLine& v = impl_->visible[lineNumber];
  const Piece& piece = impl_->pieces[v.piece];
  const detail::LineGeometry& g = piece.lines[static_cast<std::size_t>(v.line)];
  const NSRange& range = fragments[lineNumber].characterRange;
  if (range.length == 0) return std::min(range.location, impl_->text->length());

  int x = toPango(point.x - piece.x);
  int y = g.logical.y + g.logical.height / 2;
  int byte = 0, trailing = 0;
  pango_layout_xy_to_index(piece.layout.get(), x, y, &byte, &trailing);
  std::size_t index = piece.unitBase + piece.byteToUnit(static_cast<std::size_t>(byte));
  return std::clamp(index, range.location, range.upperBound() - 1);
}

CGRect TextLayout::characterRect(std::size_t characterIndex) const {
  auto line = lineIndex(characterIndex);
  if (!line) return CGRect::zero;
  const detail::VisibleLine& v = impl_->visible[*line];
  const Piece& piece = impl_->pieces[v.piece];
  // A tail laid out from a prefix of the rest stands for the rest: past the prefix is the ellipsis.
  std::size_t unit = characterIndex - piece.unitBase;
  if (unit >= piece.unitToByte.size()) unit = piece.unitToByte.size() - 2;
  PangoRectangle pos;
  pango_layout_index_to_pos(piece.layout.get(), static_cast<int>(piece.unitToByte[unit]), &pos);
  return CGRect(piece.x + toPoints(pos.x), piece.y + toPoints(pos.y), toPoints(pos.width),
                toPoints(pos.height));
}

}  // namespace ios
