#include <UIKit/UIAlertAction.h>

namespace ios {

namespace {
const auto registration = ClassRegistration<UIAlertAction>("UIAlertAction");
}  // namespace

std::shared_ptr<UIAlertAction> UIAlertAction::create(std::optional<std::string> title,
                                                     UIAlertActionStyle style, Handler handler) {
  return std::make_shared<UIAlertAction>(std::move(title), style, std::move(handler));
}

UIAlertAction::UIAlertAction(std::optional<std::string> title, UIAlertActionStyle style, Handler handler)
    : title_(std::move(title)), style_(style), handler_(std::move(handler)) {}

void UIAlertAction::invoke() {
  // A copy, so that a handler that drops the last reference to this action finishes safely.
  auto handler = handler_;
  if (handler) handler(*this);
}

}  // namespace ios
