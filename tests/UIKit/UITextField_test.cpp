#include <QuartzCore/Renderer.h>
#include <UIKit/TouchGenerator.h>
#include <UIKit/UIButton.h>
#include <UIKit/UITextField.h>
#include <UIKit/UIWindow.h>

#include <gtest/gtest.h>
#include <support/Pixels.h>
#include <support/WindowTest.h>

#include <algorithm>

#include <string>
#include <vector>

namespace ios {
namespace {

class RecordingDelegate : public UITextFieldDelegate {
 public:
  bool allowBegin = true;
  bool refuseDigits = false;
  std::vector<std::string> calls;
  std::vector<NSRange> ranges;

  bool textFieldShouldBeginEditing(UITextField&) override {
    calls.push_back("shouldBegin");
    return allowBegin;
  }
  void textFieldDidBeginEditing(UITextField&) override { calls.push_back("didBegin"); }
  void textFieldDidEndEditing(UITextField&) override { calls.push_back("didEnd"); }
  bool shouldChangeCharactersIn(UITextField&, NSRange range, const std::string& replacement) override {
    ranges.push_back(range);
    return !(refuseDigits && replacement.find_first_of("0123456789") != std::string::npos);
  }
  bool textFieldShouldReturn(UITextField&) override {
    calls.push_back("shouldReturn");
    return true;
  }
};

bool samePixels(const CGImage& a, const CGImage& b) {
  return std::equal(a.pixels(), a.pixels() + a.width() * a.height(), b.pixels());
}

class TextFields : public test::WindowTest {
 protected:
  TextFields() : WindowTest({320, 480}) {}
  void SetUp() override {
    WindowTest::SetUp();
    field = UITextField::create(CGRect(20, 40, 200, 34));
    window->addSubview(field);
    delegate = std::make_shared<RecordingDelegate>();
    field->delegate = delegate;
    field->addAction([this](UIControl&) { ++changes; }, UIControl::editingChanged);
  }
  void TearDown() override {
    field->resignFirstResponder();
    WindowTest::TearDown();
  }
  std::shared_ptr<UITextField> field;
  std::shared_ptr<RecordingDelegate> delegate;
  int changes = 0;
};

// The placeholder's two forms are tested through the text helpers that colour it.
TEST_F(TextFields, TextSetInCodeOrByKeySendsNothing) {
  field->setText("0901");
  EXPECT_TRUE(field->setValue(std::string("0902"), "text"));
  EXPECT_EQ(field->text(), "0902");
  EXPECT_EQ(changes, 0);
}

TEST_F(TextFields, EditingGoesThroughTheDelegate) {
  delegate->refuseDigits = true;
  field->insertText("Việt");
  field->insertText("9");  // refused: the text stays
  field->insertText(" Nam");
  EXPECT_EQ(field->text(), "Việt Nam");
  EXPECT_EQ(changes, 2);
  ASSERT_EQ(delegate->ranges.size(), 3u);
  EXPECT_EQ(delegate->ranges[1], (NSRange{4, 0}));
  EXPECT_EQ(delegate->ranges[2], (NSRange{4, 0}));

  field->deleteBackward();
  EXPECT_EQ(field->text(), "Việt Na");
  EXPECT_EQ(delegate->ranges.back(), (NSRange{7, 1}));
  field->setText("Ok 👍🏽");
  field->deleteBackward();  // the whole user-perceived character goes
  EXPECT_EQ(field->text(), "Ok ");
  EXPECT_EQ(delegate->ranges.back(), (NSRange{3, 4}));

  auto refuser = std::make_shared<RecordingDelegate>();
  refuser->refuseDigits = true;
  field->setText("12");
  field->delegate = refuser;
  field->deleteBackward();  // deleting is a change too; this one is allowed
  EXPECT_EQ(field->text(), "1");
}

TEST_F(TextFields, BeginningAndEndingEditing) {
  unsigned events = 0;
  field->addAction([&](UIControl&) { events |= UIControl::editingDidBegin; }, UIControl::editingDidBegin);
  field->addAction([&](UIControl&) { events |= UIControl::editingDidEnd; }, UIControl::editingDidEnd);
  delegate->allowBegin = false;
  EXPECT_FALSE(field->becomeFirstResponder());
  EXPECT_FALSE(field->isEditing());
  delegate->allowBegin = true;
  EXPECT_TRUE(field->becomeFirstResponder());
  EXPECT_TRUE(field->isFirstResponder());
  EXPECT_TRUE(field->isEditing());
  EXPECT_TRUE(field->resignFirstResponder());
  EXPECT_FALSE(field->isEditing());
  EXPECT_EQ(delegate->calls, (std::vector<std::string>{"shouldBegin", "shouldBegin", "didBegin", "didEnd"}));
  EXPECT_EQ(events, unsigned(UIControl::editingDidBegin | UIControl::editingDidEnd));

  field->setEnabled(false);
  EXPECT_FALSE(field->becomeFirstResponder());
}

TEST_F(TextFields, ATapStartsEditingAndReturnAsksTheDelegate) {
  TouchGenerator(window).tap({100, 57});
  EXPECT_TRUE(field->isEditing());
  bool exited = false;
  field->addAction([&](UIControl&) { exited = true; }, UIControl::editingDidEndOnExit);
  field->setText("abc");
  field->insertText("\n");
  EXPECT_EQ(field->text(), "abc");
  EXPECT_TRUE(exited);
  EXPECT_EQ(delegate->calls.back(), "shouldReturn");
}

TEST_F(TextFields, SecureEntryDrawsBulletsAndTheLayerTransformMovesTheText) {
  auto render = [&](const std::string& text, bool secure) {
    field->setSecureTextEntry(secure);
    field->setText(text);
    return Renderer::renderImage(*field->layer(), 1);
  };
  EXPECT_FALSE(samePixels(*render("abc", false), *render("xyz", false)));
  EXPECT_TRUE(samePixels(*render("abc", true), *render("xyz", true)));    // three bullets either way
  EXPECT_FALSE(samePixels(*render("abc", true), *render("abcd", true)));  // one per character

  const int before = test::inkBox(*render("Mật khẩu", false)).left;
  ASSERT_GE(before, 0);
  field->layer()->setSublayerTransform(CATransform3DMakeTranslation(20, 0, 0));
  EXPECT_NEAR(test::inkBox(*render("Mật khẩu", false)).left, before + 20, 1);
}

TEST_F(TextFields, SideViewsAndTheClearButtonFollowTheirModes) {
  auto left = UIView::create(CGRect(0, 0, 30, 20));
  field->setLeftView(left);
  field->setLeftViewMode(UITextFieldViewMode::unlessEditing);
  field->layoutIfNeeded();
  EXPECT_FALSE(left->isHidden());
  EXPECT_EQ(left->frame(), CGRect(0, 7, 30, 20));
  EXPECT_EQ(field->textRect(field->bounds()).minX(), 30);
  field->becomeFirstResponder();
  field->layoutIfNeeded();
  EXPECT_TRUE(left->isHidden());
  EXPECT_EQ(field->textRect(field->bounds()).minX(), 0);

  field->setClearButtonMode(UITextFieldViewMode::always);
  auto button = std::dynamic_pointer_cast<UIButton>(
      std::any_cast<std::shared_ptr<NSObject>>(field->value("clearButton")));
  ASSERT_TRUE(button);
  field->setText("xoá tôi");
  field->layoutIfNeeded();
  ASSERT_FALSE(button->isHidden());
  const CGRect frame = button->convert(button->bounds(), nullptr);
  TouchGenerator(window).tap({frame.midX(), frame.midY()});
  EXPECT_EQ(field->text(), "");
  EXPECT_EQ(changes, 1);
}

}  // namespace
}  // namespace ios
