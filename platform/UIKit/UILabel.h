#pragma once

#include <CoreText/NSAttributedString.h>
#include <CoreText/TextLayout.h>
#include <CoreText/UIFont.h>
#include <UIKit/UIView.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ios {

// A read-only text view. It draws its text itself, vertically centred in its bounds, laid out with
// the label's font, colour, alignment, line limit and line-break mode.
//
// `text` and `attributedText` are kept apart: a label given plain text only has a null
// `attributedText()`; setting `attributedText` makes `text()` its string; setting `text` drops the
// attributed text. The label's `font` and `textColor` apply to the runs of attributed text that
// carry no font or colour of their own. The label keeps the attributed string it is given: set it
// again after changing a mutable one.
//
// Sizes (`intrinsicContentSize`, `sizeThatFits`, the height for a width) are the laid-out text's,
// rounded up to whole pixels at the main screen's scale. Every change of what is shown invalidates
// the intrinsic size and the display. Touches pass through: user interaction is off by default.
class UILabel : public UIView {
 public:
  static std::shared_ptr<UILabel> create(const CGRect& frame = CGRect::zero);
  explicit UILabel(const CGRect& frame = CGRect::zero);

  const std::optional<std::string>& text() const { return text_; }
  void setText(std::optional<std::string> text);
  const std::shared_ptr<NSAttributedString>& attributedText() const { return attributedText_; }
  void setAttributedText(std::shared_ptr<NSAttributedString> text);

  // Null restores the defaults: the system font at 17 points, black.
  const std::shared_ptr<UIFont>& font() const { return font_; }
  void setFont(std::shared_ptr<UIFont> font);
  const std::shared_ptr<UIColor>& textColor() const { return textColor_; }
  void setTextColor(std::shared_ptr<UIColor> color);
  NSTextAlignment textAlignment() const { return textAlignment_; }
  void setTextAlignment(NSTextAlignment alignment);
  // 0 means as many lines as the text needs.
  std::size_t numberOfLines() const { return numberOfLines_; }
  void setNumberOfLines(std::size_t lines);
  NSLineBreakMode lineBreakMode() const { return lineBreakMode_; }
  void setLineBreakMode(NSLineBreakMode mode);

  // A disabled label draws its text dimmed; a highlighted one in `highlightedTextColor` when set.
  bool isEnabled() const { return enabled_; }
  void setEnabled(bool enabled);
  bool isHighlighted() const { return highlighted_; }
  void setHighlighted(bool highlighted);
  const std::shared_ptr<UIColor>& highlightedTextColor() const { return highlightedTextColor_; }
  void setHighlightedTextColor(std::shared_ptr<UIColor> color);

  // When on, a single-line text too wide for the bounds is drawn at a smaller font size, down to
  // `minimumScaleFactor` of the font's size, before it is truncated.
  bool adjustsFontSizeToFitWidth = false;
  CGFloat minimumScaleFactor = 0;

  // The width multi-line text wraps at for `intrinsicContentSize`; 0 lets it run on one long line
  // per paragraph (Auto Layout asks `intrinsicHeightForWidth` with the width it solved instead).
  CGFloat preferredMaxLayoutWidth() const { return preferredMaxLayoutWidth_; }
  void setPreferredMaxLayoutWidth(CGFloat width);

  // The rectangle the text takes when drawn in `bounds`: at the bounds' origin, as wide and tall as
  // the laid-out text (rounded up) but no larger than the bounds. A limit of 0 means no limit; the
  // label passes its own `numberOfLines`. Subclasses that pad the text override this and `drawText`
  // (`sizeThatFits` and the intrinsic size measure through `textRect`).
  virtual CGRect textRect(const CGRect& bounds, std::size_t limitedToNumberOfLines) const;
  // Draws the text in `rect` of the current context, vertically centred, as many lines as fit.
  virtual void drawText(const CGRect& rect);

  CGSize intrinsicContentSize() const override;
  CGSize sizeThatFits(CGSize size) const override;
  bool hasIntrinsicHeightForWidth() const override { return numberOfLines_ != 1; }
  CGFloat intrinsicHeightForWidth(CGFloat width) const override;
  void draw(const CGRect& rect) override;

  // The text laid out afresh for a width (0 = unlimited) and line limit, with the label's settings.
  TextLayout makeLayout(CGFloat width, std::size_t numberOfLines) const;

 protected:
  void boundsDidChange(const CGRect& oldBounds) override;

 private:
  // The text drawn or measured: the attributed text, or the plain text with the label's attributes.
  std::shared_ptr<const NSAttributedString> displayedText() const;
  bool hasText() const;
  TextLayoutOptions layoutOptions(CGFloat width, std::size_t numberOfLines) const;
  // The same layout as `makeLayout`, shared with every label showing the same text the same way.
  std::shared_ptr<const TextLayout> sharedLayout(CGFloat width, std::size_t numberOfLines) const;
  CGColor currentColor() const;
  CGFloat shrinkFactor(CGFloat width) const;
  void contentDidChange();
  void appearanceDidChange();
  const TextLayout& drawnLayout(CGSize size) const;
  CGSize measuredSize(CGFloat width, std::size_t lines) const;
  CGSize laidOutSize(CGFloat width, std::size_t lines, CGFloat scale) const;

  std::optional<std::string> text_;
  std::shared_ptr<NSAttributedString> attributedText_;
  std::shared_ptr<UIFont> font_;
  std::shared_ptr<UIColor> textColor_;
  std::shared_ptr<UIColor> highlightedTextColor_;
  NSTextAlignment textAlignment_ = NSTextAlignment::natural;
  std::size_t numberOfLines_ = 1;
  NSLineBreakMode lineBreakMode_ = NSLineBreakMode::byTruncatingTail;
  CGFloat preferredMaxLayoutWidth_ = 0;
  bool enabled_ = true;
  bool highlighted_ = false;
  struct Measurement {
    CGFloat width;
    std::size_t lines;
    CGFloat scale;
    bool adjusts;
    CGFloat minimumScale;
    CGSize size;
  };
  mutable std::vector<Measurement> measured_;
  struct DrawnLayout {
    CGSize size;
    bool adjusts;
    CGFloat minimumScale;
    std::shared_ptr<const TextLayout> layout;
  };
  mutable std::optional<DrawnLayout> drawn_;
};

// `NSTextAlignment` and `NSLineBreakMode` raw values, for interface files.
int rawValue(NSTextAlignment alignment);
std::optional<NSTextAlignment> textAlignmentFromRawValue(int raw);
int rawValue(NSLineBreakMode mode);
std::optional<NSLineBreakMode> lineBreakModeFromRawValue(int raw);

}  // namespace ios
