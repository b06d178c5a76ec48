#pragma once

// Internal to ios_coretext: the small part of CSS the HTML importer reads from `style` attributes.

#include <CoreGraphics/CGColor.h>

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace ios::css {

// `name: value; name: value` -> pairs, names lower-cased, values trimmed and without
// `!important`. Semicolons inside quotes or parentheses do not split. Malformed pieces are skipped.
std::vector<std::pair<std::string, std::string>> parseDeclarations(std::string_view style);

// #rgb, #rgba, #rrggbb, #rrggbbaa, rgb()/rgba() with numbers or percentages, `transparent` and
// the basic named colours. nullopt for anything else.
std::optional<CGColor> parseColor(std::string_view value);

// A font size in points. CSS px count as points (as the platform's importer does); pt is 4/3 px;
// em and % are relative to `parentSize`, rem to `rootSize`; a bare number is px (documents without a
// doctype are read in quirks mode); keywords scale `rootSize` (medium = rootSize). Sizes are kept
// within 1...512; nullopt for what is not a size.
std::optional<double> parseFontSize(std::string_view value, double parentSize, double rootSize);

// 100...900; `bolder`/`lighter` relative to `parentWeight`. nullopt for anything else.
std::optional<int> parseFontWeight(std::string_view value, int parentWeight);

}  // namespace ios::css
