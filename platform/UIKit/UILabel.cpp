#include <UIKit/UILabel.h>

#include <CoreText/TextLayoutCache.h>
#include <UIKit/Nib/NibEnumNames.h>
#include <UIKit/TextDrawing.h>
#include <UIKit/UIGraphics.h>
#include <UIKit/UIScreen.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <mutex>
#include <unordered_map>

namespace ios {

namespace {

constexpr CGFloat kDefaultFontSize = 17;
constexpr CGFloat kUnlimited = std::numeric_limits<CGFloat>::infinity();
// Disabled text is drawn at this fraction of its colour's alpha.
constexpr CGFloat kDisabledAlpha = 0.44;
constexpr std::size_t kMeasurementCacheSize = 4;

const auto registration =
    ClassRegistration<UILabel, UIView>("UILabel")
        .property(
            "text", [](const UILabel& label) { return label.text().value_or(""); },
            [](UILabel& label, std::string text) { label.setText(std::move(text)); })
        .property("attributedText", &UILabel::attributedText, &UILabel::setAttributedText)
        .property("font", &UILabel::font, &UILabel::setFont)
        .property("textColor", &UILabel::textColor, &UILabel::setTextColor)
        .property("highlightedTextColor", &UILabel::highlightedTextColor, &UILabel::setHighlightedTextColor)
        .property(
            "numberOfLines", [](const UILabel& label) { return static_cast<int>(label.numberOfLines()); },
            [](UILabel& label, int lines) {
              label.setNumberOfLines(static_cast<std::size_t>(std::max(lines, 0)));
            })
        .property(
            "textAlignment", [](const UILabel& label) { return rawValue(label.textAlignment()); },
            [](UILabel& label, int raw) {
              if (auto alignment = textAlignmentFromRawValue(raw)) label.setTextAlignment(*alignment);
            })
        .property(
            "lineBreakMode", [](const UILabel& label) { return rawValue(label.lineBreakMode()); },
            [](UILabel& label, int raw) {
              if (auto mode = lineBreakModeFromRawValue(raw)) label.setLineBreakMode(*mode);
            })
        .property("enabled", &UILabel::isEnabled, &UILabel::setEnabled)
        .property("highlighted", &UILabel::isHighlighted, &UILabel::setHighlighted)
        .property("adjustsFontSizeToFitWidth", &UILabel::adjustsFontSizeToFitWidth)
        .property("minimumScaleFactor", &UILabel::minimumScaleFactor)
        .property("preferredMaxLayoutWidth", &UILabel::preferredMaxLayoutWidth,
                  &UILabel::setPreferredMaxLayoutWidth);

const NibEnumNames::Table kAlignmentNames(
    "UILabel", "textAlignment", {{"left", 0}, {"center", 1}, {"right", 2}, {"justified", 3}, {"natural", 4}});
const NibEnumNames::Table kLineBreakNames("UILabel", "lineBreakMode",
                                          {{"wordWrap", 0},
                                           {"characterWrap", 1},
                                           {"clip", 2},
                                           {"headTruncation", 3},
                                           {"tailTruncation", 4},
                                           {"middleTruncation", 5}});

CGFloat screenScale() {
  return UIScreen::main()->scale();
}

// Everything the size of a plain-text label's laid-out text depends on.
struct PlainTextKey {
  std::string text;
  CGFloat fontSize;
  UIFontWeight weight;
  bool italic;
  CGFloat width;
  std::size_t lines;
  NSLineBreakMode lineBreakMode;
  NSTextAlignment alignment;
  CGFloat scale;
  bool adjusts;
  CGFloat minimumScale;
  bool operator==(const PlainTextKey&) const = default;
};

struct PlainTextKeyHash {
  std::size_t operator()(const PlainTextKey& key) const {
    std::size_t seed = std::hash<std::string>()(key.text);
    auto mix = [&seed](std::size_t value) { seed ^= value + 0x9e3779b97f4a7c15ULL + (seed << 6) + (seed >> 2); };
    mix(std::hash<CGFloat>()(key.fontSize));
    mix(std::hash<CGFloat>()(key.width));
    mix(key.lines);
    mix(static_cast<std::size_t>(key.weight) << 8 | static_cast<std::size_t>(key.lineBreakMode) << 4 |
        static_cast<std::size_t>(key.alignment) << 1 | static_cast<std::size_t>(key.italic));
    return seed;
  }
};

// Labels showing the same plain text with the same settings take the same size, so the text is laid
// out once for all of them: a screen opened again, or rows repeating a text, measure without Pango.
class PlainTextSizes {
 public:
  std::optional<CGSize> find(const PlainTextKey& key) const {
    std::lock_guard lock(mutex_);
    auto found = sizes_.find(key);
    return found == sizes_.end() ? std::nullopt : std::optional(found->second);
  }
  void remember(PlainTextKey key, CGSize size) {
    std::lock_guard lock(mutex_);
    if (sizes_.size() >= kLimit) sizes_.clear();
    sizes_.emplace(std::move(key), size);
  }

