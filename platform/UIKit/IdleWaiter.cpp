#include <UIKit/IdleWaiter.h>

#include <Foundation/RunLoop.h>

#include <chrono>

namespace ios {
namespace {

bool layerAnimates(const CALayer& layer) {
  if (layer.hasAnimations()) return true;
  for (const auto& sublayer : layer.sublayers())
    if (layerAnimates(*sublayer)) return true;
  return false;
}

bool viewMoves(const UIView& view) {
  if (view.isMovingByItself()) return true;
  for (const auto& subview : view.subviews())
    if (viewMoves(*subview)) return true;
  return false;
}

}  // namespace

bool IdleWaiter::hasMotion() const {
  return window_ && (layerAnimates(*window_->layer()) || viewMoves(*window_));
}

bool IdleWaiter::waitUntilIdle(double realTimeoutSeconds, std::string& reason,
                               double virtualLimitSeconds) const {
  auto& loop = RunLoop::main();
  const auto realDeadline =
      std::chrono::steady_clock::now() + std::chrono::duration<double>(realTimeoutSeconds);
  const double virtualDeadline = loop.now() + virtualLimitSeconds;
  auto realLeft = [&] {
    return std::chrono::duration<double>(realDeadline - std::chrono::steady_clock::now()).count();
  };
  while (true) {
    loop.runUntilIdle();
    if (loop.externalWorkCount() > 0) {
      if (realLeft() <= 0) {
        reason = "still waiting for " + std::to_string(loop.externalWorkCount()) + " request(s) after " +
                 std::to_string(static_cast<int>(realTimeoutSeconds)) + " s";
        return false;
      }
      loop.runUntil([&] { return loop.externalWorkCount() == 0 || loop.hasPendingWork(); }, realLeft());
      continue;
    }
    if (!hasMotion()) return true;
    const auto next = loop.nextDeadline();
    if (!next) return true;  // nothing scheduled could end the motion
    const bool virtualClock = loop.usesVirtualClock();
    if ((virtualClock && *next > virtualDeadline) || realLeft() <= 0) {
      reason = "animations still running";
      return false;
    }
    if (virtualClock)
      loop.advance(std::max(0.0, *next - loop.now()));
    else
      loop.runUntil([&] { return loop.externalWorkCount() > 0 || !hasMotion(); }, realLeft());
  }
}

}  // namespace ios
