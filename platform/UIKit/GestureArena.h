#pragma once

#include <UIKit/UIGestureRecognizer.h>

#include <map>
#include <memory>
#include <vector>

namespace ios {

// The recognizers that take part in one touch sequence, and the rules between them: delegate
// permission to begin, waiting for required failures, and mutual exclusion unless simultaneous
// recognition is allowed.
class GestureArena : public std::enable_shared_from_this<GestureArena> {
 public:
  using State = UIGestureRecognizer::State;

  explicit GestureArena(std::vector<std::shared_ptr<UIGestureRecognizer>> members);

  const std::vector<std::shared_ptr<UIGestureRecognizer>>& members() const { return members_; }
  void join();
  // A recognizer asks for a new state.
  void request(UIGestureRecognizer& recognizer, State state);
  // Whether a recognizer of this sequence has recognized and takes the touches from the view.
  bool touchesTakenFromView() const;
  // The last touch of the sequence has lifted: the arena resets its members once no recognizer is
  // still waiting for another's failure.
  void endSequence();
  bool isFinished() const { return finished_; }

 private:
  bool mustWaitFor(UIGestureRecognizer& waiting, UIGestureRecognizer& other) const;
  static bool simultaneous(UIGestureRecognizer& a, UIGestureRecognizer& b);
  static bool isActive(State state) { return state == State::began || state == State::changed || state == State::ended; }
  void recognize(UIGestureRecognizer& recognizer, State state);
  void fail(UIGestureRecognizer& recognizer);
  void reconsiderWaiting();
  void finish();

  std::vector<std::shared_ptr<UIGestureRecognizer>> members_;
  std::map<UIGestureRecognizer*, State> waiting_;
  bool taken_ = false;
  bool ended_ = false;
  bool finished_ = false;
};

}  // namespace ios