 private:
  static constexpr std::size_t kLimit = 4096;
  mutable std::mutex mutex_;
  std::unordered_map<PlainTextKey, CGSize, PlainTextKeyHash> sizes_;
};

PlainTextSizes& plainTextSizes() {
  static PlainTextSizes sizes;
  return sizes;
}

}  // namespace

int rawValue(NSTextAlignment alignment) {
  return static_cast<int>(alignment);
}

std::optional<NSTextAlignment> textAlignmentFromRawValue(int raw) {
  if (raw < 0 || raw > static_cast<int>(NSTextAlignment::natural)) return std::nullopt;
  return static_cast<NSTextAlignment>(raw);
}

int rawValue(NSLineBreakMode mode) {
  return static_cast<int>(mode);
}

std::optional<NSLineBreakMode> lineBreakModeFromRawValue(int raw) {
  if (raw < 0 || raw > static_cast<int>(NSLineBreakMode::byTruncatingMiddle)) return std::nullopt;
  return static_cast<NSLineBreakMode>(raw);
}

std::shared_ptr<UILabel> UILabel::create(const CGRect& frame) {
  return std::make_shared<UILabel>(frame);
}

UILabel::UILabel(const CGRect& frame)
    : UIView(frame), font_(UIFont::systemFont(kDefaultFontSize)), textColor_(UIColor::black()) {
  setUserInteractionEnabled(false);
}

void UILabel::setText(std::optional<std::string> text) {
  if (!attributedText_ && text == text_) return;
  text_ = std::move(text);
  attributedText_ = nullptr;
  contentDidChange();
}

void UILabel::setAttributedText(std::shared_ptr<NSAttributedString> text) {
  if (text)
    text_ = text->string();
  else
    text_.reset();
  attributedText_ = std::move(text);
  contentDidChange();
}

void UILabel::setFont(std::shared_ptr<UIFont> font) {
  if (!font) font = UIFont::systemFont(kDefaultFontSize);
  if (sameFont(font, font_)) return;
  font_ = std::move(font);
  contentDidChange();
}

void UILabel::setTextColor(std::shared_ptr<UIColor> color) {
  if (!color) color = UIColor::black();
  textColor_ = std::move(color);
  appearanceDidChange();
}

void UILabel::setTextAlignment(NSTextAlignment alignment) {
  if (alignment == textAlignment_) return;
  textAlignment_ = alignment;
  appearanceDidChange();
}

void UILabel::setNumberOfLines(std::size_t lines) {
  if (lines == numberOfLines_) return;
  numberOfLines_ = lines;
  contentDidChange();
}

void UILabel::setLineBreakMode(NSLineBreakMode mode) {
  if (mode == lineBreakMode_) return;
  lineBreakMode_ = mode;
  contentDidChange();
}

void UILabel::setEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  appearanceDidChange();
}

