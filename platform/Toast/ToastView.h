#pragma once

#include <Foundation/RunLoop.h>
#include <Toast/ToastStyle.h>
#include <UIKit/UILabel.h>
#include <UIKit/UIView.h>

#include <functional>
#include <memory>
#include <string>

namespace ios {

// The box a toast shows: its message in a label, padded, no wider or taller than the given limits.
// `makeToast` makes, places and times these; tests find them among the view's subviews.
class ToastView : public UIView {
 public:
  // Sized to the message wrapped within `maxSize` (the box's outer size).
  static std::shared_ptr<ToastView> create(const std::string& message, const ToastStyle& style,
                                           CGSize maxSize);
  ToastView();

  const std::string& message() const { return message_; }
  const std::shared_ptr<UILabel>& messageLabel() const { return label_; }
  double duration() const { return duration_; }
  // Whether the fade out has begun.
  bool isHiding() const { return hiding_; }

  // The action of the tap recognizer, present when tap-to-dismiss is on.
  void handleTap();

 private:
  friend class ToastPresenter;

  std::string message_;
  std::shared_ptr<UILabel> label_;
  double duration_ = 0;
  bool hiding_ = false;
  RunLoop::TaskId hideTask_ = 0;
  std::weak_ptr<UIView> host_;
  std::function<void()> onTap_;
};

}  // namespace ios
