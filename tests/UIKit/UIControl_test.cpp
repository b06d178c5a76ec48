#include <UIKit/TouchGenerator.h>
#include <UIKit/UIControl.h>
#include <UIKit/UIResponder.h>
#include <UIKit/UITapGestureRecognizer.h>
#include <UIKit/UIWindow.h>

#include <gtest/gtest.h>
#include <support/WindowTest.h>

#include <string>
#include <vector>

namespace ios {
namespace {

class ControlTarget : public UIResponder {
 public:
  std::vector<std::string> calls;
  std::shared_ptr<NSObject> lastSender;
  void didTap(std::shared_ptr<NSObject> sender) {
    calls.push_back("didTap:");
    lastSender = std::move(sender);
  }
  void refreshData() { calls.push_back("refreshData"); }
};

const auto registration = ClassRegistration<ControlTarget, UIResponder>("ControlTarget")
                              .method("didTap:", &ControlTarget::didTap)
                              .method("refreshData", &ControlTarget::refreshData);

class Controls : public test::WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    control = UIControl::create(CGRect(100, 100, 100, 44));
    window->addSubview(control);
  }
  std::shared_ptr<UIControl> control;
};

TEST_F(Controls, TouchUpInsideSendsTheActionWithTheControlAsSender) {
  auto target = std::make_shared<ControlTarget>();
  control->addTarget(target, "didTap:", UIControl::touchUpInside);
  std::vector<bool> highlightedDuring;
  control->addAction([&](UIControl& c) { highlightedDuring.push_back(c.isHighlighted()); }, UIControl::touchDown);
  tapAt({150, 120});
  EXPECT_EQ(target->calls, (std::vector<std::string>{"didTap:"}));
  EXPECT_EQ(target->lastSender, control);
  EXPECT_EQ(highlightedDuring, (std::vector<bool>{true}));
  EXPECT_FALSE(control->isHighlighted());
}

TEST_F(Controls, DraggingFarAwayEndsOutside) {
  auto target = std::make_shared<ControlTarget>();
  control->addTarget(target, "didTap:", UIControl::touchUpInside);
  unsigned seen = 0;
  control->addAction([&](UIControl&) { seen |= UIControl::touchUpOutside; }, UIControl::touchUpOutside);
  TouchGenerator(window).drag({150, 120}, {150, 400}, 0.2);
  EXPECT_TRUE(target->calls.empty());
  EXPECT_TRUE(seen & UIControl::touchUpOutside);
  // Slightly outside the bounds still counts as inside.
  TouchGenerator(window).drag({150, 120}, {150, 170}, 0.2);
  EXPECT_EQ(target->calls.size(), 1u);
}

TEST_F(Controls, DisabledControlsAndGoneTargetsDoNothing) {
  auto target = std::make_shared<ControlTarget>();
  control->addTarget(target, "didTap:", UIControl::touchUpInside);
  control->setEnabled(false);
  tapAt({150, 120});
  EXPECT_TRUE(target->calls.empty());
  control->setEnabled(true);
  target.reset();  // targets are weak: the tap must not crash or keep it alive
  tapAt({150, 120});
}

TEST_F(Controls, NullTargetGoesUpTheResponderChain) {
  auto target = std::make_shared<ControlTarget>();
  auto container = UIView::create(CGRect(0, 0, 375, 812));
  window->addSubview(container);
  control->removeFromSuperview();
  container->addSubview(control);
  container->setViewDelegate(target);  // as a controller owns its root view
  control->addTarget(nullptr, "refreshData", UIControl::valueChanged);
  control->sendActions(UIControl::valueChanged);
  EXPECT_EQ(target->calls, (std::vector<std::string>{"refreshData"}));
}

TEST_F(Controls, ASingleTapRecognizerAboveDoesNotStealTheControlsTap) {
  auto target = std::make_shared<ControlTarget>();
  control->addTarget(target, "didTap:", UIControl::touchUpInside);
  auto tap = std::make_shared<UITapGestureRecognizer>();
  int taps = 0;
  tap->addAction([&](UIGestureRecognizer&) { ++taps; });
  window->addGestureRecognizer(tap);
  tapAt({150, 120});
  EXPECT_EQ(target->calls.size(), 1u);
  EXPECT_EQ(taps, 0);
  tapAt({20, 600});  // elsewhere the recognizer works
  EXPECT_EQ(taps, 1);
}

TEST_F(Controls, RemovingTargetsAndListingActions) {
  auto target = std::make_shared<ControlTarget>();
  control->addTarget(target, "didTap:", UIControl::touchUpInside | UIControl::touchDown);
  EXPECT_EQ(control->actions(target.get(), UIControl::touchDown), (std::vector<Selector>{"didTap:"}));
  control->removeTarget(target.get(), "didTap:", UIControl::touchDown);
  EXPECT_TRUE(control->actions(target.get(), UIControl::touchDown).empty());
  EXPECT_EQ(control->actions(target.get(), UIControl::touchUpInside).size(), 1u);
}

}  // namespace
}  // namespace ios