void UILabel::setHighlighted(bool highlighted) {
  if (highlighted == highlighted_) return;
  highlighted_ = highlighted;
  appearanceDidChange();
}

void UILabel::setHighlightedTextColor(std::shared_ptr<UIColor> color) {
  highlightedTextColor_ = std::move(color);
  if (highlighted_) appearanceDidChange();
}

void UILabel::setPreferredMaxLayoutWidth(CGFloat width) {
  if (width == preferredMaxLayoutWidth_) return;
  preferredMaxLayoutWidth_ = width;
  invalidateIntrinsicContentSize();
}

void UILabel::appearanceDidChange() {
  drawn_.reset();
  setNeedsDisplay();
}

void UILabel::contentDidChange() {
  measured_.clear();
  drawn_.reset();
  invalidateIntrinsicContentSize();
  setNeedsDisplay();
}

void UILabel::boundsDidChange(const CGRect&) {
  setNeedsDisplay();
}

bool UILabel::hasText() const {
  return attributedText_ || (text_ && !text_->empty());
}

std::shared_ptr<const NSAttributedString> UILabel::displayedText() const {
  if (attributedText_) return attributedText_;
  if (!text_ || text_->empty()) return nullptr;
  return NSAttributedString::create(*text_);
}

CGColor UILabel::currentColor() const {
  if (highlighted_ && highlightedTextColor_) return highlightedTextColor_->cgColor();
  const CGColor& color = textColor_->cgColor();
  return enabled_ ? color : color.withAlpha(color.alpha() * kDisabledAlpha);
}

TextLayoutOptions UILabel::layoutOptions(CGFloat width, std::size_t numberOfLines) const {
  TextLayoutOptions options;
  options.width = std::isfinite(width) && width > 0 ? width : 0;
  options.numberOfLines = numberOfLines;
  options.lineBreakMode = lineBreakMode_;
  options.alignment = textAlignment_;
  options.defaultFont = font_;
  options.defaultColor = currentColor();
  if (adjustsFontSizeToFitWidth && numberOfLines == 1 && options.width > 0) {
    const CGFloat factor = shrinkFactor(options.width);
    if (factor < 1) options.defaultFont = font_->withSize(font_->pointSize() * factor);
  }
  return options;
}

TextLayout UILabel::makeLayout(CGFloat width, std::size_t numberOfLines) const {
  auto text = displayedText();
  return TextLayout(text ? text : NSAttributedString::create(), layoutOptions(width, numberOfLines));
}

std::shared_ptr<const TextLayout> UILabel::sharedLayout(CGFloat width, std::size_t numberOfLines) const {
  auto text = displayedText();
  return TextLayoutCache::forCurrentThread().layout(text ? *text : *NSAttributedString::create(),
                                                    layoutOptions(width, numberOfLines));
}

// The largest scale (down to the minimum) at which the unwrapped text fits `width`, measured once
// at full size: text widths scale with the font size closely enough for a label.
CGFloat UILabel::shrinkFactor(CGFloat width) const {
  auto text = displayedText();
  if (!text) return 1;
  TextLayoutOptions options;
  options.defaultFont = font_;
  const CGFloat natural = TextLayoutCache::forCurrentThread().layout(*text, options)->size().width;
  if (natural <= width || natural <= 0) return 1;
  const CGFloat minimum = minimumScaleFactor > 0 ? std::min<CGFloat>(minimumScaleFactor, 1) : 0.5;
  return std::max(minimum, width / natural);
}

CGRect UILabel::textRect(const CGRect& bounds, std::size_t limitedToNumberOfLines) const {
  if (!hasText()) return CGRect(bounds.origin, CGSize::zero);
  const CGSize size = measuredSize(bounds.size.width, limitedToNumberOfLines);
  return CGRect(bounds.origin, CGSize{std::min(size.width, std::max<CGFloat>(bounds.size.width, 0)),
                                      std::min(size.height, std::max<CGFloat>(bounds.size.height, 0))});
}

