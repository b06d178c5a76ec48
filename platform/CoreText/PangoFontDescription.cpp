#include "PangoFontDescription.h"

namespace ios::detail {

PangoFontDescription* pangoFontDescription(const UIFont& font) {
  PangoFontDescription* description = pango_font_description_new();
  pango_font_description_set_family_static(description, "DejaVu Sans");
  pango_font_description_set_weight(description, font.isBold() ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
  pango_font_description_set_style(description, font.isItalic() ? PANGO_STYLE_OBLIQUE : PANGO_STYLE_NORMAL);
  pango_font_description_set_absolute_size(description, font.pointSize() * PANGO_SCALE);
  return description;
}

}  // namespace ios::detail
