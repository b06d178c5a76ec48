#pragma once

// Internal to ios_coretext.

#include <CoreText/UIFont.h>

#include <pango/pango.h>

namespace ios::detail {

// The Pango description of a font: family "DejaVu Sans", the face's weight (400 or 700, never the
// weight in between, so fontconfig's choice cannot vary), slant, and an absolute size in points.
// The caller frees it.
PangoFontDescription* pangoFontDescription(const UIFont& font);

}  // namespace ios::detail
