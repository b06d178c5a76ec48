#include <CoreText/NSStringDrawing.h>
#include <CoreText/UIFont.h>
#include <QuartzCore/CATransform3D.h>
#include <UIKit/Nib/UINib.h>
#include <UIKit/UIColor.h>
#include <UIKit/UILabel.h>
#include <UIKit/UITextField.h>
#include <UIKit/UITextView.h>
#include <Ultilities/Extensions/UITextInputExtension.h>

#include <gtest/gtest.h>

#include <any>
#include <memory>
#include <optional>
#include <string>

namespace kerbelin {
namespace {

using ios::CGRect;
using ios::NSAttributedStringKey;
using ios::UIColor;
using ios::UITextField;

std::optional<ios::CGColor> colorAt(const ios::NSAttributedString& text, std::size_t location) {
  auto value = text.attribute(NSAttributedStringKey::foregroundColor, location);
  return value ? value->color() : std::nullopt;
}

TEST(TextFieldPadding, ShiftsTheDrawnContentAndReadsBackAsZero) {
  auto field = UITextField::create(CGRect(0, 0, 200, 40));
  setPaddingLeft(*field, 12);
  EXPECT_EQ(field->layer()->sublayerTransform(), ios::CATransform3DMakeTranslation(12, 0, 0));
  EXPECT_EQ(paddingLeft(*field), 0);
  EXPECT_EQ(std::any_cast<double>(field->value("paddingLeft")), 0);
}

TEST(TextFieldPlaceholder, ColoursThePlaceholderPresentWhenSet) {
  auto field = UITextField::create(CGRect(0, 0, 200, 40));
  setPlaceholderColor(*field, UIColor::red());
  ASSERT_NE(field->attributedPlaceholder(), nullptr) << "a field without one gets an empty placeholder";
  EXPECT_EQ(field->attributedPlaceholder()->string(), "");

  field->setPlaceholder("Nhập mã thẻ");
  setPlaceholderColor(*field, UIColor::red());
  ASSERT_NE(field->attributedPlaceholder(), nullptr);
  const auto& placeholder = *field->attributedPlaceholder();
  EXPECT_EQ(placeholder.string(), "Nhập mã thẻ");
  EXPECT_EQ(colorAt(placeholder, 0), UIColor::red()->cgColor());
  EXPECT_EQ(colorAt(placeholder, placeholder.length() - 1), UIColor::red()->cgColor());
  EXPECT_EQ(placeholderColor(*field), UIColor::clear());

  // A placeholder given later does not keep the colour.
  field->setPlaceholder("Tìm kiếm");
  EXPECT_NE(colorAt(*field->attributedPlaceholder(), 0), UIColor::red()->cgColor());

  // The operation form does the same.
  setPlaceholderText(*field, UIColor::blue());
  EXPECT_EQ(field->attributedPlaceholder()->string(), "Tìm kiếm");
  EXPECT_EQ(colorAt(*field->attributedPlaceholder(), 0), UIColor::blue()->cgColor());
}

TEST(TextInputKeys, InterfaceFilesSetThePaddingsAndThePlaceholderColour) {
  auto nib = ios::UINib::fromData("Form", R"({"objects": [
      {"class": "UIView", "id": "form", "subviews": [
        {"class": "UITextField", "id": "code",
         "properties": {"placeholder": "Nhập mã", "paddingLeft": 12, "placeholderColor": "#FF0000"}},
        {"class": "UITextView", "id": "note", "properties": {"paddingLeft": 0}}]}]})");
  ASSERT_NE(nib, nullptr);
  auto loaded = nib->instantiate(nullptr);
  ASSERT_TRUE(loaded) << loaded.error->message();
  auto form = std::dynamic_pointer_cast<ios::UIView>(loaded.objects.at(0));
  ASSERT_NE(form, nullptr);
  ASSERT_EQ(form->subviews().size(), 2u);
  auto field = std::dynamic_pointer_cast<UITextField>(form->subviews()[0]);
  auto note = std::dynamic_pointer_cast<ios::UITextView>(form->subviews()[1]);
  ASSERT_TRUE(field && note);
  EXPECT_EQ(field->layer()->sublayerTransform(), ios::CATransform3DMakeTranslation(12, 0, 0));
  EXPECT_EQ(field->attributedPlaceholder()->string(), "Nhập mã");
  EXPECT_EQ(colorAt(*field->attributedPlaceholder(), 0), ios::CGColor::rgb(1, 0, 0, 1));
  EXPECT_EQ(note->textContainer()->lineFragmentPadding, 0);
}

