#include <Ultilities/Extensions/UITextInputExtension.h>

#include <CoreText/HTMLImporter.h>
#include <CoreText/NSAttributedString.h>
#include <Foundation/ClassRegistry.h>
#include <Foundation/NSString.h>
#include <QuartzCore/CATransform3D.h>

#include <any>

namespace kerbelin {

namespace {

// The runtime keys interface files use; added to the platform classes' own registrations.
const auto textFieldKeys =
    ios::ClassRegistration<ios::UITextField, ios::UIControl>("UITextField")
        .property(
            "paddingLeft", [](const ios::UITextField& field) { return paddingLeft(field); },
            [](ios::UITextField& field, double value) { setPaddingLeft(field, value); })
        .property(
            "placeholderColor", [](const ios::UITextField& field) { return placeholderColor(field); },
            [](ios::UITextField& field, std::shared_ptr<ios::UIColor> color) {
              setPlaceholderColor(field, color);
            });

const auto textViewKeys =
    ios::ClassRegistration<ios::UITextView, ios::UIView>("UITextView")
        .property(
            "paddingLeft", [](const ios::UITextView& view) { return paddingLeft(view); },
            [](ios::UITextView& view, double value) { setPaddingLeft(view, value); });

}  // namespace

double paddingLeft(const ios::UITextField&) {
  return 0;
}

void setPaddingLeft(ios::UITextField& field, double value) {
  field.layer()->setSublayerTransform(ios::CATransform3DMakeTranslation(value, 0, 0));
  field.setNeedsDisplay();
}

std::shared_ptr<ios::UIColor> placeholderColor(const ios::UITextField&) {
  return ios::UIColor::clear();
}

void setPlaceholderColor(ios::UITextField& field, const std::shared_ptr<ios::UIColor>& color) {
  ios::NSAttributes attributes;
  if (color) attributes.emplace(ios::NSAttributedStringKey::foregroundColor, color->cgColor());
  field.setAttributedPlaceholder(
      ios::NSAttributedString::create(field.placeholder().value_or(""), attributes));
}

void setPlaceholderText(ios::UITextField& field, const std::shared_ptr<ios::UIColor>& color) {
  setPlaceholderColor(field, color);
}

std::string string(const ios::UITextField& field) {
  return field.text().value_or("");
}

std::shared_ptr<ios::UIButton> getClearButton(const ios::UITextField& field) {
  const std::any value = field.value("clearButton");
  if (auto object = std::any_cast<std::shared_ptr<ios::NSObject>>(&value))
    return std::dynamic_pointer_cast<ios::UIButton>(*object);
  return nullptr;
}

double paddingLeft(const ios::UITextView& textView) {
  return textView.textContainer()->lineFragmentPadding;
}

void setPaddingLeft(ios::UITextView& textView, double value) {
  textView.textContainer()->lineFragmentPadding = value;
  textView.setNeedsDisplay();
}

std::size_t numberOfLines(const ios::UITextView& textView) {
  const auto& layoutManager = *textView.layoutManager();
  const std::size_t glyphs = layoutManager.numberOfGlyphs();
  std::size_t index = 0;
  std::size_t lines = 0;
  while (index < glyphs) {
    ios::NSRange range{ios::NSNotFound, 0};
    layoutManager.lineFragmentRect(index, &range);
    // A glyph outside every line fragment would never move the index on.
    if (range.location == ios::NSNotFound || range.location + range.length <= index) break;
    index = range.location + range.length;
    ++lines;
  }
  return lines;
}

void showHtmlString(ios::UILabel& label, const std::string& text) {
  if (ios::isValidUTF8(text)) {
    if (auto attributed = ios::attributedStringFromHTMLData(ios::unicodeData(text))) {
      label.setAttributedText(attributed);
      return;
    }
  }
  label.setText(text);
}

}  // namespace kerbelin
