#include <UIKit/NSLayoutConstraint.h>

#include <Foundation/ClassRegistry.h>
#include <Foundation/Console.h>
#include <UIKit/LayoutEngine.h>
#include <UIKit/UILayoutGuide.h>
#include <UIKit/UIView.h>

#include <cmath>
#include <sstream>

namespace ios {

namespace {

const auto registration =
    ClassRegistration<NSLayoutConstraint>("NSLayoutConstraint")
        .property("constant", &NSLayoutConstraint::constant, &NSLayoutConstraint::setConstant)
        .property("priority", &NSLayoutConstraint::priority, &NSLayoutConstraint::setPriority)
        .property("identifier", &NSLayoutConstraint::identifier)
        .property("active", &NSLayoutConstraint::isActive, &NSLayoutConstraint::setActive);

const char* attributeName(NSLayoutAttribute attribute) {
  static const char* const names[] = {"notAnAttribute",
                                      "left",
                                      "right",
                                      "top",
                                      "bottom",
                                      "leading",
                                      "trailing",
                                      "width",
                                      "height",
                                      "centerX",
                                      "centerY",
                                      "lastBaseline",
                                      "firstBaseline",
                                      "leftMargin",
                                      "rightMargin",
                                      "topMargin",
                                      "bottomMargin",
                                      "leadingMargin",
                                      "trailingMargin",
                                      "centerXWithinMargins",
                                      "centerYWithinMargins"};
  return names[rawValue(attribute)];
}

std::string itemName(const std::shared_ptr<NSObject>& item) {
  if (!item) return "(gone)";
  std::string name = item->className();
  if (auto view = std::dynamic_pointer_cast<UIView>(item); view && !view->accessibilityIdentifier.empty())
    name += "(" + view->accessibilityIdentifier + ")";
  if (auto guide = std::dynamic_pointer_cast<UILayoutGuide>(item)) {
    if (!guide->identifier.empty()) name += "(" + guide->identifier + ")";
    if (auto owner = guide->owningView()) name += " of " + itemName(owner);
  }
  return name;
}

// The view an item lives in: the view itself, or a guide's owning view.
UIView* viewOf(const std::shared_ptr<NSObject>& item) {
  if (auto* view = dynamic_cast<UIView*>(item.get())) return view;
  if (auto* guide = dynamic_cast<UILayoutGuide*>(item.get())) return guide->owningView().get();
  return nullptr;
}

UIView* commonAncestor(UIView* a, UIView* b) {
  if (!a) return b;
  if (!b) return a;
  for (UIView* x = a; x; x = x->superview().get())
    if (b->isDescendant(*x)) return x;
  return nullptr;
}

}  // namespace

int rawValue(NSLayoutAttribute attribute) {
  return static_cast<int>(attribute);
}
int rawValue(NSLayoutRelation relation) {
  return static_cast<int>(relation);
}

template <>
std::optional<NSLayoutAttribute> fromRawValue<NSLayoutAttribute>(int raw) {
  if (raw < 0 || raw > rawValue(NSLayoutAttribute::centerYWithinMargins)) return std::nullopt;
  return static_cast<NSLayoutAttribute>(raw);
}

template <>
std::optional<NSLayoutRelation> fromRawValue<NSLayoutRelation>(int raw) {
  if (raw < -1 || raw > 1) return std::nullopt;
  return static_cast<NSLayoutRelation>(raw);
}

std::shared_ptr<NSLayoutConstraint> NSLayoutConstraint::create(const std::shared_ptr<NSObject>& item1,
                                                               NSLayoutAttribute attribute1,
                                                               NSLayoutRelation relation,
                                                               const std::shared_ptr<NSObject>& item2,
                                                               NSLayoutAttribute attribute2,
                                                               CGFloat multiplier, CGFloat constant) {
  return std::make_shared<NSLayoutConstraint>(item1, attribute1, relation, item2, attribute2, multiplier,
                                              constant);
}

NSLayoutConstraint::NSLayoutConstraint(const std::shared_ptr<NSObject>& item1, NSLayoutAttribute attribute1,
                                       NSLayoutRelation relation, const std::shared_ptr<NSObject>& item2,
                                       NSLayoutAttribute attribute2, CGFloat multiplier, CGFloat constant)
    : firstItem_(item1),
      secondItem_(item2),
      firstAttribute_(attribute1),
      secondAttribute_(item2 ? attribute2 : NSLayoutAttribute::notAnAttribute),
      relation_(relation),
      multiplier_(multiplier),
      constant_(constant) {}

NSLayoutConstraint::~NSLayoutConstraint() = default;

namespace detail {
std::shared_ptr<NSLayoutConstraint> makeAnchorConstraint(const std::weak_ptr<NSObject>& item1,
                                                         NSLayoutAttribute attribute1,
                                                         NSLayoutRelation relation,
                                                         const std::weak_ptr<NSObject>& item2,
                                                         NSLayoutAttribute attribute2, CGFloat multiplier,
                                                         CGFloat constant) {
  return NSLayoutConstraint::create(item1.lock(), attribute1, relation, item2.lock(), attribute2, multiplier,
                                    constant);
}
}  // namespace detail

void NSLayoutConstraint::setConstant(CGFloat constant) {
  if (constant == constant_ || std::isnan(constant)) return;
  constant_ = constant;
  auto view = holder();
  if (!view) return;
  if (auto* engine = view->liveEngine()) engine->constantDidChange(*this);
  view->setNeedsLayout();
}

void NSLayoutConstraint::setPriority(UILayoutPriority priority) {
  priority = std::clamp<UILayoutPriority>(priority, 1, UILayoutPriorityRequired);
  if (priority == priority_) return;
  const bool wasRequired = priority_ >= UILayoutPriorityRequired;
  const bool required = priority >= UILayoutPriorityRequired;
  auto view = holder();
  if (view && wasRequired != required) {
    NSLog("Auto Layout: cannot change the priority of the active constraint " + description() +
          " between required and optional; deactivate it first. The priority stays.");
    return;
  }
  priority_ = priority;
  if (!view) return;
  if (auto* engine = view->liveEngine()) engine->priorityDidChange(*this);
  view->setNeedsLayout();
}

bool NSLayoutConstraint::isActive() const {
  return !holder_.expired();
}

void NSLayoutConstraint::setActive(bool active) {
  if (active == isActive()) return;
  auto self = std::static_pointer_cast<NSLayoutConstraint>(shared_from_this());
  if (!active) {
    holder()->release(*this);
    return;
  }
  UIView* first = viewOf(firstItem());
  UIView* second = viewOf(secondItem());
  UIView* holder = first || second ? commonAncestor(first, second) : nullptr;
  if (!holder) {
    NSLog("Auto Layout: cannot activate " + description() +
          ": its items have no common ancestor (or an item is gone or not in a view).");
    return;
  }
  holder->hold(self);
}

void NSLayoutConstraint::activate(const std::vector<std::shared_ptr<NSLayoutConstraint>>& constraints) {
  for (const auto& constraint : constraints)
    if (constraint) constraint->setActive(true);
}

void NSLayoutConstraint::deactivate(const std::vector<std::shared_ptr<NSLayoutConstraint>>& constraints) {
  for (const auto& constraint : constraints)
    if (constraint) constraint->setActive(false);
}

std::string NSLayoutConstraint::description() const {
  std::ostringstream out;
  out << itemName(firstItem()) << "." << attributeName(firstAttribute_) << " "
      << (relation_ == NSLayoutRelation::equal             ? "=="
          : relation_ == NSLayoutRelation::lessThanOrEqual ? "<="
                                                           : ">=");
  const bool hasSecond = secondAttribute_ != NSLayoutAttribute::notAnAttribute;
  if (hasSecond) {
    out << " " << itemName(secondItem()) << "." << attributeName(secondAttribute_);
    if (multiplier_ != 1) out << " * " << multiplier_;
    if (constant_ != 0) out << (constant_ < 0 ? " - " : " + ") << std::abs(constant_);
  } else {
    out << " " << constant_;
  }
  if (priority_ < UILayoutPriorityRequired) out << " @" << priority_;
  if (!identifier.empty()) out << " '" << identifier << "'";
  return out.str();
}

}  // namespace ios
