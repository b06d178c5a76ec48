#include <QuartzCore/Renderer.h>
#include <UIKit/UITextView.h>

#include <gtest/gtest.h>
#include <support/Pixels.h>

#include <string>

namespace ios {
namespace {

// Lines are counted and narrowed by padding in the text helpers' tests; here, the container they lay out
// in follows the view's bounds inside the inset.
TEST(UITextView, TheTextContainerFollowsTheBoundsInsideTheInset) {
  auto view = UITextView::create(CGRect(0, 0, 120, 200));
  view->setFrame(CGRect(0, 0, 1000, 200));
  EXPECT_EQ(view->textContainer()->size, (CGSize{1000, 200 - 16}));
  view->setTextContainerInset({20, 30, 0, 0});
  EXPECT_EQ(view->textContainer()->size, (CGSize{970, 180}));
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
