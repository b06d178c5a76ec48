#pragma once

// Internal to ios_coretext: the one Pango font map and context every measurement and drawing uses.
// Not installed for other libraries; it includes Pango.

#include <pango/pango.h>

namespace ios::detail {

// The pinned configuration is built on first use, before any other Pango call of the toolkit:
// our fontconfig text, the four DejaVu Sans faces added file by file, no font directory, 72 dpi
// (one point is one user-space unit), and fixed rasteriser options. A missing face file is an
// installation fault and stops the process with a message.
PangoFontMap* pinnedFontMap();
// Shared by all layouts; main thread only, like the rest of the toolkit.
PangoContext* pinnedContext();

}  // namespace ios::detail