// Line counting: a width that holds one word "Mua" but not two, with the default padding of 5 on each
// side.
class TextViewLines : public ::testing::Test {
 protected:
  void SetUp() override {
    ios::NSAttributes attributes{{NSAttributedStringKey::font, ios::UIFont::systemFont(12)}};
    oneWord = ios::sizeWithAttributes("Mua", attributes).width;
    twoWords = ios::sizeWithAttributes("Mua Mua", attributes).width;
    ASSERT_LT(oneWord, twoWords);
  }
  std::shared_ptr<ios::UITextView> viewOfTextWidth(double width) {
    auto view = ios::UITextView::create(CGRect(0, 0, width + 10, 200));
    view->setFont(ios::UIFont::systemFont(12));
    return view;
  }
  double oneWord = 0;
  double twoWords = 0;
};

TEST_F(TextViewLines, CountsLaidOutLineFragments) {
  auto view = viewOfTextWidth((oneWord + twoWords) / 2);
  EXPECT_EQ(numberOfLines(*view), 0u);
  view->setText("Mua");
  EXPECT_EQ(numberOfLines(*view), 1u);
  view->setText("Mua Mua Mua");  // one line that wraps twice
  EXPECT_EQ(numberOfLines(*view), 3u);
  view->setText("Mua\nMua");
  EXPECT_EQ(numberOfLines(*view), 2u);
}

TEST_F(TextViewLines, PaddingIsTheLineFragmentPaddingAndNarrowsTheLines) {
  auto view = viewOfTextWidth(twoWords - 6);  // two words fit only without the padding
  EXPECT_EQ(paddingLeft(*view), 5);
  view->setText("Mua Mua");
  EXPECT_EQ(numberOfLines(*view), 2u);
  setPaddingLeft(*view, 0);
  EXPECT_EQ(view->textContainer()->lineFragmentPadding, 0);
  EXPECT_EQ(paddingLeft(*view), 0);
  EXPECT_EQ(numberOfLines(*view), 1u);

  EXPECT_TRUE(view->setValue(5.0, "paddingLeft"));
  EXPECT_EQ(std::any_cast<double>(view->value("paddingLeft")), 5);
  EXPECT_EQ(numberOfLines(*view), 2u);
}

TEST(LabelHtml, ShowsMarkupAsAttributedText) {
  auto label = ios::UILabel::create(CGRect(0, 0, 300, 40));
  showHtmlString(*label, "<b>Khuyến mãi</b> 10% &amp; <i>quà</i>");
  ASSERT_NE(label->attributedText(), nullptr);
  const auto& text = *label->attributedText();
  EXPECT_EQ(text.string(), "Khuyến mãi 10% & quà");
  EXPECT_EQ(label->text(), "Khuyến mãi 10% & quà");
  auto bold = text.attribute(NSAttributedStringKey::font, 0);
  auto plain = text.attribute(NSAttributedStringKey::font, 12);
  ASSERT_TRUE(bold && plain);
  EXPECT_NE(bold->font(), nullptr);
  EXPECT_FALSE(*bold == *plain);
}

TEST(LabelHtml, PlainTextGoesThroughTheReaderTooAndTextItCannotTakeIsShownPlain) {
  auto label = ios::UILabel::create(CGRect(0, 0, 300, 40));
  showHtmlString(*label, "Mua   thẻ\n ngay");
  ASSERT_NE(label->attributedText(), nullptr);
  EXPECT_EQ(label->attributedText()->string(), "Mua thẻ ngay") << "read as HTML, the white space collapses";

  const std::string broken = "Gi\xE1 <b>";  // not UTF-8
  showHtmlString(*label, broken);
  EXPECT_EQ(label->attributedText(), nullptr);
  EXPECT_EQ(label->text(), broken);
}

}  // namespace
}  // namespace kerbelin
