#include "PangoFontSystem.h"

#include "FontConfigData.h"

#include <Foundation/Console.h>

#include <cairo.h>
#include <fontconfig/fontconfig.h>
#include <pango/pangocairo.h>
#include <pango/pangofc-fontmap.h>

#include <mutex>
#include <string>

namespace ios::detail {

namespace {

// Each face with the Debian package that installs it: the family is split, the upright faces in one
// package and the oblique ones in another, so a machine may well have only half of them.
struct Face {
  const char* file;
  const char* package;
};
constexpr Face kFaces[] = {{"DejaVuSans.ttf", "fonts-dejavu-core"},
                           {"DejaVuSans-Bold.ttf", "fonts-dejavu-core"},
                           {"DejaVuSans-Oblique.ttf", "fonts-dejavu-extra"},
                           {"DejaVuSans-BoldOblique.ttf", "fonts-dejavu-extra"}};

[[noreturn]] void fail(const std::string& message) {
  fatalError("ios_coretext: " + message);
}

FcConfig* buildPinnedConfig() {
  FcConfig* config = FcConfigCreate();
  if (!config) fail("cannot create a fontconfig configuration");
  if (!FcConfigParseAndLoadFromMemory(config, reinterpret_cast<const FcChar8*>(kFontConfigXML), FcTrue)) {
    fail("the built-in font configuration does not parse");
  }
  FcConfigBuildFonts(config);
  for (const Face& face : kFaces) {
    std::string path = std::string(kFontDirectory) + "/" + face.file;
    if (!FcConfigAppFontAddFile(config, reinterpret_cast<const FcChar8*>(path.c_str()))) {
      fail("missing font face " + path + " (install " + face.package + ")");
    }
  }
  return config;
}

struct FontSystem {
  PangoFontMap* map = nullptr;
  PangoContext* context = nullptr;
};

FontSystem& fontSystem() {
  static FontSystem system;
  static std::once_flag once;
  std::call_once(once, [] {
    FcConfig* config = buildPinnedConfig();
    system.map = pango_cairo_font_map_new_for_font_type(CAIRO_FONT_TYPE_FT);
    if (!system.map) fail("Pango has no FreeType font map");
    pango_fc_font_map_set_config(PANGO_FC_FONT_MAP(system.map), config);
    FcConfigDestroy(config);  // the font map holds its own reference
    pango_cairo_font_map_set_resolution(PANGO_CAIRO_FONT_MAP(system.map), 72.0);

    system.context = pango_font_map_create_context(system.map);
    cairo_font_options_t* options = cairo_font_options_create();
    cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
    cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
    cairo_font_options_set_subpixel_order(options, CAIRO_SUBPIXEL_ORDER_DEFAULT);
    pango_cairo_context_set_font_options(system.context, options);
    cairo_font_options_destroy(options);
    pango_cairo_context_set_resolution(system.context, 72.0);
    pango_context_set_round_glyph_positions(system.context, FALSE);
    pango_context_set_base_dir(system.context, PANGO_DIRECTION_LTR);
    // Line breaking must not follow the machine's locale.
    pango_context_set_language(system.context, pango_language_from_string("vi"));
  });
  return system;
}

}  // namespace

}  // namespace ios::detail

// Fontconfig stores the patterns its caches hold as offsets rather than pointers, so LeakSanitizer
// cannot see that the pinned font map still reaches them and reports them as lost when the process
// exits. They are bounded (one entry per face and font description used) and freed by fontconfig's
// own teardown, which we deliberately do not run at exit. Sanitizer builds only.
#if defined(__SANITIZE_ADDRESS__)
#define KERBELIN_LSAN_HOOK 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KERBELIN_LSAN_HOOK 1
#endif
#endif
#ifdef KERBELIN_LSAN_HOOK
extern "C" __attribute__((visibility("default"), used)) const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n";
}
#endif

namespace ios::detail {

PangoFontMap* pinnedFontMap() {
  return fontSystem().map;
}
PangoContext* pinnedContext() {
  return fontSystem().context;
}

}  // namespace ios::detail
