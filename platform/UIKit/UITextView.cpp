#include <UIKit/UITextView.h>

#include <Foundation/NSString.h>
#include <UIKit/TextDrawing.h>
#include <UIKit/UIGraphics.h>
#include <UIKit/UILabel.h>
#include <UIKit/UIScreen.h>

#include <algorithm>
#include <cmath>

namespace ios {

namespace {

constexpr CGFloat kDefaultFontSize = 12;

const auto registration =
    ClassRegistration<UITextView, UIView>("UITextView")
        .property("text", &UITextView::text, &UITextView::setText)
        .property("attributedText", &UITextView::attributedText, &UITextView::setAttributedText)
        .property("font", &UITextView::font, &UITextView::setFont)
        .property("textColor", &UITextView::textColor, &UITextView::setTextColor)
        .property(
            "textAlignment", [](const UITextView& view) { return rawValue(view.textAlignment()); },
            [](UITextView& view, int raw) {
              if (auto alignment = textAlignmentFromRawValue(raw)) view.setTextAlignment(*alignment);
            })
        .property("textContainerInset", &UITextView::textContainerInset, &UITextView::setTextContainerInset)
        .property("editable", &UITextView::isEditable)
        .property("selectable", &UITextView::isSelectable);

}  // namespace

std::shared_ptr<UITextView> UITextView::create(const CGRect& frame) {
  return std::make_shared<UITextView>(frame);
}

UITextView::UITextView(const CGRect& frame)
    : UIView(frame),
      textStorage_(NSTextStorage::create()),
      layoutManager_(NSLayoutManager::create()),
      textContainer_(NSTextContainer::create()),
      font_(UIFont::systemFont(kDefaultFontSize)),
      textColor_(UIColor::black()) {
  layoutManager_->addTextContainer(textContainer_);
  textStorage_->addLayoutManager(layoutManager_);
  updateContainerSize();
}

NSAttributes UITextView::typingAttributes() const {
  NSAttributes attributes{{NSAttributedStringKey::font, font_},
                          {NSAttributedStringKey::foregroundColor, textColor_->cgColor()}};
  if (textAlignment_ != NSTextAlignment::natural) {
    auto style = NSParagraphStyle::create();
    style->alignment = textAlignment_;
    attributes.emplace(NSAttributedStringKey::paragraphStyle, style);
  }
  return attributes;
}

void UITextView::setText(const std::string& text) {
  textStorage_->setAttributedString(*NSAttributedString::create(text, typingAttributes()));
  textDidChange();
}

std::shared_ptr<NSAttributedString> UITextView::attributedText() const {
  return NSAttributedString::create(*textStorage_);
}

void UITextView::setAttributedText(const std::shared_ptr<NSAttributedString>& text) {
  textStorage_->setAttributedString(text ? *text : *NSAttributedString::create());
  textDidChange();
}

void UITextView::applyToWholeText(NSAttributedStringKey key, const NSAttributeValue& value) {
  textStorage_->addAttribute(key, value, NSRange{0, textStorage_->length()});
  setNeedsDisplay();
}

void UITextView::setFont(std::shared_ptr<UIFont> font) {
  font_ = font ? std::move(font) : UIFont::systemFont(kDefaultFontSize);
  applyToWholeText(NSAttributedStringKey::font, font_);
}

void UITextView::setTextColor(std::shared_ptr<UIColor> color) {
  textColor_ = color ? std::move(color) : UIColor::black();
  applyToWholeText(NSAttributedStringKey::foregroundColor, textColor_->cgColor());
}

void UITextView::setTextAlignment(NSTextAlignment alignment) {
  textAlignment_ = alignment;
  auto style = NSParagraphStyle::create();
  style->alignment = alignment;
  applyToWholeText(NSAttributedStringKey::paragraphStyle, style);
}

void UITextView::setTextContainerInset(const UIEdgeInsets& inset) {
  if (inset == textContainerInset_) return;
  textContainerInset_ = inset;
  updateContainerSize();
  setNeedsDisplay();
}

void UITextView::boundsDidChange(const CGRect&) {
  updateContainerSize();
  setNeedsDisplay();
}

void UITextView::updateContainerSize() {
  const CGRect b = bounds();
  textContainer_->size = {
      std::max<CGFloat>(b.size.width - textContainerInset_.left - textContainerInset_.right, 0),
      std::max<CGFloat>(b.size.height - textContainerInset_.top - textContainerInset_.bottom, 0)};
}

void UITextView::textDidChange() {
  invalidateIntrinsicContentSize();
  setNeedsDisplay();
}

bool UITextView::becomeFirstResponder() {
  if (isFirstResponder()) return true;
  if (!canBecomeFirstResponder()) return false;
  auto watcher = delegate.lock();
  if (watcher && !watcher->textViewShouldBeginEditing(*this)) return false;
  if (!UIView::becomeFirstResponder()) return false;
  if (watcher) watcher->textViewDidBeginEditing(*this);
  return true;
}

bool UITextView::resignFirstResponder() {
  if (!isFirstResponder()) return UIView::resignFirstResponder();
  UIView::resignFirstResponder();
  if (auto watcher = delegate.lock()) watcher->textViewDidEndEditing(*this);
  return true;
}

bool UITextView::replace(NSRange range, const std::string& replacement) {
  if (!isEditable) return false;
  auto watcher = delegate.lock();
  if (watcher && !watcher->shouldChangeTextIn(*this, range, replacement)) return false;
  textStorage_->replaceCharacters(range, *NSAttributedString::create(replacement, typingAttributes()));
  textDidChange();
  if (watcher) watcher->textViewDidChange(*this);
  return true;
}

void UITextView::insertText(const std::string& text) {
  if (!text.empty()) replace(NSRange{textStorage_->length(), 0}, text);
}

void UITextView::deleteBackward() {
  const std::string& current = textStorage_->string();
  if (current.empty()) return;
  if (auto range = nsRange(current, ByteRange{lastCharacterStart(current), current.size()}))
    replace(*range, "");
}

CGSize UITextView::sizeThatFits(CGSize size) const {
  const CGFloat width = size.width > 0 ? size.width : bounds().size.width;
  auto container = NSTextContainer::create(
      {std::max<CGFloat>(width - textContainerInset_.left - textContainerInset_.right, 0), 0});
  container->lineFragmentPadding = textContainer_->lineFragmentPadding;
  auto manager = NSLayoutManager::create();
  manager->addTextContainer(container);
  auto storage = NSTextStorage::create();
  storage->setAttributedString(*textStorage_);
  storage->addLayoutManager(manager);
  const CGRect used = manager->usedRect(*container);
  const CGFloat scale = UIScreen::main()->scale();
  return {width,
          std::ceil((used.maxY() + textContainerInset_.top + textContainerInset_.bottom) * scale) / scale};
}

void UITextView::draw(const CGRect&) {
  CGContext* context = UIGraphicsGetCurrentContext();
  const TextLayout* layout = layoutManager_->layout();
  if (!context || !layout) return;
  drawTextWithAttachments(*layout, *context, CGPoint{textContainerInset_.left, textContainerInset_.top});
}

}  // namespace ios
