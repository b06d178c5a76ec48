#pragma once

#include <UIKit/UIView.h>

#include <functional>
#include <memory>
#include <vector>

namespace ios {

// A view that turns touches into control events and sends actions to targets: touch-down on
// contact, drag inside/outside while moving, touch-up inside or outside at lift-off (inside means
// within 70 points of the bounds, as on the platform), touch-cancel when a gesture takes the
// touches. A disabled control does not track.
class UIControl : public UIView {
 public:
  enum Event : unsigned {
    touchDown = 1u << 0,
    touchDownRepeat = 1u << 1,
    touchDragInside = 1u << 2,
    touchDragOutside = 1u << 3,
    touchDragEnter = 1u << 4,
    touchDragExit = 1u << 5,
    touchUpInside = 1u << 6,
    touchUpOutside = 1u << 7,
    touchCancel = 1u << 8,
    valueChanged = 1u << 12,
    primaryActionTriggered = 1u << 13,
    editingDidBegin = 1u << 16,
    editingChanged = 1u << 17,
    editingDidEnd = 1u << 18,
    editingDidEndOnExit = 1u << 19,
    allTouchEvents = 0x0FFFu,
    allEditingEvents = 0xF0000u,
    allEvents = 0xFFFFFFFFu,
  };
  enum State : unsigned { normal = 0, highlighted = 1u << 0, disabled = 1u << 1, selected = 1u << 2 };

  static std::shared_ptr<UIControl> create(const CGRect& frame = CGRect::zero);
  using UIView::UIView;

  // Targets are held weakly. A null target sends the action up the responder chain from this
  // control to the first responder that implements it.
  void addTarget(std::weak_ptr<NSObject> target, Selector action, unsigned events);
  void addTarget(std::nullptr_t, Selector action, unsigned events);
  void removeTarget(const NSObject* target, const Selector& action, unsigned events);
  // A closure action, for the platform's own controls and for hosts.
  void addAction(std::function<void(UIControl&)> action, unsigned events);
  std::vector<Selector> actions(const NSObject* target, Event event) const;
  // Sends every action registered for any of `events`, in the order they were added.
  void sendActions(unsigned events);

  bool isEnabled() const { return enabled_; }
  virtual void setEnabled(bool enabled);
  bool isSelected() const { return selected_; }
  virtual void setSelected(bool selected);
  bool isHighlighted() const { return highlighted_; }
  virtual void setHighlighted(bool highlighted);
  unsigned state() const;
  bool isTracking() const { return tracking_; }
  bool isTouchInside() const { return touchInside_; }

  // Tracking hooks for subclasses (sliders, switches); the defaults accept every touch.
  virtual bool beginTracking(const UITouch& /*touch*/, const UIEvent* /*event*/) { return true; }
  virtual bool continueTracking(const UITouch& /*touch*/, const UIEvent* /*event*/) { return true; }
  virtual void endTracking(const UITouch* /*touch*/, const UIEvent* /*event*/) {}
  virtual void cancelTracking(const UIEvent* /*event*/) {}

  void touchesBegan(const Touches& touches, const UIEvent* event) override;
  void touchesMoved(const Touches& touches, const UIEvent* event) override;
  void touchesEnded(const Touches& touches, const UIEvent* event) override;
  void touchesCancelled(const Touches& touches, const UIEvent* event) override;
  bool allowsAncestorGesture(const UIGestureRecognizer& recognizer) const override;

 private:
  struct Registration {
    std::weak_ptr<NSObject> target;
    bool responderChain = false;
    Selector action;
    std::function<void(UIControl&)> closure;
    unsigned events;
  };
  bool inside(CGPoint point) const;
  void send(const Registration& registration);

  std::vector<Registration> registrations_;
  bool enabled_ = true;
  bool selected_ = false;
  bool highlighted_ = false;
  bool tracking_ = false;
  bool touchInside_ = false;
};

}  // namespace ios
