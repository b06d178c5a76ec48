#include <UIKit/UITextField.h>

#include <Foundation/NSString.h>
#include <UIKit/Nib/NibEnumNames.h>
#include <UIKit/TextDrawing.h>
#include <UIKit/UIBezierPath.h>
#include <UIKit/UIButton.h>
#include <UIKit/UIGraphics.h>
#include <UIKit/UIInputViewHost.h>
#include <UIKit/UITouch.h>

#include <algorithm>
#include <cmath>

namespace ios {

namespace {

constexpr CGFloat kDefaultFontSize = 17;
// Space between a border and the text.
constexpr CGFloat kBorderPadding = 7;
constexpr CGFloat kClearButtonSize = 19;
constexpr CGFloat kCaretWidth = 2;
const std::string kBullet = "\u2022";

CGColor placeholderColor() {
  return CGColor::rgb(60 / 255.0, 60 / 255.0, 67 / 255.0, 0.3);
}

template <class E>
auto enumKey(E (UITextField::*get)() const, void (UITextField::*set)(E), E last) {
  return std::pair{[get](const UITextField& field) { return static_cast<int>((field.*get)()); },
                   [set, last](UITextField& field, int raw) {
                     if (raw >= 0 && raw <= static_cast<int>(last)) (field.*set)(static_cast<E>(raw));
                   }};
}

const bool registered = [] {
  auto registration =
      ClassRegistration<UITextField, UIControl>("UITextField")
          .property(
              "text", [](const UITextField& field) { return field.text().value_or(""); },
              [](UITextField& field, std::string text) { field.setText(std::move(text)); })
          .property(
              "placeholder", [](const UITextField& field) { return field.placeholder().value_or(""); },
              [](UITextField& field, std::string text) { field.setPlaceholder(std::move(text)); })
          .property("attributedPlaceholder", &UITextField::attributedPlaceholder,
                    &UITextField::setAttributedPlaceholder)
          .property("font", &UITextField::font, &UITextField::setFont)
          .property("textColor", &UITextField::textColor, &UITextField::setTextColor)
          .property("secureTextEntry", &UITextField::isSecureTextEntry, &UITextField::setSecureTextEntry)
          .property(
              "keyboardType", [](const UITextField& field) { return static_cast<int>(field.keyboardType); },
              [](UITextField& field, int raw) {
                if (raw >= 0 && raw <= static_cast<int>(UIKeyboardType::asciiCapableNumberPad))
                  field.keyboardType = static_cast<UIKeyboardType>(raw);
              })
          .property("leftView", &UITextField::leftView, &UITextField::setLeftView)
          .property("rightView", &UITextField::rightView, &UITextField::setRightView)
          .property("inputView", &UITextField::inputView)
          .property("inputAccessoryView", &UITextField::inputAccessoryView)
          .property("clearButton", [](const UITextField& field) {
            return std::static_pointer_cast<NSObject>(field.clearButton());
          });
  auto add = [&](const char* key, auto accessors) {
    registration.property(key, accessors.first, accessors.second);
  };
  add("textAlignment",
      enumKey(&UITextField::textAlignment, &UITextField::setTextAlignment, NSTextAlignment::natural));
  add("borderStyle",
      enumKey(&UITextField::borderStyle, &UITextField::setBorderStyle, UITextBorderStyle::roundedRect));
  add("leftViewMode",
      enumKey(&UITextField::leftViewMode, &UITextField::setLeftViewMode, UITextFieldViewMode::always));
  add("rightViewMode",
      enumKey(&UITextField::rightViewMode, &UITextField::setRightViewMode, UITextFieldViewMode::always));
  add("clearButtonMode",
      enumKey(&UITextField::clearButtonMode, &UITextField::setClearButtonMode, UITextFieldViewMode::always));
  return true;
}();

const NibEnumNames::Table kAlignmentNames(
    "UITextField", "textAlignment",
    {{"left", 0}, {"center", 1}, {"right", 2}, {"justified", 3}, {"natural", 4}});
const NibEnumNames::Table kBorderNames("UITextField", "borderStyle",
                                       {{"none", 0}, {"line", 1}, {"bezel", 2}, {"roundedRect", 3}});
const NibEnumNames::Names kModes{{"never", 0}, {"whileEditing", 1}, {"unlessEditing", 2}, {"always", 3}};
const NibEnumNames::Table kClearModeNames("UITextField", "clearButtonMode", kModes);
const NibEnumNames::Table kLeftModeNames("UITextField", "leftViewMode", kModes);
const NibEnumNames::Table kRightModeNames("UITextField", "rightViewMode", kModes);

}  // namespace

std::shared_ptr<UITextField> UITextField::create(const CGRect& frame) {
  return std::make_shared<UITextField>(frame);
}

UITextField::UITextField(const CGRect& frame)
    : UIControl(frame), font_(UIFont::systemFont(kDefaultFontSize)), textColor_(UIColor::black()) {}

void UITextField::contentDidChange() {
  invalidateIntrinsicContentSize();
  setNeedsLayout();
  setNeedsDisplay();
}

void UITextField::setText(std::optional<std::string> text) {
  if (text == text_) return;
  text_ = std::move(text);
  contentDidChange();
}

void UITextField::setPlaceholder(std::optional<std::string> placeholder) {
  placeholder_ = std::move(placeholder);
  attributedPlaceholder_ =
      placeholder_ ? NSAttributedString::create(
                         *placeholder_, {{NSAttributedStringKey::foregroundColor, placeholderColor()}})
                   : nullptr;
  contentDidChange();
}

void UITextField::setAttributedPlaceholder(std::shared_ptr<NSAttributedString> placeholder) {
  if (placeholder)
    placeholder_ = placeholder->string();
  else
    placeholder_.reset();
  attributedPlaceholder_ = std::move(placeholder);
  contentDidChange();
}

void UITextField::setFont(std::shared_ptr<UIFont> font) {
  font_ = font ? std::move(font) : UIFont::systemFont(kDefaultFontSize);
  contentDidChange();
}

void UITextField::setTextColor(std::shared_ptr<UIColor> color) {
  textColor_ = color ? std::move(color) : UIColor::black();
  setNeedsDisplay();
}

void UITextField::setTextAlignment(NSTextAlignment alignment) {
  textAlignment_ = alignment;
  setNeedsDisplay();
}

void UITextField::setBorderStyle(UITextBorderStyle style) {
  if (style == borderStyle_) return;
  borderStyle_ = style;
  contentDidChange();
}

void UITextField::setSecureTextEntry(bool secure) {
  if (secure == secure_) return;
  secure_ = secure;
  contentDidChange();
}

void UITextField::setLeftView(std::shared_ptr<UIView> view) {
  if (view == leftView_) return;
  if (leftView_) leftView_->removeFromSuperview();
  leftView_ = std::move(view);
  if (leftView_) addSubview(leftView_);
  contentDidChange();
}

void UITextField::setRightView(std::shared_ptr<UIView> view) {
  if (view == rightView_) return;
  if (rightView_) rightView_->removeFromSuperview();
  rightView_ = std::move(view);
  if (rightView_) addSubview(rightView_);
  contentDidChange();
}

void UITextField::setLeftViewMode(UITextFieldViewMode mode) {
  leftViewMode_ = mode;
  contentDidChange();
}

void UITextField::setRightViewMode(UITextFieldViewMode mode) {
  rightViewMode_ = mode;
  contentDidChange();
}

void UITextField::setClearButtonMode(UITextFieldViewMode mode) {
  clearButtonMode_ = mode;
  if (mode != UITextFieldViewMode::never) ensureClearButton();
  contentDidChange();
}

void UITextField::ensureClearButton() {
  if (clearButton_) return;
  clearButton_ = UIButton::create(CGRect(0, 0, kClearButtonSize, kClearButtonSize));
  clearButton_->setTitle("\u2715", UIControl::normal);
  clearButton_->setTitleColor(UIColor::gray(), UIControl::normal);
  clearButton_->titleLabel()->setFont(UIFont::systemFont(12));
  std::weak_ptr<NSObject> weak = weak_from_this();
  clearButton_->addAction(
      [weak](UIControl&) {
        if (auto self = std::static_pointer_cast<UITextField>(weak.lock())) self->clearText();
      },
      UIControl::touchUpInside);
  addSubview(clearButton_);
}

void UITextField::clearText() {
  auto watcher = delegate.lock();
  if (watcher && !watcher->textFieldShouldClear(*this)) return;
  setText(std::string());
  sendActions(editingChanged);
}

bool UITextField::shows(UITextFieldViewMode mode) const {
  switch (mode) {
    case UITextFieldViewMode::never:
      return false;
    case UITextFieldViewMode::whileEditing:
      return editing_;
    case UITextFieldViewMode::unlessEditing:
      return !editing_;
    case UITextFieldViewMode::always:
      return true;
  }
  return false;
}

bool UITextField::becomeFirstResponder() {
  if (isFirstResponder()) return true;
  if (!canBecomeFirstResponder()) return false;
  auto watcher = delegate.lock();
  if (watcher && !watcher->textFieldShouldBeginEditing(*this)) return false;
  if (!UIControl::becomeFirstResponder()) return false;
  editing_ = true;
  contentDidChange();
  UIInputViewHost::show(window(), inputView, inputAccessoryView);
  if (watcher) watcher->textFieldDidBeginEditing(*this);
  sendActions(editingDidBegin);
  return true;
}

bool UITextField::resignFirstResponder() {
  if (!isFirstResponder()) return UIControl::resignFirstResponder();
  auto watcher = delegate.lock();
  if (watcher && !watcher->textFieldShouldEndEditing(*this)) return false;
  UIControl::resignFirstResponder();
  editing_ = false;
  contentDidChange();
  UIInputViewHost::hide(inputView, inputAccessoryView);
  if (watcher) watcher->textFieldDidEndEditing(*this);
  sendActions(editingDidEnd);
  return true;
}

bool UITextField::replace(NSRange range, const std::string& replacement) {
  const std::string current = text_.value_or("");
  auto bytes = byteRange(current, range);
  if (!bytes) return false;
  if (auto watcher = delegate.lock();
      watcher && !watcher->shouldChangeCharactersIn(*this, range, replacement))
    return false;
  setText(current.substr(0, bytes->begin) + replacement + current.substr(bytes->end));
  sendActions(editingChanged);
  return true;
}

void UITextField::insertText(const std::string& text) {
  if (text == "\n") {
    auto watcher = delegate.lock();
    if (!watcher || watcher->textFieldShouldReturn(*this)) sendActions(editingDidEndOnExit);
    return;
  }
  if (text.empty()) return;
  replace(NSRange{utf16Length(text_.value_or("")), 0}, text);
}

void UITextField::deleteBackward() {
  if (!hasText()) return;
  const std::size_t start = lastCharacterStart(*text_);
  auto range = nsRange(*text_, ByteRange{start, text_->size()});
  if (range) replace(*range, "");
}

void UITextField::endTracking(const UITouch* touch, const UIEvent*) {
  if (touch && bounds().contains(touch->location(this))) becomeFirstResponder();
}

CGRect UITextField::textRect(const CGRect& bounds) const {
  CGRect rect = bounds;
  if (borderStyle_ != UITextBorderStyle::none) rect = rect.insetBy(kBorderPadding, 0);
  if (leftView_ && shows(leftViewMode_)) {
    const CGFloat width = leftView_->frame().size.width;
    rect.origin.x = bounds.origin.x + width;
    rect.size.width =
        bounds.maxX() - rect.origin.x - (borderStyle_ != UITextBorderStyle::none ? kBorderPadding : 0);
  }
  CGFloat trailing = 0;
  if (rightView_ && shows(rightViewMode_)) trailing += rightView_->frame().size.width;
  if (clearButton_ && shows(clearButtonMode_) && hasText()) trailing += kClearButtonSize + kBorderPadding;
  rect.size.width = std::max<CGFloat>(rect.size.width - trailing, 0);
  return rect;
}

void UITextField::layoutSubviews() {
  UIControl::layoutSubviews();
  const CGRect b = bounds();
  if (leftView_) {
    const CGSize size = leftView_->frame().size;
    leftView_->setFrame(
        CGRect(b.origin.x, b.origin.y + (b.size.height - size.height) / 2, size.width, size.height));
    leftView_->setHidden(!shows(leftViewMode_));
  }
  CGFloat right = b.maxX();
  if (rightView_) {
    const CGSize size = rightView_->frame().size;
    right -= size.width;
    rightView_->setFrame(
        CGRect(right, b.origin.y + (b.size.height - size.height) / 2, size.width, size.height));
    rightView_->setHidden(!shows(rightViewMode_));
    if (rightView_->isHidden()) right += size.width;
  }
  if (clearButton_) {
    clearButton_->setFrame(CGRect(right - kClearButtonSize - kBorderPadding / 2,
                                  b.origin.y + (b.size.height - kClearButtonSize) / 2, kClearButtonSize,
                                  kClearButtonSize));
    clearButton_->setHidden(!(shows(clearButtonMode_) && hasText()));
  }
}

std::shared_ptr<const NSAttributedString> UITextField::shownText() const {
  if (!hasText()) return attributedPlaceholder_;
  if (!secure_) return NSAttributedString::create(*text_);
  std::string bullets;
  for (std::size_t i = graphemeCount(*text_); i > 0; --i) bullets += kBullet;
  return NSAttributedString::create(bullets);
}

void UITextField::draw(const CGRect&) {
  CGContext* context = UIGraphicsGetCurrentContext();
  if (!context) return;
  const CGRect b = bounds();
  if (borderStyle_ == UITextBorderStyle::roundedRect) {
    auto path = UIBezierPath::roundedRect(b.insetBy(0.5, 0.5), 5);
    context->setFillColor(CGColor::white());
    context->beginPath();
    context->addPath(path->cgPath());
    context->fillPath();
    context->setStrokeColor(CGColor::grey(0.8));
    context->setLineWidth(1);
    context->beginPath();
    context->addPath(path->cgPath());
    context->strokePath();
  } else if (borderStyle_ != UITextBorderStyle::none) {
    context->setStrokeColor(borderStyle_ == UITextBorderStyle::line ? CGColor::black() : CGColor::grey(0.5));
    context->setLineWidth(1);
    context->stroke(b.insetBy(0.5, 0.5));
  }

  auto text = shownText();
  const CGRect rect = hasText() ? (editing_ ? editingRect(b) : textRect(b)) : placeholderRect(b);
  if (rect.size.width <= 0) return;
  context->saveGState();
  // The field's content moves with its sublayers, as a padding set through the layer expects.
  context->concatenate(affineProjection(layer()->sublayerTransform()));
  context->clip(rect);
  TextLayoutOptions options;
  options.numberOfLines = 1;
  options.alignment = textAlignment_;
  options.defaultFont = font_;
  options.defaultColor = textColor_->cgColor();
  CGFloat x = rect.origin.x;
  CGFloat textWidth = 0;
  std::optional<TextLayout> layout;
  if (text && text->length() > 0) {
    layout.emplace(text, options);
    textWidth = layout->size().width;
    if (textWidth <= rect.size.width) {
      options.width = rect.size.width;  // room for the alignment to act
      layout.emplace(text, options);
    } else if (editing_) {
      x = rect.maxX() - textWidth;  // the end of the text stays in view while typing
    }
  }
  const CGFloat lineHeight = font_->lineHeight();
  const CGFloat y = rect.origin.y + (rect.size.height - (layout ? layout->size().height : lineHeight)) / 2;
  if (layout) drawTextWithAttachments(*layout, *context, CGPoint{x, y});
  if (editing_) {
    CGFloat caretX = hasText() ? (layout ? x + layout->usedRect().maxX() : x) : rect.origin.x;
    if (!hasText() && (textAlignment_ == NSTextAlignment::center)) caretX = rect.midX();
    if (!hasText() && (textAlignment_ == NSTextAlignment::right)) caretX = rect.maxX() - kCaretWidth;
    context->setFillColor(tintColor()->cgColor());
    context->fill(
        CGRect(caretX, rect.origin.y + (rect.size.height - lineHeight) / 2, kCaretWidth, lineHeight));
  }
  context->restoreGState();
}

CGSize UITextField::intrinsicContentSize() const {
  auto text = shownText();
  TextLayoutOptions options;
  options.defaultFont = font_;
  CGFloat width = text ? std::ceil(TextLayout(text, options).size().width) : 0;
  const bool bordered = borderStyle_ != UITextBorderStyle::none;
  if (bordered) width += 2 * kBorderPadding;
  if (leftView_ && shows(leftViewMode_)) width += leftView_->frame().size.width;
  if (rightView_ && shows(rightViewMode_)) width += rightView_->frame().size.width;
  CGFloat height = std::ceil(font_->lineHeight()) + (bordered ? 2 * kBorderPadding : 0);
  return {width, height};
}

}  // namespace ios
