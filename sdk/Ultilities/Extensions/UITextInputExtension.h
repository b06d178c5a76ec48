#pragma once

// Helpers for text fields, text views and labels: a left inset and a placeholder colour for text
// fields, the field's text and clear button, a left inset and a line count for text views, and HTML
// shown in a label. Each free function stands for the member of the same name.
//
// `paddingLeft` and `placeholderColor` of UITextField and `paddingLeft` of UITextView are also keys of
// the runtime, so interface files can set them ("paddingLeft": 12, "placeholderColor": "#999999").

#include <UIKit/UIButton.h>
#include <UIKit/UIColor.h>
#include <UIKit/UILabel.h>
#include <UIKit/UITextField.h>
#include <UIKit/UITextView.h>

#include <cstddef>
#include <memory>
#include <string>

namespace kerbelin {

// ---- UITextField ----

// Shifts everything the field draws right by `value` points (a translation of the layer's sublayer
// transform). The getter does not read it back: it is always 0.
double paddingLeft(const ios::UITextField& field);
void setPaddingLeft(ios::UITextField& field, double value);

// Makes the attributed placeholder the current placeholder text (empty when there is none) in
// `color`. A placeholder set afterwards comes back in the default colour. The getter is always the
// clear colour.
std::shared_ptr<ios::UIColor> placeholderColor(const ios::UITextField& field);
void setPlaceholderColor(ios::UITextField& field, const std::shared_ptr<ios::UIColor>& color);
// The same as setting `placeholderColor`.
void setPlaceholderText(ios::UITextField& field, const std::shared_ptr<ios::UIColor>& color);

// The field's text, or empty text when it has none.
std::string string(const ios::UITextField& field);

// The field's clear button as the runtime's key "clearButton" gives it; null while the field has not
// made one.
std::shared_ptr<ios::UIButton> getClearButton(const ios::UITextField& field);

// ---- UITextView ----

// The text container's line fragment padding, an inset on both sides of every line.
double paddingLeft(const ios::UITextView& textView);
void setPaddingLeft(ios::UITextView& textView, double value);

// The number of line fragments the layout manager makes of the text; 0 for empty text.
std::size_t numberOfLines(const ios::UITextView& textView);

// ---- UILabel ----

// Shows `text` read as an HTML document (plain text goes through the reader too and keeps its
// words); only text the reader cannot take, which is text that is not valid UTF-8 here, is shown
// as plain `text`.
void showHtmlString(ios::UILabel& label, const std::string& text);

}  // namespace kerbelin
