#pragma once

#include <CoreText/NSAttributedString.h>
#include <CoreText/UIFont.h>
#include <UIKit/UIControl.h>

#include <memory>
#include <optional>
#include <string>

namespace ios {

class UITextField;
class UIButton;

// Raw values as UIKit's.
enum class UITextBorderStyle { none = 0, line = 1, bezel = 2, roundedRect = 3 };
enum class UITextFieldViewMode { never = 0, whileEditing = 1, unlessEditing = 2, always = 3 };
enum class UIKeyboardType {
  defaultType = 0,
  asciiCapable,
  numbersAndPunctuation,
  url,
  numberPad,
  phonePad,
  namePhonePad,
  emailAddress,
  decimalPad,
  twitter,
  webSearch,
  asciiCapableNumberPad,
};

// What a text field asks and tells its delegate; every question is answered yes by default.
class UITextFieldDelegate {
 public:
  virtual ~UITextFieldDelegate() = default;
  virtual bool textFieldShouldBeginEditing(UITextField&) { return true; }
  virtual void textFieldDidBeginEditing(UITextField&) {}
  virtual bool textFieldShouldEndEditing(UITextField&) { return true; }
  virtual void textFieldDidEndEditing(UITextField&) {}
  // `range` is in UTF-16 units of the current text; refusing keeps the text as it is.
  virtual bool shouldChangeCharactersIn(UITextField&, NSRange /*range*/, const std::string& /*replacement*/) {
    return true;
  }
  virtual bool textFieldShouldClear(UITextField&) { return true; }
  virtual bool textFieldShouldReturn(UITextField&) { return true; }
};

// A one-line editable text control. It draws its text (bullets when secure), or the placeholder
// when the text is empty, in `textRect(bounds)`, vertically centred, shifted by the layer's
// `sublayerTransform` like the rest of its content; left and right views and the clear button sit
// at the ends by their modes.
//
// Editing: a tap or `becomeFirstResponder()` starts editing when the field is enabled and the
// delegate agrees (editingDidBegin is sent); `resignFirstResponder()` ends it (editingDidEnd).
// `insertText` and `deleteBackward` edit at the end of the text, as the keyboard does, each change
// going through the delegate's `shouldChangeCharactersIn` and, when made, sending editingChanged.
// Inserting "\n" is the return key: it asks `textFieldShouldReturn` and sends editingDidEndOnExit.
// Setting `text` in code sends nothing.
class UITextField : public UIControl {
 public:
  static std::shared_ptr<UITextField> create(const CGRect& frame = CGRect::zero);
  explicit UITextField(const CGRect& frame = CGRect::zero);

  const std::optional<std::string>& text() const { return text_; }
  void setText(std::optional<std::string> text);
  const std::optional<std::string>& placeholder() const { return placeholder_; }
  // Also replaces the attributed placeholder with the text in the default placeholder colour.
  void setPlaceholder(std::optional<std::string> placeholder);
  const std::shared_ptr<NSAttributedString>& attributedPlaceholder() const { return attributedPlaceholder_; }
  // Also sets `placeholder` to its string.
  void setAttributedPlaceholder(std::shared_ptr<NSAttributedString> placeholder);

  // Null restores the defaults: the system font at 17 points, black.
  const std::shared_ptr<UIFont>& font() const { return font_; }
  void setFont(std::shared_ptr<UIFont> font);
  const std::shared_ptr<UIColor>& textColor() const { return textColor_; }
  void setTextColor(std::shared_ptr<UIColor> color);
  NSTextAlignment textAlignment() const { return textAlignment_; }
  void setTextAlignment(NSTextAlignment alignment);
  UITextBorderStyle borderStyle() const { return borderStyle_; }
  void setBorderStyle(UITextBorderStyle style);
  bool isSecureTextEntry() const { return secure_; }
  void setSecureTextEntry(bool secure);
  UIKeyboardType keyboardType = UIKeyboardType::defaultType;

  const std::shared_ptr<UIView>& leftView() const { return leftView_; }
  void setLeftView(std::shared_ptr<UIView> view);
  UITextFieldViewMode leftViewMode() const { return leftViewMode_; }
  void setLeftViewMode(UITextFieldViewMode mode);
  const std::shared_ptr<UIView>& rightView() const { return rightView_; }
  void setRightView(std::shared_ptr<UIView> view);
  UITextFieldViewMode rightViewMode() const { return rightViewMode_; }
  void setRightViewMode(UITextFieldViewMode mode);
  UITextFieldViewMode clearButtonMode() const { return clearButtonMode_; }
  void setClearButtonMode(UITextFieldViewMode mode);
  // The button that clears the text (made when the mode first asks for one; also the key-value
  // key "clearButton"). Null until then.
  const std::shared_ptr<UIButton>& clearButton() const { return clearButton_; }

  // Shown at the bottom of the window instead of the keyboard while editing (UIInputViewHost), the
  // accessory above it; read when editing begins.
  std::shared_ptr<UIView> inputView;
  std::shared_ptr<UIView> inputAccessoryView;

  std::weak_ptr<UITextFieldDelegate> delegate;

  bool isEditing() const { return editing_; }
  bool canBecomeFirstResponder() const override { return isEnabled(); }
  bool becomeFirstResponder() override;
  bool resignFirstResponder() override;
  void insertText(const std::string& text);
  void deleteBackward();
  bool hasText() const { return text_ && !text_->empty(); }

  // Where the text, the placeholder and the editing text go within `bounds`.
  virtual CGRect textRect(const CGRect& bounds) const;
  virtual CGRect placeholderRect(const CGRect& bounds) const { return textRect(bounds); }
  virtual CGRect editingRect(const CGRect& bounds) const { return textRect(bounds); }

  void draw(const CGRect& rect) override;
  void layoutSubviews() override;
  CGSize intrinsicContentSize() const override;
  void endTracking(const UITouch* touch, const UIEvent* event) override;

 private:
  bool shows(UITextFieldViewMode mode) const;
  void ensureClearButton();
  void clearText();
  // Replaces `range` of the text when the delegate agrees; true when changed.
  bool replace(NSRange range, const std::string& replacement);
  std::shared_ptr<const NSAttributedString> shownText() const;
  void contentDidChange();

  std::optional<std::string> text_;
  std::optional<std::string> placeholder_;
  std::shared_ptr<NSAttributedString> attributedPlaceholder_;
  std::shared_ptr<UIFont> font_;
  std::shared_ptr<UIColor> textColor_;
  NSTextAlignment textAlignment_ = NSTextAlignment::natural;
  UITextBorderStyle borderStyle_ = UITextBorderStyle::none;
  bool secure_ = false;
  std::shared_ptr<UIView> leftView_;
  std::shared_ptr<UIView> rightView_;
  UITextFieldViewMode leftViewMode_ = UITextFieldViewMode::never;
  UITextFieldViewMode rightViewMode_ = UITextFieldViewMode::never;
  UITextFieldViewMode clearButtonMode_ = UITextFieldViewMode::never;
  std::shared_ptr<UIButton> clearButton_;
  bool editing_ = false;
};

}  // namespace ios
