#include <QuartzCore/Renderer.h>
#include <UIKit/UITextView.h>

#include <gtest/gtest.h>
#include <support/Pixels.h>

#include <string>

namespace ios {
namespace {

// Line fragments counted by walking the layout manager's glyph ranges, as text helpers do.
int countLines(const UITextView& view) {
  const auto& manager = *view.layoutManager();
  const std::size_t glyphs = manager.numberOfGlyphs();
  std::size_t index = 0;
  int lines = 0;
  while (index < glyphs) {
    NSRange range{NSNotFound, 0};
    manager.lineFragmentRect(index, &range);
    if (range.location == NSNotFound || range.length == 0) return -1;  // would never end
    index = range.location + range.length;
    ++lines;
  }
  return lines;
}

TEST(UITextView, LinesFollowTheWidthAndThePadding) {
  auto view = UITextView::create(CGRect(0, 0, 120, 200));
  EXPECT_EQ(countLines(*view), 0);
  view->setText("Một dòng");
  EXPECT_EQ(countLines(*view), 1);
  view->setText("Điều khoản sử dụng dịch vụ của cửa hàng áp dụng cho mọi khách hàng");
  const int lines = countLines(*view);
  EXPECT_GE(lines, 3);
  view->textContainer()->lineFragmentPadding = 30;
  EXPECT_GT(countLines(*view), lines);
  view->textContainer()->lineFragmentPadding = 5;
  view->setFrame(CGRect(0, 0, 1000, 200));  // the container follows the bounds
  EXPECT_EQ(countLines(*view), 1);
}

TEST(UITextView, FontAndAttributedText) {
  auto view = UITextView::create(CGRect(0, 0, 200, 100));
  view->setText("Xin chào");
  view->setFont(UIFont::systemFont(20));
  EXPECT_EQ(view->attributedText()->attribute(NSAttributedStringKey::font, 3)->font()->pointSize(), 20);

  view->setAttributedText(NSAttributedString::create("HTML"));
  EXPECT_EQ(view->text(), "HTML");
  view->setAttributedText(nullptr);  // empties the view
  EXPECT_EQ(view->text(), "");
}

TEST(UITextView, DrawsFromTheInsetCorner) {
  auto view = UITextView::create(CGRect(0, 0, 200, 60));
  view->setText("Chữ");
  view->setTextContainerInset({20, 30, 0, 0});
  const auto ink = test::inkBox(*Renderer::renderImage(*view->layer(), 1));
  EXPECT_GE(ink.top, 20);
  EXPECT_LT(ink.top, 30);
  EXPECT_GE(ink.left, 35);  // the inset plus the line fragment padding
  EXPECT_LT(ink.left, 40);
}

TEST(UITextView, EditingAsksTheDelegate) {
  class NoNewlines : public UITextViewDelegate {
   public:
    int changed = 0;
    bool shouldChangeTextIn(UITextView&, NSRange, const std::string& text) override { return text != "\n"; }
    void textViewDidChange(UITextView&) override { ++changed; }
  };
  auto view = UITextView::create(CGRect(0, 0, 200, 100));
  auto delegate = std::make_shared<NoNewlines>();
  view->delegate = delegate;
  view->insertText("Ghi chú");
  view->insertText("\n");
  view->deleteBackward();
  EXPECT_EQ(view->text(), "Ghi ch");
  EXPECT_EQ(delegate->changed, 2);
  view->isEditable = false;
  view->insertText("!");
  EXPECT_EQ(view->text(), "Ghi ch");
  EXPECT_FALSE(view->becomeFirstResponder());
}

}  // namespace
}  // namespace ios
