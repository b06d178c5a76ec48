#pragma once

#include <CoreText/NSMutableAttributedString.h>
#include <CoreText/UIFont.h>
#include <Foundation/Data.h>

#include <memory>
#include <string_view>

namespace ios {

// HTML to attributed text, as the platform's importer reads a document (NSAttributedString with
// document type HTML). It never fetches, runs or opens anything: no network, no script, no file.
//
// What comes out:
// - Text with HTML whitespace rules: runs of spaces, tabs and newlines collapse to one space, which
//   is dropped at the start and end of a line (kept as written inside <pre>). Entities are decoded.
// - Block elements (p, div, h1-h6, ul, ol, li, blockquote, pre, tr, ...) start on a new line and end
//   with a newline, so "<p>a</p><p>b</p>" gives "a\nb\n"; html and body add none, so text without
//   blocks ("a<br>b") has no trailing newline. <br> is "\n"; empty blocks give nothing.
// - Lists: each item starts with tabs (one per nesting level), its marker and a tab:
//   "\t•\tOne\n" for <ul> ("◦" at the second level, "▪" deeper), "\t1.\tOne\n" for <ol> (honouring
//   `start`). Table cells are separated by tabs, rows end with a newline.
// - Every run has a font and a foreground colour (black unless the markup sets one), as the
//   platform's importer gives. Font: the pinned family; size 12 (or `baseFont`'s) unless set; bold
//   for b, strong, h1-h6 and weights from 600; italic for i, em, cite, var, dfn. h1-h6 scale the size
//   by 2, 1.5, 1.17, 1, 0.83, 0.67; small and sub/sup by 5/6 (sub/sup also shift the baseline).
// - u and ins underline, s, strike and del strike through (single style); a with href is a link
//   (the href text, never resolved) in rgb(0, 0, 238) with a single underline.
// - Inline `style` on any element: font-size (px as points, unitless as px, pt, em, rem, %,
//   keywords), font-weight, font-style, color, background-color, text-decoration(-line),
//   text-align; font-family is accepted and maps to the one family. <font color size> too.
// - img becomes an attachment placeholder (U+FFFC) with no image and the width and height the tag
//   states (0 when absent). head, title, script, style, template, iframe, object, embed, video,
//   audio, canvas, svg, math, noscript, textarea, select and their contents give nothing.
// Paragraph spacing and list indents are not produced; text-align gives a paragraph style.

// Reads `html` (UTF-8). nullptr only when the bytes are not valid UTF-8; any markup is accepted.
std::shared_ptr<NSMutableAttributedString> htmlToAttributedString(
    std::string_view html, std::shared_ptr<const UIFont> baseFont = nullptr);

// `NSAttributedString(data:options: [.documentType: .html])` for the platform's Unicode encoding:
// UTF-16 with a byte order mark (big-endian without one). nullptr when the data is not valid UTF-16
// (odd length, unpaired surrogate).
std::shared_ptr<NSMutableAttributedString> attributedStringFromHTMLData(
    const Data& utf16Data, std::shared_ptr<const UIFont> baseFont = nullptr);

}  // namespace ios
