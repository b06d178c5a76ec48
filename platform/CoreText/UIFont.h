#pragma once

#include <CoreGraphics/CGGeometry.h>
#include <Foundation/NSObject.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace ios {

// UIFont.Weight. The toolkit has one family with two weights of face: ultraLight...medium draw
// with the regular face, semibold...black with the bold face. The weight asked for is kept.
enum class UIFontWeight { ultraLight, thin, light, regular, medium, semibold, bold, heavy, black };
// The CSS number of a weight (100...900): 600 for semibold, 700 for bold.
int cssWeight(UIFontWeight weight);
UIFontWeight weightFromCSS(int css);

// An immutable font. Every font is DejaVu Sans, the pinned system family (see fonts/), so that
// sizes and pictures are the same on every machine; names the toolkit's interface files and HTML
// use ("HelveticaNeue-Bold", "Arial", ...) map onto its faces.
class UIFont : public NSObject {
 public:
  using Weight = UIFontWeight;
  // The faces that exist. Light weights use `regular`, heavy ones `bold`.
  enum class Face { regular, bold, oblique, boldOblique };

  // A size that is not a positive finite number becomes 12, the platform's default size.
  static std::shared_ptr<UIFont> systemFont(CGFloat size);
  static std::shared_ptr<UIFont> systemFont(CGFloat size, Weight weight);
  static std::shared_ptr<UIFont> boldSystemFont(CGFloat size);
  // `UIFont(name:size:)`: nullptr for a name that is not known (names are case-sensitive).
  static std::shared_ptr<UIFont> create(std::string_view name, CGFloat size);
  // A font of the family with a given weight and slant.
  static std::shared_ptr<UIFont> create(CGFloat size, Weight weight, bool italic);

  CGFloat pointSize() const { return size_; }
  Weight weight() const { return weight_; }
  bool isBold() const;  // the bold face is used (semibold and heavier)
  bool isItalic() const { return italic_; }
  Face face() const;
  // The face's PostScript name: "DejaVuSans", "DejaVuSans-Bold", "DejaVuSans-Oblique",
  // "DejaVuSans-BoldOblique".
  std::string fontName() const;

  // Metrics in points, from the face's tables at this size. `descender` is negative, as on the
  // platform; `lineHeight` = ascender - descender + leading, which is the height of one laid-out
  // line of this font.
  CGFloat ascender() const;
  CGFloat descender() const;
  CGFloat leading() const { return 0; }
  CGFloat lineHeight() const;

  std::shared_ptr<UIFont> withSize(CGFloat size) const;

  // Same size, weight and slant.
  bool isEqual(const UIFont& other) const;
  friend bool operator==(const UIFont& a, const UIFont& b) { return a.isEqual(b); }

  struct Private;
  UIFont(const Private&, CGFloat size, Weight weight, bool italic);

 private:
  struct Metrics {
    CGFloat ascender, descender;
  };
  const Metrics& metrics() const;

  CGFloat size_;
  Weight weight_;
  bool italic_;
  mutable std::optional<Metrics> metrics_;
};

// Fonts are values in all but name: compares what the pointers point to (both null is equal).
bool sameFont(const std::shared_ptr<const UIFont>& a, const std::shared_ptr<const UIFont>& b);

}  // namespace ios
