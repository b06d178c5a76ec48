#include <UIKit/UIResponder.h>

namespace ios {

namespace {
const auto registration = ClassRegistration<UIResponder>("UIResponder");

// At most one first responder exists at a time; held weakly so it never outlives its owner.
std::weak_ptr<UIResponder>& firstResponderSlot() {
  static std::weak_ptr<UIResponder> responder;
  return responder;
}
}  // namespace

void UIResponder::touchesBegan(const Touches& touches, const UIEvent* event) {
  if (auto n = next()) n->touchesBegan(touches, event);
}

void UIResponder::touchesMoved(const Touches& touches, const UIEvent* event) {
  if (auto n = next()) n->touchesMoved(touches, event);
}

void UIResponder::touchesEnded(const Touches& touches, const UIEvent* event) {
  if (auto n = next()) n->touchesEnded(touches, event);
}

void UIResponder::touchesCancelled(const Touches& touches, const UIEvent* event) {
  if (auto n = next()) n->touchesCancelled(touches, event);
}

bool UIResponder::becomeFirstResponder() {
  if (!canBecomeFirstResponder()) return false;
  auto self = std::static_pointer_cast<UIResponder>(shared_from_this());
  auto current = firstResponderSlot().lock();
  if (current == self) return true;
  if (current && !current->resignFirstResponder()) return false;
  firstResponderSlot() = self;
  return true;
}

bool UIResponder::resignFirstResponder() {
  auto current = firstResponderSlot().lock();
  if (current.get() == this) firstResponderSlot().reset();
  return true;
}

std::shared_ptr<UIResponder> UIResponder::currentFirstResponder() { return firstResponderSlot().lock(); }

bool UIResponder::isFirstResponder() const { return firstResponderSlot().lock().get() == this; }

}  // namespace ios
