#pragma once

#include <CoreGraphics/CGColor.h>
#include <CoreText/NSMutableParagraphStyle.h>
#include <CoreText/NSTextAttachment.h>
#include <CoreText/UIFont.h>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <variant>

namespace ios {

// NSAttributedString.Key: the attributes the toolkit knows. The value type each key expects is
// given beside it; a value of another type is kept but ignored by layout and drawing.
enum class NSAttributedStringKey {
  font,                // UIFont
  foregroundColor,     // CGColor
  backgroundColor,     // CGColor
  strokeColor,         // CGColor
  strokeWidth,         // number (0 = fill only; positive = outline only; negative = both)
  strikethroughStyle,  // number, NSUnderlineStyle bits
  strikethroughColor,  // CGColor
  underlineStyle,      // number, NSUnderlineStyle bits
  underlineColor,      // CGColor
  paragraphStyle,      // NSParagraphStyle
  kern,                // number, extra advance in points after each character
  baselineOffset,      // number, points up
  link,                // text (a URL)
  attachment,          // NSTextAttachment
};

// NSUnderlineStyle raw values (an option set: style in the low byte, pattern above).
enum class NSUnderlineStyle : std::int64_t { none = 0, single = 1, thick = 2, double_ = 9 };

// One attribute value. Numbers are stored as double, as NSNumber would hold them.
class NSAttributeValue {
 public:
  using Storage = std::variant<double, CGColor, std::string, std::shared_ptr<const UIFont>,
                               std::shared_ptr<const NSParagraphStyle>, std::shared_ptr<NSTextAttachment>>;

  template <typename Integer>
  requires std::is_integral_v<Integer> NSAttributeValue(Integer number)
      : value_(static_cast<double>(number)) {}
  NSAttributeValue(double number) : value_(number) {}
  NSAttributeValue(NSUnderlineStyle style) : value_(static_cast<double>(style)) {}
  NSAttributeValue(const CGColor& color) : value_(color) {}
  NSAttributeValue(std::string text) : value_(std::move(text)) {}
  NSAttributeValue(const char* text) : value_(std::string(text)) {}
  NSAttributeValue(std::shared_ptr<const UIFont> font) : value_(std::move(font)) {}
  NSAttributeValue(std::shared_ptr<UIFont> font) : value_(std::shared_ptr<const UIFont>(std::move(font))) {}
  // The style is copied, so later changes to the caller's object do not reach the text.
  NSAttributeValue(const std::shared_ptr<const NSParagraphStyle>& style);
  NSAttributeValue(const std::shared_ptr<NSParagraphStyle>& style);
  NSAttributeValue(const std::shared_ptr<NSMutableParagraphStyle>& style);
  NSAttributeValue(std::shared_ptr<NSTextAttachment> attachment) : value_(std::move(attachment)) {}

  const Storage& storage() const { return value_; }
  // Typed reads: nullopt / nullptr when the value holds another type.
  std::optional<double> number() const;
  std::optional<CGColor> color() const;
  std::optional<std::string> text() const;
  std::shared_ptr<const UIFont> font() const;
  std::shared_ptr<const NSParagraphStyle> paragraphStyle() const;
  std::shared_ptr<NSTextAttachment> attachment() const;

  // Fonts and paragraph styles compare by value, attachments by identity.
  friend bool operator==(const NSAttributeValue& a, const NSAttributeValue& b);

 private:
  Storage value_;
};

using NSAttributes = std::map<NSAttributedStringKey, NSAttributeValue>;

bool attributesEqual(const NSAttributes& a, const NSAttributes& b);

}  // namespace ios
