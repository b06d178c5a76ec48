// UIView's Auto Layout members: where constraints are held, how they follow the view tree, and the
// entry points into the tree's LayoutEngine.
#include <Foundation/ClassRegistry.h>
#include <Foundation/Console.h>
#include <UIKit/AutoLayoutState.h>
#include <UIKit/LayoutEngine.h>
#include <UIKit/UILayoutGuide.h>
#include <UIKit/UIView.h>

#include <algorithm>

namespace ios {

namespace {

const auto registration =
    ClassRegistration<UIView, UIResponder>("UIView")
        .property("translatesAutoresizingMaskIntoConstraints",
                  &UIView::translatesAutoresizingMaskIntoConstraints,
                  &UIView::setTranslatesAutoresizingMaskIntoConstraints)
        .property("autoresizingMask", &UIView::autoresizingMask, &UIView::setAutoresizingMask);

const std::vector<std::shared_ptr<NSLayoutConstraint>> kNoConstraints;

int axisIndex(UILayoutConstraintAxis axis) {
  return axis == UILayoutConstraintAxis::vertical ? 1 : 0;
}

UIView* viewOf(NSObject* item) {
  if (auto* view = dynamic_cast<UIView*>(item)) return view;
  if (auto* guide = dynamic_cast<UILayoutGuide*>(item)) return guide->owningView().get();
  return nullptr;
}

// Whether the constraint mentions an item inside `subtree`.
bool mentions(const NSLayoutConstraint& constraint, const UIView& subtree) {
  for (const auto& item : {constraint.firstItem(), constraint.secondItem()}) {
    UIView* view = viewOf(item.get());
    if (view && view->isDescendant(subtree)) return true;
  }
  return false;
}

}  // namespace

detail::AutoLayoutState& UIView::autoLayout() {
  if (!autoLayout_) autoLayout_ = std::make_unique<detail::AutoLayoutState>();
  return *autoLayout_;
}

UIView* UIView::layoutRoot() {
  UIView* top = this;
  while (auto parent = top->superview_.lock()) top = parent.get();
  return top;
}

LayoutEngine* UIView::liveEngine() {
  UIView* root = layoutRoot();
  return root->autoLayout_ ? root->autoLayout_->engine.get() : nullptr;
}

bool UIView::translatesAutoresizingMaskIntoConstraints() const {
  return !autoLayout_ || autoLayout_->translatesAutoresizingMask;
}

void UIView::setTranslatesAutoresizingMaskIntoConstraints(bool translates) {
  if (translates == translatesAutoresizingMaskIntoConstraints()) return;
  autoLayout().translatesAutoresizingMask = translates;
  if (auto* engine = liveEngine()) engine->autoresizingDidChange(*this);
  setNeedsLayout();
}

unsigned UIView::autoresizingMask() const {
  return autoLayout_ ? autoLayout_->autoresizingMask : 0;
}

void UIView::setAutoresizingMask(unsigned mask) {
  if (mask == autoresizingMask()) return;
  autoLayout().autoresizingMask = mask;
  if (auto* engine = liveEngine()) engine->autoresizingDidChange(*this);
}

const std::vector<std::shared_ptr<NSLayoutConstraint>>& UIView::constraints() const {
  return autoLayout_ ? autoLayout_->constraints : kNoConstraints;
}

void UIView::addConstraint(const std::shared_ptr<NSLayoutConstraint>& constraint) {
  if (!constraint || constraint->holder().get() == this) return;
  for (const auto& item : {constraint->firstItem(), constraint->secondItem()}) {
    UIView* view = viewOf(item.get());
    if (item && (!view || !view->isDescendant(*this))) {
      NSLog("Auto Layout: cannot add " + constraint->description() + " to " + className() +
            ": the view does not contain all of its items.");
      return;
    }
  }
  if (!constraint->firstItem()) return;
  if (auto old = constraint->holder()) old->release(*constraint);
  hold(constraint);
}

void UIView::addConstraints(const std::vector<std::shared_ptr<NSLayoutConstraint>>& constraints) {
  for (const auto& constraint : constraints) addConstraint(constraint);
}

void UIView::removeConstraint(const std::shared_ptr<NSLayoutConstraint>& constraint) {
  if (constraint && constraint->holder().get() == this) release(*constraint);
}

void UIView::removeConstraints(const std::vector<std::shared_ptr<NSLayoutConstraint>>& constraints) {
  for (const auto& constraint : constraints) removeConstraint(constraint);
}

void UIView::hold(const std::shared_ptr<NSLayoutConstraint>& constraint) {
  autoLayout().constraints.push_back(constraint);
  constraint->holder_ = std::static_pointer_cast<UIView>(shared_from_this());
  // Margin attributes are the margins guide's: make it now, while the holder is known.
  for (auto attribute : {constraint->firstAttribute(), constraint->secondAttribute()}) {
    if (rawValue(attribute) < rawValue(NSLayoutAttribute::leftMargin)) continue;
    for (const auto& item : {constraint->firstItem(), constraint->secondItem()})
      if (auto view = std::dynamic_pointer_cast<UIView>(item)) view->layoutMarginsGuide();
  }
  addHeldCount(1);
  if (auto* engine = liveEngine()) engine->add(*constraint);
  setNeedsLayout();
}

void UIView::release(NSLayoutConstraint& constraint) {
  auto self = constraint.shared_from_this();  // alive until the end, whoever else lets go of it
  if (auto* engine = liveEngine()) engine->remove(constraint);
  auto& list = autoLayout().constraints;
  list.erase(std::remove_if(list.begin(), list.end(), [&](const auto& c) { return c.get() == &constraint; }),
             list.end());
  constraint.holder_.reset();
  addHeldCount(-1);
  setNeedsLayout();
}

void UIView::addHeldCount(std::ptrdiff_t delta) {
  if (delta == 0) return;
  for (UIView* view = this; view; view = view->superview_.lock().get())
    view->autoLayout().heldInSubtree += static_cast<std::size_t>(delta);
}

const std::shared_ptr<UILayoutGuide>& UIView::safeAreaLayoutGuide() {
  auto& state = autoLayout();
  if (!state.safeAreaGuide) {
    state.safeAreaGuide = std::make_shared<UILayoutGuide>(UILayoutGuide::Kind::safeArea);
    state.safeAreaGuide->identifier = "UIViewSafeAreaLayoutGuide";
    state.safeAreaGuide->owningView_ = std::static_pointer_cast<UIView>(shared_from_this());
  }
  return state.safeAreaGuide;
}

const std::shared_ptr<UILayoutGuide>& UIView::layoutMarginsGuide() {
  auto& state = autoLayout();
  if (!state.marginsGuide) {
    state.marginsGuide = std::make_shared<UILayoutGuide>(UILayoutGuide::Kind::layoutMargins);
    state.marginsGuide->identifier = "UIViewLayoutMarginsGuide";
    state.marginsGuide->owningView_ = std::static_pointer_cast<UIView>(shared_from_this());
  }
  return state.marginsGuide;
}

void UIView::addLayoutGuide(const std::shared_ptr<UILayoutGuide>& guide) {
  if (!guide || guide->kind() != UILayoutGuide::Kind::custom) return;
  if (auto owner = guide->owningView()) {
    if (owner.get() == this) return;
    owner->removeLayoutGuide(guide);
  }
  autoLayout().guides.push_back(guide);
  guide->owningView_ = std::static_pointer_cast<UIView>(shared_from_this());
}

void UIView::removeLayoutGuide(const std::shared_ptr<UILayoutGuide>& guide) {
  if (!guide || guide->owningView().get() != this) return;
  // Constraints that mention the guide go with it.
  for (UIView* view = this; view; view = view->superview_.lock().get()) {
    if (!view->autoLayout_) continue;
    const auto held = view->autoLayout_->constraints;
    for (const auto& constraint : held)
      if (constraint->firstItem() == guide || constraint->secondItem() == guide) view->release(*constraint);
  }
  auto& guides = autoLayout().guides;
  guides.erase(std::remove(guides.begin(), guides.end(), guide), guides.end());
  guide->owningView_.reset();
}

std::vector<std::shared_ptr<UILayoutGuide>> UIView::layoutGuides() const {
  return autoLayout_ ? autoLayout_->guides : std::vector<std::shared_ptr<UILayoutGuide>>{};
}

UILayoutPriority UIView::contentHuggingPriority(UILayoutConstraintAxis axis) const {
  return autoLayout_ ? autoLayout_->hugging[axisIndex(axis)] : UILayoutPriorityDefaultLow;
}

void UIView::setContentHuggingPriority(UILayoutPriority priority, UILayoutConstraintAxis axis) {
  priority = std::clamp<UILayoutPriority>(priority, 1, UILayoutPriorityRequired);
  if (priority == contentHuggingPriority(axis)) return;
  autoLayout().hugging[axisIndex(axis)] = priority;
  if (auto* engine = liveEngine()) engine->contentPrioritiesDidChange(*this);
}

UILayoutPriority UIView::contentCompressionResistancePriority(UILayoutConstraintAxis axis) const {
  return autoLayout_ ? autoLayout_->compression[axisIndex(axis)] : UILayoutPriorityDefaultHigh;
}

void UIView::setContentCompressionResistancePriority(UILayoutPriority priority, UILayoutConstraintAxis axis) {
  priority = std::clamp<UILayoutPriority>(priority, 1, UILayoutPriorityRequired);
  if (priority == contentCompressionResistancePriority(axis)) return;
  autoLayout().compression[axisIndex(axis)] = priority;
  if (auto* engine = liveEngine()) engine->contentPrioritiesDidChange(*this);
}

void UIView::invalidateIntrinsicContentSize() {
  if (autoLayout_)
    if (auto* engine = liveEngine()) engine->intrinsicContentSizeDidChange(*this);
  setNeedsLayout();
}

CGSize UIView::systemLayoutSizeFitting(CGSize targetSize) const {
  return systemLayoutSizeFitting(targetSize, UILayoutPriorityFittingSizeLevel,
                                 UILayoutPriorityFittingSizeLevel);
}

CGSize UIView::systemLayoutSizeFitting(CGSize targetSize, UILayoutPriority horizontalFittingPriority,
                                       UILayoutPriority verticalFittingPriority) const {
  auto& self = const_cast<UIView&>(*this);
  LayoutEngine scratch(self, targetSize, horizontalFittingPriority, verticalFittingPriority);
  scratch.addSubtree(self);
  scratch.update();
  return scratch.rootSize();
}

CGSize UIView::systemLayoutSizeFittingInPlace(CGSize targetSize, UILayoutPriority horizontalFittingPriority,
                                              UILayoutPriority verticalFittingPriority) {
  if (auto* engine = liveEngine())
    if (auto size =
            engine->fittingSize(*this, targetSize, horizontalFittingPriority, verticalFittingPriority))
      return *size;
  return systemLayoutSizeFitting(targetSize, horizontalFittingPriority, verticalFittingPriority);
}

void UIView::updateConstraintsIfNeeded() {
  UIView* root = layoutRoot();
  if (!root->autoLayout_) return;
  auto& state = *root->autoLayout_;
  if (!state.engine) {
    if (state.heldInSubtree == 0) return;
    state.engine = std::make_unique<LayoutEngine>(*root);
    state.engine->addSubtree(*root);
  }
  if (state.engine->needsUpdate()) state.engine->update();
}

bool UIView::autoLayoutNeedsUpdate() {
  auto* engine = liveEngine();
  return engine && engine->needsUpdate();
}

bool UIView::hasAmbiguousLayout() {
  updateConstraintsIfNeeded();
  auto* engine = liveEngine();
  return engine && engine->isAmbiguous(*this);
}

void UIView::autoLayoutGeometryDidChange() {
  if (auto* engine = liveEngine()) engine->geometryDidChange(*this);
}

// Called with the superview still set: constraints held above that mention the subtree are
// deactivated, the ones held inside leave the old tree's engine.
void UIView::autoLayoutWillDetach() {
  for (auto view = superview(); view; view = view->superview()) {
    if (!view->autoLayout_ || view->autoLayout_->constraints.empty()) continue;
    const auto held = view->autoLayout_->constraints;
    for (const auto& constraint : held)
      if (mentions(*constraint, *this)) view->release(*constraint);
  }
  if (!autoLayout_ || autoLayout_->heldInSubtree == 0) return;
  if (auto* engine = liveEngine()) engine->removeSubtree(*this);
  const auto count = static_cast<std::ptrdiff_t>(autoLayout_->heldInSubtree);
  if (auto parent = superview()) parent->addHeldCount(-count);
}

void UIView::autoLayoutDidAttach() {
  if (!autoLayout_) return;
  autoLayout_->engine.reset();  // no longer a root
  if (autoLayout_->heldInSubtree == 0) return;
  if (auto parent = superview())
    parent->addHeldCount(static_cast<std::ptrdiff_t>(autoLayout_->heldInSubtree));
  if (auto* engine = liveEngine()) engine->addSubtree(*this);
}

}  // namespace ios
