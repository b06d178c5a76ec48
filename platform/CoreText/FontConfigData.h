#pragma once

// Internal to ios_coretext.
namespace ios::detail {

// The text of fonts/kerbelin-fonts.conf.
extern const char* const kFontConfigXML;
// Where Debian's fonts-dejavu-core and fonts-dejavu-extra install the faces we load.
extern const char* const kFontDirectory;

}  // namespace ios::detail
