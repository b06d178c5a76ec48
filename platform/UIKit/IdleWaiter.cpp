#include "IdleWaiter.h"

#include <Foundation/RunLoop.h>
#include <UIKit/UIScrollView.h>

#include <chrono>

namespace kerbelin::sim {
namespace {

bool layerAnimates(const ios::CALayer& layer) {
  if (layer.hasAnimations()) return true;
  for (const auto& sublayer : layer.sublayers())
    if (layerAnimates(*sublayer)) return true;
  return false;
}

bool scrollMoves(const ios::UIView& view) {
  if (auto scroll = dynamic_cast<const ios::UIScrollView*>(&view);
      scroll && (scroll->isDecelerating() || scroll->isScrollAnimating()))
    return true;
  for (const auto& subview : view.subviews())
    if (scrollMoves(*subview)) return true;
  return false;
}

}  // namespace

bool IdleWaiter::hasMotion() const {
  return window_ && (layerAnimates(*window_->layer()) || scrollMoves(*window_));
}

bool IdleWaiter::waitUntilIdle(double realTimeoutSeconds, std::string& reason,
                               double virtualLimitSeconds) const {
  auto& loop = ios::RunLoop::main();
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
    if (!next || !loop.usesVirtualClock()) return true;
    if (*next > virtualDeadline || realLeft() <= 0) {
      reason = "animations still running";
      return false;
    }
    loop.advance(std::max(0.0, *next - loop.now()));
  }
}

}  // namespace kerbelin::sim
