#include <Foundation/RunLoop.h>
#include <Toast/UIViewToast.h>
#include <UIKit/UITapGestureRecognizer.h>

#include <algorithm>
#include <any>
#include <deque>
#include <utility>
#include <vector>

namespace ios {
namespace {

// Address used as the associated-object key of a view's toasts.
const char kToastQueueKey = 0;

struct ToastQueue {
  struct Pending {
    std::string message;
    double duration;
    ToastPosition position;
  };
  std::vector<std::shared_ptr<ToastView>> active;  // oldest first
  std::deque<Pending> pending;
};

std::shared_ptr<ToastQueue> queueOf(const UIView& view) {
  const auto stored = view.associatedObject(&kToastQueueKey);
  const auto* queue = std::any_cast<std::shared_ptr<ToastQueue>>(&stored);
  return queue ? *queue : nullptr;
}

std::shared_ptr<ToastQueue> makeQueueOf(UIView& view) {
  if (auto queue = queueOf(view)) return queue;
  auto queue = std::make_shared<ToastQueue>();
  view.setAssociatedObject(&kToastQueueKey, std::any(queue), AssociationPolicy::retain);
  return queue;
}

CGPoint centerFor(const UIView& view, CGSize size, ToastPosition position, const ToastStyle& style) {
  const CGRect bounds = view.bounds();
  const UIEdgeInsets insets = view.safeAreaInsets();
  switch (position) {
    case ToastPosition::bottom:
      return CGPoint{bounds.midX(), bounds.maxY() - insets.bottom - style.verticalPadding - size.height / 2};
    case ToastPosition::center:
      break;
  }
  return CGPoint{bounds.midX(), bounds.midY()};
}

}  // namespace

// Shows, times and removes toasts; ToastView lets it keep its timing state.
class ToastPresenter {
 public:
  static void show(UIView& view, ToastQueue& queue, const ToastQueue::Pending& request) {
    const auto& manager = ToastManager::shared();
    const auto& style = manager.style;
    const CGSize limit{view.bounds().size.width * style.maxWidthPercentage,
                       view.bounds().size.height * style.maxHeightPercentage};
    auto toast = ToastView::create(request.message, style, limit);
    toast->duration_ = request.duration;
    toast->host_ = std::static_pointer_cast<UIView>(view.shared_from_this());
    toast->setCenter(centerFor(view, toast->bounds().size, request.position, style));
    toast->setAlpha(0);
    view.addSubview(toast);
    queue.active.push_back(toast);

    std::weak_ptr<ToastView> weak = toast;
    toast->setUserInteractionEnabled(true);
    toast->addGestureRecognizer(UITapGestureRecognizer::create(toast, "handleToastTapped:"));
    toast->onTap_ = [weak] { hide(weak.lock()); };
    UIView::animate(
        style.fadeDuration, 0,
        UIViewAnimationOptions::curveEaseOut | UIViewAnimationOptions::allowUserInteraction,
        [&] { toast->setAlpha(1); }, nullptr);
    toast->hideTask_ = RunLoop::main().performAfter(request.duration, [weak] {
      if (auto toast = weak.lock()) {
        toast->hideTask_ = 0;
        hide(toast);
      }
    });
  }

  static void hide(const std::shared_ptr<ToastView>& toast) {
    if (!toast || toast->hiding_) return;
    toast->hiding_ = true;
    if (toast->hideTask_ != 0) RunLoop::main().cancel(std::exchange(toast->hideTask_, 0));
    UIView::animate(
        ToastManager::shared().style.fadeDuration, 0,
        UIViewAnimationOptions::curveEaseIn | UIViewAnimationOptions::beginFromCurrentState,
        [&] { toast->setAlpha(0); },
        // Weak: the toast's layer keeps this completion until the fade ends.
        [weak = std::weak_ptr<ToastView>(toast)](bool) {
          if (auto toast = weak.lock()) removed(toast);
        });
  }

  static void removed(const std::shared_ptr<ToastView>& toast) {
    toast->removeFromSuperview();
    auto host = toast->host_.lock();
    if (!host) return;
    auto queue = queueOf(*host);
    if (!queue) return;
    std::erase(queue->active, toast);
    if (queue->active.empty() && !queue->pending.empty()) {
      auto next = std::move(queue->pending.front());
      queue->pending.pop_front();
      show(*host, *queue, next);
    }
  }
};

void makeToast(UIView& view, const std::string& message, double duration, ToastPosition position) {
  auto queue = makeQueueOf(view);
  ToastQueue::Pending request{message, duration, position};
  if (!queue->active.empty()) {
    queue->pending.push_back(std::move(request));
    return;
  }
  ToastPresenter::show(view, *queue, request);
}

void makeToast(UIView& view, const std::string& message) {
  const auto& manager = ToastManager::shared();
  makeToast(view, message, manager.duration, manager.position);
}

std::shared_ptr<ToastView> activeToast(const UIView& view) {
  auto queue = queueOf(view);
  return queue && !queue->active.empty() ? queue->active.front() : nullptr;
}

std::size_t queuedToastCount(const UIView& view) {
  auto queue = queueOf(view);
  return queue ? queue->pending.size() : 0;
}

}  // namespace ios
