#include <QuartzCore/CATransaction.h>

#include <Foundation/RunLoop.h>

#include <vector>

namespace ios {

namespace {

struct Frame {
  std::optional<CAAnimationSettings> settings;
  bool disableActions = false;
  std::function<void(bool)> completion;
  std::shared_ptr<CAAnimationGroup> group;
};

std::vector<Frame>& frames() {
  static std::vector<Frame> stack;
  return stack;
}

Frame* innermostAnimating() {
  auto& stack = frames();
  for (auto it = stack.rbegin(); it != stack.rend(); ++it) {
    if (it->disableActions) return nullptr;
    if (it->settings) return &*it;
  }
  return nullptr;
}

}  // namespace

void CAAnimationGroup::animationEnded(bool finished) {
  if (!finished) finished_ = false;
  if (--pending_ == 0 && sealed_) completeLater();
}

void CAAnimationGroup::seal() {
  sealed_ = true;
  if (pending_ == 0) completeLater();
}

void CAAnimationGroup::completeLater() {
  if (completed_) return;
  completed_ = true;
  if (!completion_) return;
  // Never inside the call that ended the last animation (a replacing animation block, say).
  RunLoop::main().perform([completion = std::move(completion_), finished = finished_] { completion(finished); });
}

void CATransaction::begin() { frames().push_back(Frame{}); }

void CATransaction::commit() {
  auto& stack = frames();
  if (stack.empty()) return;
  Frame frame = std::move(stack.back());
  stack.pop_back();
  if (frame.group) {
    frame.group->seal();
  } else if (frame.completion) {
    auto completion = std::move(frame.completion);
    RunLoop::main().perform([completion = std::move(completion)] { completion(true); });
  }
}

void CATransaction::setAnimationDuration(double duration) {
  if (frames().empty()) return;
  auto& frame = frames().back();
  if (!frame.settings) frame.settings = CAAnimationSettings{};
  frame.settings->duration = duration;
}

double CATransaction::animationDuration() {
  const Frame* frame = innermostAnimating();
  return frame ? frame->settings->duration : 0;
}

void CATransaction::setDisableActions(bool disable) {
  if (!frames().empty()) frames().back().disableActions = disable;
}

void CATransaction::setCompletionBlock(std::function<void()> completion) {
  if (frames().empty()) return;
  auto& frame = frames().back();
  frame.completion = [completion = std::move(completion)](bool) {
    if (completion) completion();
  };
  if (frame.group) frame.group->setCompletion(frame.completion);
}

void CATransaction::beginAnimations(const CAAnimationSettings& settings, std::function<void(bool)> completion) {
  Frame frame;
  frame.settings = settings;
  frame.completion = std::move(completion);
  frames().push_back(std::move(frame));
}

const CAAnimationSettings* CATransaction::currentAnimation() {
  const Frame* frame = innermostAnimating();
  return frame ? &*frame->settings : nullptr;
}

std::vector<std::shared_ptr<CAAnimationGroup>> CATransaction::currentGroups() {
  std::vector<std::shared_ptr<CAAnimationGroup>> groups;
  for (auto& frame : frames()) {
    if (!frame.group) frame.group = std::make_shared<CAAnimationGroup>(frame.completion);
    groups.push_back(frame.group);
  }
  return groups;
}

}  // namespace ios
