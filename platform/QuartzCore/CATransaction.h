#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace ios {

enum class CAAnimationCurve { linear, easeIn, easeOut, easeInOut };

// How the layer changes made inside the current transaction are animated.
struct CAAnimationSettings {
  double duration = 0;
  double delay = 0;
  CAAnimationCurve curve = CAAnimationCurve::easeInOut;
  // A damped spring instead of the curve: damping ratio 0...1 and the initial velocity as a
  // fraction of the distance per second.
  std::optional<double> springDamping;
  double springVelocity = 0;
};

// The animations started together by one transaction, and what to run once they have all ended.
// `finished` is false when any of them was removed or replaced before its end.
class CAAnimationGroup : public std::enable_shared_from_this<CAAnimationGroup> {
 public:
  explicit CAAnimationGroup(std::function<void(bool finished)> completion) : completion_(std::move(completion)) {}
  void setCompletion(std::function<void(bool finished)> completion) { completion_ = std::move(completion); }

  void animationAdded() { ++pending_; }
  // The completion runs on a later run-loop turn once the group is sealed and nothing is running.
  void animationEnded(bool finished);
  // No more animations will join.
  void seal();

 private:
  void completeLater();

  std::function<void(bool)> completion_;
  int pending_ = 0;
  bool finished_ = true;
  bool sealed_ = false;
  bool completed_ = false;
};

// Groups layer changes. While a transaction with animation settings is open, changes of animatable
// layer properties start animations from their current on-screen value to the new one; otherwise
// they apply at once (layers of this platform have no implicit animations). Transactions nest; the
// innermost one with settings decides. Main thread only.
class CATransaction {
 public:
  static void begin();
  static void commit();

  // Makes the current transaction animate with the given duration (and the default ease-in-out).
  static void setAnimationDuration(double duration);
  static double animationDuration();
  // Changes in the current transaction apply at once, even inside an animating one.
  static void setDisableActions(bool disable);
  // Runs once every animation of the transaction has ended, or on the next turn when it added none.
  static void setCompletionBlock(std::function<void()> completion);

  // Opens a transaction whose changes animate with `settings`; the completion gets the finished
  // flag. Close it with `commit()`.
  static void beginAnimations(const CAAnimationSettings& settings, std::function<void(bool finished)> completion);
  // The settings that apply to a change made now, or null when it applies at once.
  static const CAAnimationSettings* currentAnimation();
  // The groups an animation started now belongs to: one per open transaction, so that every
  // enclosing transaction's completion waits for it.
  static std::vector<std::shared_ptr<CAAnimationGroup>> currentGroups();
};

}  // namespace ios
