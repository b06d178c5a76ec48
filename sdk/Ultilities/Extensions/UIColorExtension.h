#pragma once

// Colours from the hex texts the screens write ("#FF5C37") and three small colour helpers. Each is a
// free function standing for the member of the same name on the platform colour.

#include <CoreGraphics/CGGeometry.h>
#include <UIKit/UIColor.h>

#include <array>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

namespace kerbelin {

// `UIColor(rgba:)`: "#" followed by 3 (#RGB), 4 (#RGBA), 6 (#RRGGBB) or 8 (#RRGGBBAA) hex digits.
// Never fails: a text that cannot be read gives opaque black after one console message on standard
// output ("Invalid RGB string, missing '#' as prefix" or the one on the number of characters, both
// without a line end; "Scan hex error" with one). The form is chosen by the number of characters
// after "#", counted as the user sees them, also those the hex scanner stopped before ("#12G" is
// the 3-digit form of 0x12).
std::shared_ptr<ios::UIColor> colorWithRGBA(std::string_view rgba);

// `UIColor(_red:_green:_blue:_alpha:)`: red, green and blue in 0...255; alpha in 0...1, passed on
// unchanged.
std::shared_ptr<ios::UIColor> colorWith255(ios::CGFloat red, ios::CGFloat green, ios::CGFloat blue,
                                           ios::CGFloat alpha);

// `convert(to:multiplier:)`: `color` moved toward `to` by the multiplier clamped to 0...1, component
// by component in each colour's own space. Null when either colour has fewer than three components
// (a grey); a colour without a fourth component counts as opaque.
std::shared_ptr<ios::UIColor> convert(const ios::UIColor& color, const ios::UIColor& to,
                                      ios::CGFloat multiplier);

// The blend behind `convert`, on raw component lists (alpha last): nullopt when either list has
// fewer than three entries; a missing fourth entry counts as alpha 1.0.
std::optional<std::array<ios::CGFloat, 4>> convertComponents(const std::vector<ios::CGFloat>& from,
                                                             const std::vector<ios::CGFloat>& to,
                                                             ios::CGFloat multiplier);

// `darkerColorForColor()`: red, green and blue lowered by 0.2 (not below 0), alpha kept; the colour
// itself when it has no RGB form.
std::shared_ptr<ios::UIColor> darkerColorForColor(const std::shared_ptr<ios::UIColor>& color);

}  // namespace kerbelin
