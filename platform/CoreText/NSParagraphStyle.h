#pragma once

#include <CoreGraphics/CGGeometry.h>
#include <Foundation/NSObject.h>

#include <memory>

namespace ios {

// `natural` is `left` here: the toolkit lays out left-to-right text only.
enum class NSTextAlignment { left, center, right, justified, natural };

enum class NSLineBreakMode {
  byWordWrapping,
  byCharWrapping,
  byClipping,
  byTruncatingHead,
  byTruncatingTail,
  byTruncatingMiddle,
};

// Paragraph attributes. An attributed string keeps its own copy of the style it is given (see
// NSAttributedString), so changing an NSMutableParagraphStyle after adding it changes nothing, as
// on the platform where the style is copied.
class NSParagraphStyle : public NSObject {
 public:
  static std::shared_ptr<NSParagraphStyle> create() { return std::make_shared<NSParagraphStyle>(); }
  // `NSParagraphStyle.default`.
  static std::shared_ptr<const NSParagraphStyle> defaultStyle();

  NSTextAlignment alignment = NSTextAlignment::natural;
  CGFloat lineSpacing = 0;  // extra space between the lines of a paragraph
  CGFloat minimumLineHeight = 0;
  CGFloat maximumLineHeight = 0;  // 0 = no limit
  CGFloat paragraphSpacing = 0;   // after the paragraph
  CGFloat paragraphSpacingBefore = 0;
  CGFloat firstLineHeadIndent = 0;
  CGFloat headIndent = 0;
  CGFloat tailIndent = 0;
  NSLineBreakMode lineBreakMode = NSLineBreakMode::byWordWrapping;

  // A new style with the same values (objects themselves are not copyable).
  std::shared_ptr<NSParagraphStyle> copy() const;
  bool isEqual(const NSParagraphStyle& other) const;
  friend bool operator==(const NSParagraphStyle& a, const NSParagraphStyle& b) { return a.isEqual(b); }
};

}  // namespace ios
