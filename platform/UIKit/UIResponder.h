#pragma once

#include <Foundation/NSObject.h>

#include <memory>
#include <set>

namespace ios {

class UITouch;
class UIEvent;

// The base of everything that takes events. Touches a responder does not handle go to `next()`
// (a view's controller or superview); the default handlers pass them on.
class UIResponder : public NSObject {
 public:
  using Touches = std::set<std::shared_ptr<UITouch>>;

  virtual std::shared_ptr<UIResponder> next() const { return nullptr; }

  virtual void touchesBegan(const Touches& touches, const UIEvent* event);
  virtual void touchesMoved(const Touches& touches, const UIEvent* event);
  virtual void touchesEnded(const Touches& touches, const UIEvent* event);
  virtual void touchesCancelled(const Touches& touches, const UIEvent* event);

  virtual bool canBecomeFirstResponder() const { return false; }
  virtual bool becomeFirstResponder();
  virtual bool resignFirstResponder();
  bool isFirstResponder() const;
  // The one first responder of the process, or null.
  static std::shared_ptr<UIResponder> currentFirstResponder();
};

}  // namespace ios
