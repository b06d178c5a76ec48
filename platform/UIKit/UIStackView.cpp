#include <UIKit/UIStackView.h>

#include <Foundation/ClassRegistry.h>
#include <UIKit/UILayoutGuide.h>

#include <algorithm>

namespace ios {

namespace {

const auto registration =
    ClassRegistration<UIStackView, UIView>("UIStackView")
        .property(
            "axis", [](const UIStackView& v) { return static_cast<int>(v.axis()); },
            [](UIStackView& v, int axis) {
              if (axis == 0 || axis == 1) v.setAxis(static_cast<UILayoutConstraintAxis>(axis));
            })
        .property("spacing", &UIStackView::spacing, &UIStackView::setSpacing)
        .property(
            "alignment", [](const UIStackView& v) { return static_cast<int>(v.alignment()); },
            [](UIStackView& v, int alignment) {
              if (alignment >= 0 && alignment <= 5)
                v.setAlignment(static_cast<UIStackViewAlignment>(alignment));
            })
        .property(
            "distribution", [](const UIStackView& v) { return static_cast<int>(v.distribution()); },
            [](UIStackView& v, int distribution) {
              if (distribution >= 0 && distribution <= 3)
                v.setDistribution(static_cast<UIStackViewDistribution>(distribution));
            });

// Lowest priority: the stack keeps its cross size down to its largest view when nothing else sets it.
constexpr UILayoutPriority kHugLargest = 1;
// Hidden views collapse just below required, so that their own required sizes still hold.
constexpr UILayoutPriority kCollapse = 999;

}  // namespace

std::shared_ptr<UIStackView> UIStackView::create(
    const std::vector<std::shared_ptr<UIView>>& arrangedSubviews) {
  auto stack = std::make_shared<UIStackView>();
  for (const auto& view : arrangedSubviews) stack->addArrangedSubview(view);
  return stack;
}

UIStackView::UIStackView(const CGRect& frame) : UIView(frame) {}

bool UIStackView::isArranged(const UIView& view) const {
  return std::any_of(arranged_.begin(), arranged_.end(), [&](const auto& v) { return v.get() == &view; });
}

void UIStackView::addArrangedSubview(const std::shared_ptr<UIView>& view) {
  insertArrangedSubview(view, arranged_.size());
}

void UIStackView::insertArrangedSubview(const std::shared_ptr<UIView>& view, std::size_t index) {
  if (!view || view.get() == this) return;
  if (isArranged(*view)) arranged_.erase(std::find(arranged_.begin(), arranged_.end(), view));
  view->setTranslatesAutoresizingMaskIntoConstraints(false);
  if (view->superview().get() != this) addSubview(view);
  if (view->superview().get() != this) return;  // refused (an ancestor of the stack, say)
  arranged_.insert(arranged_.begin() + static_cast<std::ptrdiff_t>(std::min(index, arranged_.size())), view);
  rebuild();
}

void UIStackView::removeArrangedSubview(const std::shared_ptr<UIView>& view) {
  auto it = std::find(arranged_.begin(), arranged_.end(), view);
  if (it == arranged_.end()) return;
  arranged_.erase(it);
  rebuild();
}

void UIStackView::setAxis(UILayoutConstraintAxis axis) {
  if (axis == axis_) return;
  axis_ = axis;
  rebuild();
}

void UIStackView::setSpacing(CGFloat spacing) {
  if (spacing == spacing_) return;
  spacing_ = spacing;
  rebuild();
}

void UIStackView::setAlignment(UIStackViewAlignment alignment) {
  if (alignment == alignment_) return;
  alignment_ = alignment;
  rebuild();
}

void UIStackView::setDistribution(UIStackViewDistribution distribution) {
  if (distribution == distribution_) return;
  distribution_ = distribution;
  rebuild();
}

void UIStackView::willRemoveSubview(const std::shared_ptr<UIView>& subview) {
  UIView::willRemoveSubview(subview);
  removeArrangedSubview(subview);
}

void UIStackView::subviewHiddenDidChange(UIView& subview) {
  if (isArranged(subview)) rebuild();
}

void UIStackView::add(const std::shared_ptr<NSObject>& item1, NSLayoutAttribute attribute1,
                      NSLayoutRelation relation, const std::shared_ptr<NSObject>& item2,
                      NSLayoutAttribute attribute2, CGFloat constant, UILayoutPriority priority) {
  auto constraint = NSLayoutConstraint::create(item1, attribute1, relation, item2, attribute2, 1, constant);
  constraint->setPriority(priority);
  constraint->identifier = "UISV";
  pending_.push_back(std::move(constraint));
}

void UIStackView::rebuild() {
  NSLayoutConstraint::deactivate(own_);
  own_.clear();
  for (const auto& spacer : spacers_) removeLayoutGuide(spacer);
  spacers_.clear();
  pending_.clear();
  constrainAlongAxis();
  for (const auto& view : arranged_) constrainAcrossAxis(view);
  if (alignment_ != UIStackViewAlignment::fill && !arranged_.empty()) {
    const auto size =
        axis_ == UILayoutConstraintAxis::horizontal ? NSLayoutAttribute::height : NSLayoutAttribute::width;
    add(shared_from_this(), size, NSLayoutRelation::equal, nullptr, NSLayoutAttribute::notAnAttribute, 0,
        kHugLargest);
  }
  own_ = std::move(pending_);
  pending_.clear();
  NSLayoutConstraint::activate(own_);
}

void UIStackView::constrainAlongAxis() {
  const bool horizontal = axis_ == UILayoutConstraintAxis::horizontal;
  const auto lead = horizontal ? NSLayoutAttribute::leading : NSLayoutAttribute::top;
  const auto trail = horizontal ? NSLayoutAttribute::trailing : NSLayoutAttribute::bottom;
  const auto length = horizontal ? NSLayoutAttribute::width : NSLayoutAttribute::height;
  const auto self = shared_from_this();
  using R = NSLayoutRelation;

  std::shared_ptr<UIView> previous;
  std::shared_ptr<UIView> firstVisible;
  std::shared_ptr<UILayoutGuide> firstSpacer;
  for (const auto& view : arranged_) {
    if (view->isHidden()) {
      add(view, length, R::equal, nullptr, NSLayoutAttribute::notAnAttribute, 0, kCollapse);
      if (previous) {
        add(view, lead, R::equal, previous, trail);
      } else {
        add(view, lead, R::equal, self, lead);
      }
      continue;
    }
    if (!previous) {
      add(view, lead, R::equal, self, lead);
    } else if (distribution_ == UIStackViewDistribution::equalSpacing) {
      auto spacer = UILayoutGuide::create();
      spacer->identifier = "UISV-spacer";
      addLayoutGuide(spacer);
      spacers_.push_back(spacer);
      add(spacer, lead, R::equal, previous, trail);
      add(view, lead, R::equal, spacer, trail);
      add(spacer, length, R::greaterThanOrEqual, nullptr, NSLayoutAttribute::notAnAttribute, spacing_);
      if (firstSpacer) add(spacer, length, R::equal, firstSpacer, length);
      if (!firstSpacer) firstSpacer = spacer;
    } else {
      add(view, lead, R::equal, previous, trail, spacing_);
    }
    if (distribution_ == UIStackViewDistribution::fillEqually && firstVisible)
      add(view, length, R::equal, firstVisible, length);
    if (!firstVisible) firstVisible = view;
    previous = view;
  }
  if (previous) add(previous, trail, R::equal, self, trail);
}

void UIStackView::constrainAcrossAxis(const std::shared_ptr<UIView>& view) {
  const bool horizontal = axis_ == UILayoutConstraintAxis::horizontal;
  const auto lead = horizontal ? NSLayoutAttribute::top : NSLayoutAttribute::leading;
  const auto trail = horizontal ? NSLayoutAttribute::bottom : NSLayoutAttribute::trailing;
  const auto center = horizontal ? NSLayoutAttribute::centerY : NSLayoutAttribute::centerX;
  const auto self = shared_from_this();
  using R = NSLayoutRelation;
  switch (alignment_) {
    case UIStackViewAlignment::fill:
      add(view, lead, R::equal, self, lead);
      add(view, trail, R::equal, self, trail);
      break;
    case UIStackViewAlignment::leading:
    case UIStackViewAlignment::firstBaseline:
      add(view, lead, R::equal, self, lead);
      add(view, trail, R::lessThanOrEqual, self, trail);
      break;
    case UIStackViewAlignment::trailing:
    case UIStackViewAlignment::lastBaseline:
      add(view, trail, R::equal, self, trail);
      add(view, lead, R::greaterThanOrEqual, self, lead);
      break;
    case UIStackViewAlignment::center:
      add(view, center, R::equal, self, center);
      add(view, lead, R::greaterThanOrEqual, self, lead);
      break;
  }
}

}  // namespace ios
