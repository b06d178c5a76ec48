#include <UIKit/TouchGenerator.h>
#include <UIKit/UILongPressGestureRecognizer.h>
#include <UIKit/UIPanGestureRecognizer.h>
#include <UIKit/UITapGestureRecognizer.h>
#include <UIKit/UIWindow.h>

#include <gtest/gtest.h>
#include <support/WindowTest.h>

#include <string>
#include <vector>

namespace ios {
namespace {

using State = UIGestureRecognizer::State;

// Records the states a recognizer announces through its action.
struct Recorder {
  std::vector<State> states;
  std::vector<CGPoint> translations;
  void follow(const std::shared_ptr<UIGestureRecognizer>& recognizer) {
    recognizer->addAction([this](UIGestureRecognizer& r) {
      states.push_back(r.state());
      if (auto* pan = dynamic_cast<UIPanGestureRecognizer*>(&r)) translations.push_back(pan->translation(nullptr));
    });
  }
};

// A view that logs the touches it gets, to see what the recognizers leave it.
class TouchLog : public UIView {
 public:
  explicit TouchLog(const CGRect& frame) : UIView(frame) {}
  std::vector<std::string> log;
  void touchesBegan(const Touches&, const UIEvent*) override { log.push_back("began"); }
  void touchesMoved(const Touches&, const UIEvent*) override { log.push_back("moved"); }
  void touchesEnded(const Touches&, const UIEvent*) override { log.push_back("ended"); }
  void touchesCancelled(const Touches&, const UIEvent*) override { log.push_back("cancelled"); }
};

class Gestures : public test::WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    view = std::make_shared<TouchLog>(CGRect(0, 100, 375, 400));
    window->addSubview(view);
  }
  std::shared_ptr<TouchLog> view;
};

TEST_F(Gestures, TapRecognizesOnLiftAndTakesTheTouchFromTheView) {
  auto tap = std::make_shared<UITapGestureRecognizer>();
  Recorder recorder;
  recorder.follow(tap);
  view->addGestureRecognizer(tap);
  tapAt({100, 200});
  EXPECT_EQ(recorder.states, (std::vector<State>{State::ended}));
  EXPECT_EQ(view->log, (std::vector<std::string>{"began", "cancelled"}));
  EXPECT_EQ(tap->state(), State::possible);  // reset for the next touches

  // Moving too far is not a tap; the view then sees the whole sequence.
  view->log.clear();
  TouchGenerator(window).drag({100, 200}, {100, 260}, 0.2);
  EXPECT_EQ(recorder.states.size(), 1u);
  EXPECT_EQ(view->log.front(), "began");
  EXPECT_EQ(view->log.back(), "ended");
}

struct GestureTarget : NSObject {
  std::shared_ptr<UIGestureRecognizer> sender;
  void handle(std::shared_ptr<UIGestureRecognizer> s) { sender = std::move(s); }
};
const auto targetRegistration =
    ClassRegistration<GestureTarget>("GestureTestTarget").method("handle:", &GestureTarget::handle);

TEST_F(Gestures, TargetActionReachesTheTargetWithTheRecognizerAsSender) {
  auto target = std::make_shared<GestureTarget>();
  auto tap = UITapGestureRecognizer::create(target, "handle:");
  view->addGestureRecognizer(tap);
  tapAt({10, 110});
  EXPECT_EQ(target->sender, tap);
}

TEST_F(Gestures, PanBeginsAfterTheHysteresisAndReportsTranslationAndVelocity) {
  auto pan = std::make_shared<UIPanGestureRecognizer>();
  Recorder recorder;
  recorder.follow(pan);
  view->addGestureRecognizer(pan);
  TouchGenerator touches(window);
  touches.down({100, 300});
  advance(0.016);
  touches.move({100, 308});  // within 10 points: nothing yet
  EXPECT_TRUE(recorder.states.empty());
  advance(0.016);
  touches.move({100, 320});
  ASSERT_EQ(recorder.states, (std::vector<State>{State::began}));
  EXPECT_EQ(recorder.translations.back(), (CGPoint{0, 20}));
  // Translation in a scaled view's space is scaled back.
  view->setTransform(CGAffineTransform::scale(2, 2));
  EXPECT_NEAR(pan->translation(view.get()).y, 10, 1e-9);
  view->setTransform(CGAffineTransform::identity);
  // Velocity averages the last 0.1 s, so after 0.12 s of steady movement only that counts.
  for (int i = 1; i <= 12; ++i) {
    advance(0.01);
    touches.move({100, 320.0 + 10 * i});
  }
  EXPECT_NEAR(pan->velocity(nullptr).y, 1000, 1);  // 10 points every 10 ms
  touches.up();
  EXPECT_EQ(recorder.states.back(), State::ended);
  EXPECT_EQ(recorder.states.size(), 14u);  // began, 12 changes, ended
  EXPECT_EQ(view->log, (std::vector<std::string>{"began", "moved", "cancelled"}));
}

