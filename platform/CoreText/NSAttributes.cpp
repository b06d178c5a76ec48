#include <CoreText/NSAttributes.h>

namespace ios {

namespace {
std::shared_ptr<const NSParagraphStyle> copyOf(const NSParagraphStyle* style) {
  if (!style) return nullptr;
  return style->copy();
}
}  // namespace

NSAttributeValue::NSAttributeValue(const std::shared_ptr<const NSParagraphStyle>& style)
    : value_(copyOf(style.get())) {}
NSAttributeValue::NSAttributeValue(const std::shared_ptr<NSParagraphStyle>& style)
    : value_(copyOf(style.get())) {}
NSAttributeValue::NSAttributeValue(const std::shared_ptr<NSMutableParagraphStyle>& style)
    : value_(copyOf(style.get())) {}

std::optional<double> NSAttributeValue::number() const {
  if (auto* v = std::get_if<double>(&value_)) return *v;
  return std::nullopt;
}

std::optional<CGColor> NSAttributeValue::color() const {
  if (auto* v = std::get_if<CGColor>(&value_)) return *v;
  return std::nullopt;
}

std::optional<std::string> NSAttributeValue::text() const {
  if (auto* v = std::get_if<std::string>(&value_)) return *v;
  return std::nullopt;
}

std::shared_ptr<const UIFont> NSAttributeValue::font() const {
  if (auto* v = std::get_if<std::shared_ptr<const UIFont>>(&value_)) return *v;
  return nullptr;
}

std::shared_ptr<const NSParagraphStyle> NSAttributeValue::paragraphStyle() const {
  if (auto* v = std::get_if<std::shared_ptr<const NSParagraphStyle>>(&value_)) return *v;
  return nullptr;
}

std::shared_ptr<NSTextAttachment> NSAttributeValue::attachment() const {
  if (auto* v = std::get_if<std::shared_ptr<NSTextAttachment>>(&value_)) return *v;
  return nullptr;
}

bool operator==(const NSAttributeValue& a, const NSAttributeValue& b) {
  if (a.value_.index() != b.value_.index()) return false;
  if (auto font = a.font()) return sameFont(font, b.font());
  if (auto style = a.paragraphStyle()) {
    auto other = b.paragraphStyle();
    return other && *style == *other;
  }
  return a.value_ == b.value_;
}

bool attributesEqual(const NSAttributes& a, const NSAttributes& b) {
  return a == b;
}

}  // namespace ios