// Auto Layout asks for the same sizes many times a pass; laying the text out is the costly part.
CGSize UILabel::measuredSize(CGFloat width, std::size_t lines) const {
  const CGFloat scale = screenScale();
  for (const auto& m : measured_)
    if (m.width == width && m.lines == lines && m.scale == scale && m.adjusts == adjustsFontSizeToFitWidth &&
        m.minimumScale == minimumScaleFactor)
      return m.size;
  const CGSize size = laidOutSize(width, lines, scale);
  if (measured_.size() >= kMeasurementCacheSize) measured_.erase(measured_.begin());
  measured_.push_back({width, lines, scale, adjustsFontSizeToFitWidth, minimumScaleFactor, size});
  return size;
}

CGSize UILabel::laidOutSize(CGFloat width, std::size_t lines, CGFloat scale) const {
  if (attributedText_ || !text_ || !font_) return sharedLayout(width, lines)->roundedUpSize(scale);
  PlainTextKey key{*text_,          font_->pointSize(),        font_->weight(), font_->isItalic(),
                   width,           lines,                     lineBreakMode_,  textAlignment_,
                   scale,           adjustsFontSizeToFitWidth, minimumScaleFactor};
  if (auto known = plainTextSizes().find(key)) return *known;
  const CGSize size = sharedLayout(width, lines)->roundedUpSize(scale);
  plainTextSizes().remember(std::move(key), size);
  return size;
}

void UILabel::drawText(const CGRect& rect) {
  CGContext* context = UIGraphicsGetCurrentContext();
  if (!context || rect.size.width <= 0 || rect.size.height <= 0 || !hasText()) return;
  const TextLayout& layout = drawnLayout(rect.size);
  const CGFloat height = layout.size().height;
  const CGPoint origin{rect.origin.x, rect.origin.y + (rect.size.height - height) / 2};
  drawTextWithAttachments(layout, *context, origin);
}

// Laying the text out is most of a label's drawing; the layout is kept until the text, its
// attributes or the size it is drawn in change, and shared with labels showing the same text.
const TextLayout& UILabel::drawnLayout(CGSize size) const {
  if (drawn_ && drawn_->size == size && drawn_->adjusts == adjustsFontSizeToFitWidth &&
      drawn_->minimumScale == minimumScaleFactor)
    return *drawn_->layout;
  auto layout = sharedLayout(size.width, numberOfLines_);
  // Lines that do not fit the height are left out, the last one shown truncated as the line limit
  // would truncate it.
  if (layout->lineCount() > 1 && layout->size().height > size.height + 0.5) {
    std::size_t fitting = 0;
    for (const auto& line : layout->lineFragments()) {
      if (line.rect.maxY() > size.height + 0.5) break;
      ++fitting;
    }
    layout = sharedLayout(size.width, std::max<std::size_t>(fitting, 1));
  }
  drawn_.emplace(DrawnLayout{size, adjustsFontSizeToFitWidth, minimumScaleFactor, std::move(layout)});
  return *drawn_->layout;
}

void UILabel::draw(const CGRect&) {
  drawText(bounds());
}

CGSize UILabel::sizeThatFits(CGSize size) const {
  const CGFloat width = size.width > 0 ? size.width : kUnlimited;
  return textRect(CGRect(0, 0, width, kUnlimited), numberOfLines_).size;
}

CGSize UILabel::intrinsicContentSize() const {
  const CGFloat width =
      numberOfLines_ != 1 && preferredMaxLayoutWidth_ > 0 ? preferredMaxLayoutWidth_ : kUnlimited;
  return textRect(CGRect(0, 0, width, kUnlimited), numberOfLines_).size;
}

CGFloat UILabel::intrinsicHeightForWidth(CGFloat width) const {
  return textRect(CGRect(0, 0, width > 0 ? width : kUnlimited, kUnlimited), numberOfLines_).size.height;
}

}  // namespace ios