TEST_F(Gestures, RecognizersExcludeEachOtherUnlessAllowed) {
  auto outerPan = std::make_shared<UIPanGestureRecognizer>();
  auto innerPan = std::make_shared<UIPanGestureRecognizer>();
  auto inner = UIView::create(CGRect(0, 0, 200, 200));
  view->addSubview(inner);
  inner->addGestureRecognizer(innerPan);
  view->addGestureRecognizer(outerPan);
  Recorder outer, innerRec;
  outer.follow(outerPan);
  innerRec.follow(innerPan);
  TouchGenerator(window).drag({50, 150}, {50, 250}, 0.2);
  // The nearest view's recognizer is asked first and wins; the other fails quietly.
  EXPECT_EQ(innerRec.states.front(), State::began);
  EXPECT_TRUE(outer.states.empty());

  struct Together : UIGestureRecognizerDelegate {
    bool shouldRecognizeSimultaneouslyWith(UIGestureRecognizer&, UIGestureRecognizer&) override { return true; }
  };
  auto together = std::make_shared<Together>();
  outerPan->setDelegate(together);
  TouchGenerator(window).drag({50, 150}, {50, 250}, 0.2);
  EXPECT_FALSE(outer.states.empty());
}

TEST_F(Gestures, RequiredFailureHoldsARecognizerBack) {
  auto edge = std::make_shared<UIScreenEdgePanGestureRecognizer>();
  edge->edges = UIRectEdgeLeft;
  auto pan = std::make_shared<UIPanGestureRecognizer>();
  pan->requireToFail(edge);
  view->addGestureRecognizer(edge);
  view->addGestureRecognizer(pan);
  Recorder edgeRec, panRec;
  edgeRec.follow(edge);
  panRec.follow(pan);

  // From the middle: the edge pan fails at once and the plain pan may begin.
  TouchGenerator(window).drag({200, 300}, {300, 300}, 0.2);
  EXPECT_TRUE(edgeRec.states.empty());
  EXPECT_EQ(panRec.states.front(), State::began);

  // From the left edge moving right: the edge pan wins and the plain pan fails.
  panRec.states.clear();
  TouchGenerator(window).drag({5, 300}, {150, 300}, 0.2);
  EXPECT_EQ(edgeRec.states.front(), State::began);
  EXPECT_TRUE(panRec.states.empty());
}

TEST_F(Gestures, AtItsEdgeAScreenEdgePanGoesBeforeTheContentsPans) {
  auto edge = std::make_shared<UIScreenEdgePanGestureRecognizer>();
  edge->edges = UIRectEdgeLeft;
  auto pan = std::make_shared<UIPanGestureRecognizer>();
  auto content = UIView::create(view->bounds());
  view->addSubview(content);
  content->addGestureRecognizer(pan);
  view->addGestureRecognizer(edge);
  Recorder edgeRec, panRec;
  edgeRec.follow(edge);
  panRec.follow(pan);
  const struct {
    CGPoint to;
    bool edgeWins;
  } cases[] = {{{150, 300}, true}, {{5, 450}, false}};  // away from the edge, then along it
  for (const auto& c : cases) {
    edgeRec.states.clear();
    panRec.states.clear();
    TouchGenerator(window).drag({5, 300}, c.to, 0.2);
    EXPECT_EQ(edgeRec.states.empty(), !c.edgeWins) << c.to.y;
    EXPECT_EQ(panRec.states.empty(), c.edgeWins) << c.to.y;
  }
}

TEST_F(Gestures, DelegateCanRefuseToBeginAndToReceive) {
  struct Refuse : UIGestureRecognizerDelegate {
    bool begin = false, receive = true;
    bool gestureRecognizerShouldBegin(UIGestureRecognizer&) override { return begin; }
    bool shouldReceiveTouch(UIGestureRecognizer&, const UITouch&) override { return receive; }
  };
  auto refuse = std::make_shared<Refuse>();
  auto pan = std::make_shared<UIPanGestureRecognizer>();
  pan->setDelegate(refuse);
  view->addGestureRecognizer(pan);
  Recorder recorder;
  recorder.follow(pan);
  TouchGenerator(window).drag({50, 150}, {50, 300}, 0.2);
  EXPECT_TRUE(recorder.states.empty());
  EXPECT_EQ(view->log.back(), "ended");  // the view kept the touches

  refuse->begin = true;
  refuse->receive = false;
  TouchGenerator(window).drag({50, 150}, {50, 300}, 0.2);
  EXPECT_TRUE(recorder.states.empty());
}

TEST_F(Gestures, LongPressFiresAfterItsDurationOnTheClock) {
  auto press = std::make_shared<UILongPressGestureRecognizer>();
  Recorder recorder;
  recorder.follow(press);
  view->addGestureRecognizer(press);
  TouchGenerator touches(window);
  touches.down({100, 200});
  advance(0.49);
  EXPECT_TRUE(recorder.states.empty());
  advance(0.01);
  EXPECT_EQ(recorder.states, (std::vector<State>{State::began}));
  touches.up();
  EXPECT_EQ(recorder.states.back(), State::ended);

  // Lifting early is a failure, and the timer does nothing afterwards.
  recorder.states.clear();
  touches.tap({100, 200}, 0.2);
  advance(1);
  EXPECT_TRUE(recorder.states.empty());
}

}  // namespace
}  // namespace ios
