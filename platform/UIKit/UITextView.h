#pragma once

#include <CoreGraphics/UIEdgeInsets.h>
#include <CoreText/NSLayoutManager.h>
#include <CoreText/NSTextContainer.h>
#include <CoreText/NSTextStorage.h>
#include <CoreText/UIFont.h>
#include <UIKit/UIView.h>

#include <memory>
#include <string>

namespace ios {

class UITextView;

// What a text view asks and tells its delegate; every question is answered yes by default.
class UITextViewDelegate {
 public:
  virtual ~UITextViewDelegate() = default;
  virtual bool textViewShouldBeginEditing(UITextView&) { return true; }
  virtual void textViewDidBeginEditing(UITextView&) {}
  virtual void textViewDidEndEditing(UITextView&) {}
  // `range` is in UTF-16 units of the current text; refusing keeps the text as it is.
  virtual bool shouldChangeTextIn(UITextView&, NSRange /*range*/, const std::string& /*replacement*/) {
    return true;
  }
  virtual void textViewDidChange(UITextView&) {}
};

// Multi-line text drawn through TextKit: the view owns a text storage, a layout manager and a
// text container (line fragment padding 5) whose width follows the bounds less
// `textContainerInset` (8 points above and below). The text is drawn from the inset's top-left
// corner; there is no scrolling.
//
// `font`, `textColor` and `textAlignment` apply to the whole text when set, and to plain text set
// later. Setting a null attributed text empties the view.
//
// Editable text views become first responder and take `insertText`/`deleteBackward` at the end of
// the text, each change going through the delegate's `shouldChangeTextIn`.
class UITextView : public UIView {
 public:
  static std::shared_ptr<UITextView> create(const CGRect& frame = CGRect::zero);
  explicit UITextView(const CGRect& frame = CGRect::zero);

  std::string text() const { return textStorage_->string(); }
  void setText(const std::string& text);
  // A copy of the text and its attributes.
  std::shared_ptr<NSAttributedString> attributedText() const;
  void setAttributedText(const std::shared_ptr<NSAttributedString>& text);

  // Null restores the defaults: the system font at 12 points, black.
  const std::shared_ptr<UIFont>& font() const { return font_; }
  void setFont(std::shared_ptr<UIFont> font);
  const std::shared_ptr<UIColor>& textColor() const { return textColor_; }
  void setTextColor(std::shared_ptr<UIColor> color);
  NSTextAlignment textAlignment() const { return textAlignment_; }
  void setTextAlignment(NSTextAlignment alignment);
  UIEdgeInsets textContainerInset() const { return textContainerInset_; }
  void setTextContainerInset(const UIEdgeInsets& inset);

  bool isEditable = true;
  bool isSelectable = true;
  std::weak_ptr<UITextViewDelegate> delegate;

  const std::shared_ptr<NSTextContainer>& textContainer() const { return textContainer_; }
  const std::shared_ptr<NSLayoutManager>& layoutManager() const { return layoutManager_; }
  const std::shared_ptr<NSTextStorage>& textStorage() const { return textStorage_; }

  bool canBecomeFirstResponder() const override { return isEditable; }
  bool becomeFirstResponder() override;
  bool resignFirstResponder() override;
  void insertText(const std::string& text);
  void deleteBackward();

  // The text's height at the width of `size` (or the current width when 0), with the insets.
  CGSize sizeThatFits(CGSize size) const override;
  void draw(const CGRect& rect) override;

 protected:
  void boundsDidChange(const CGRect& oldBounds) override;

 private:
  NSAttributes typingAttributes() const;
  void applyToWholeText(NSAttributedStringKey key, const NSAttributeValue& value);
  void updateContainerSize();
  bool replace(NSRange range, const std::string& replacement);
  void textDidChange();

  std::shared_ptr<NSTextStorage> textStorage_;
  std::shared_ptr<NSLayoutManager> layoutManager_;
  std::shared_ptr<NSTextContainer> textContainer_;
  std::shared_ptr<UIFont> font_;
  std::shared_ptr<UIColor> textColor_;
  NSTextAlignment textAlignment_ = NSTextAlignment::natural;
  UIEdgeInsets textContainerInset_{8, 0, 8, 0};
};

}  // namespace ios
