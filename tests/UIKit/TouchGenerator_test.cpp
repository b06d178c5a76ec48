#include <UIKit/TouchGenerator.h>
#include <UIKit/UIControl.h>

#include <gtest/gtest.h>
#include <support/WindowTest.h>

#include <functional>
#include <string>
#include <vector>

namespace ios {
namespace {

// A host's pointer: the real clock, as a host app runs without any setup.
class RealClockTouches : public test::WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    loop().useSystemClock();
    control = UIControl::create({50, 100, 200, 100});
    window->addSubview(control);
    const std::vector<std::pair<UIControl::Event, std::string>> names = {
        {UIControl::touchDown, "down"}, {UIControl::touchDragInside, "drag"}, {UIControl::touchUpInside, "up"}};
    for (const auto& [event, name] : names) {
      control->addAction([this, name = name](UIControl&) { events.push_back({name, now()}); }, event);
    }
  }

  // The control's events, each drag run collapsed into one.
  std::vector<std::string> eventNames() const {
    std::vector<std::string> names;
    for (const auto& event : events)
      if (names.empty() || names.back() != event.first) names.push_back(event.first);
    return names;
  }

  std::shared_ptr<UIControl> control;
  std::vector<std::pair<std::string, double>> events;
};

// Each gesture reaches the control, holds for its time on the real clock, and turns the main loop
// while it holds: a block due in the middle of the gesture runs before the lift.
TEST_F(RealClockTouches, TapAndDragReachAControlAndTurnTheLoopMeanwhile) {
  struct Case {
    const char* name;
    std::function<void(TouchGenerator&)> gesture;
    std::vector<std::string> events;
    double seconds;
  };
  const std::vector<Case> cases = {
      {"tap", [](TouchGenerator& t) { t.tap({150, 150}, 0.05); }, {"down", "up"}, 0.05},
      {"drag", [](TouchGenerator& t) { t.drag({80, 150}, {220, 160}, 0.06, 3); }, {"down", "drag", "up"}, 0.06},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    events.clear();
    double ranAt = -1;
    loop().performAfter(c.seconds / 2, [&] { ranAt = now(); });
    TouchGenerator touches(window);
    c.gesture(touches);
    ASSERT_EQ(eventNames(), c.events);
    EXPECT_GE(events.back().second - events.front().second, c.seconds - 1e-3);
    EXPECT_GT(ranAt, events.front().second);
    EXPECT_LT(ranAt, events.back().second);
  }
}

}  // namespace
}  // namespace ios
