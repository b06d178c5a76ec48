#include <UIKit/LayoutEngine.h>

#include <Foundation/Console.h>
#include <UIKit/AutoLayoutState.h>
#include <UIKit/UILayoutGuide.h>
#include <UIKit/UIScreen.h>
#include <UIKit/UIView.h>

#include <algorithm>
#include <cmath>
#include <utility>

namespace ios {

namespace {

using layout::Constraint;
using layout::Expression;
using layout::Variable;
namespace strength = layout::strength;

// Views whose height follows their width get this many extra solves at most per update.
constexpr int kHeightForWidthRounds = 4;

bool isMargin(NSLayoutAttribute attribute) {
  return rawValue(attribute) >= rawValue(NSLayoutAttribute::leftMargin);
}

NSLayoutAttribute withoutMargin(NSLayoutAttribute attribute) {
  switch (attribute) {
    case NSLayoutAttribute::leftMargin:
      return NSLayoutAttribute::left;
    case NSLayoutAttribute::rightMargin:
      return NSLayoutAttribute::right;
    case NSLayoutAttribute::topMargin:
      return NSLayoutAttribute::top;
    case NSLayoutAttribute::bottomMargin:
      return NSLayoutAttribute::bottom;
    case NSLayoutAttribute::leadingMargin:
      return NSLayoutAttribute::leading;
    case NSLayoutAttribute::trailingMargin:
      return NSLayoutAttribute::trailing;
    case NSLayoutAttribute::centerXWithinMargins:
      return NSLayoutAttribute::centerX;
    case NSLayoutAttribute::centerYWithinMargins:
      return NSLayoutAttribute::centerY;
    default:
      return attribute;
  }
}

bool isHorizontal(NSLayoutAttribute attribute) {
  switch (attribute) {
    case NSLayoutAttribute::left:
    case NSLayoutAttribute::right:
    case NSLayoutAttribute::leading:
    case NSLayoutAttribute::trailing:
    case NSLayoutAttribute::width:
    case NSLayoutAttribute::centerX:
      return true;
    default:
      return false;
  }
}

std::string describeView(const UIView& view) {
  std::string name = view.className();
  if (!view.accessibilityIdentifier.empty()) name += "(" + view.accessibilityIdentifier + ")";
  return name;
}

// Solved values carry rounding noise; frames get it trimmed so that whole points stay whole.
CGFloat tidy(double value) {
  return static_cast<CGFloat>(std::round(value * 1e6) / 1e6);
}

// Frames land on the screen's pixel grid, as UIKit places them: each edge rounded to the nearest
// device pixel, so that layers composite without resampling and lines stay sharp.
CGFloat onPixelGrid(double value) {
  const CGFloat scale = UIScreen::main()->scale();
  return static_cast<CGFloat>(std::round(tidy(value) * scale) / scale);
}

CGRect pixelAligned(double x, double y, double width, double height) {
  const CGFloat left = onPixelGrid(x), top = onPixelGrid(y);
  return CGRect(left, top, onPixelGrid(x + width) - left, onPixelGrid(y + height) - top);
}

bool translates(const UIView& view) {
  return view.translatesAutoresizingMaskIntoConstraints();
}

}  // namespace

struct LayoutEngine::Item {
  UIView* view = nullptr;
  UILayoutGuide* guide = nullptr;
  const void* parentKey = nullptr;  // the superview a flexible mask follows, or a guide's owner
  Variable x{"x"}, y{"y"}, w{"w"}, h{"h"};
  int users = 0;
  int depth = 0;
  Pinned pins[4];  // x, y, w, h: frame, root size, fitting target or guide insets
  unsigned flexible = 0;
  Pinned hug[2], comp[2];
  CGFloat intrinsic[2] = {UIView::noIntrinsicMetric, UIView::noIntrinsicMetric};
  bool intrinsicDirty = false;
  bool usesIntrinsic = false;
  bool heightForWidth = false;
  bool placesFrame = false;
  UIEdgeInsets insets;
};

struct LayoutEngine::Entry {
  Constraint constraint;
  std::vector<const void*> retained;
  double base = 0;  // the expression's constant without the constraint's own constant
  bool inSolver = false;
};

LayoutEngine::LayoutEngine(UIView& root)
    : root_(&root),
      fitting_(false),
      target_{},
      fittingPriority_{UILayoutPriorityRequired, UILayoutPriorityRequired} {}

LayoutEngine::LayoutEngine(UIView& root, CGSize target, UILayoutPriority horizontal,
                           UILayoutPriority vertical)
    : root_(&root), fitting_(true), target_(target), fittingPriority_{horizontal, vertical} {
  retainView(root);
}

LayoutEngine::~LayoutEngine() = default;

// ---- Constraints ----

void LayoutEngine::addSubtree(UIView& view) {
  if (view.autoLayout_ && view.autoLayout_->heldInSubtree == 0) return;
  if (view.autoLayout_) {
    const auto held = view.autoLayout_->constraints;
    for (const auto& constraint : held) add(*constraint);
  }
  const auto children = view.subviews();
  for (const auto& child : children) addSubtree(*child);
}

void LayoutEngine::removeSubtree(UIView& view) {
  if (!view.autoLayout_ || view.autoLayout_->heldInSubtree == 0) return;
  for (const auto& constraint : view.autoLayout_->constraints) remove(*constraint);
  for (const auto& child : view.subviews()) removeSubtree(*child);
}

bool LayoutEngine::contains(const NSLayoutConstraint& constraint) const {
  return entries_.count(&constraint) > 0;
}

void LayoutEngine::add(NSLayoutConstraint& constraint) {
  if (contains(constraint)) return;
  std::vector<const void*> retained;
  auto built = build(constraint, retained);
  if (!built) {
    NSLog("Auto Layout: cannot install " + constraint.description() +
          ": an item is gone or outside the view holding it.");
    return;
  }
  auto entry = std::make_unique<Entry>(Entry{*built, std::move(retained)});
  entry->base = built->expression().constant + constraint.constant();
  entry->inSolver = addToSolver(*built);
  if (!entry->inSolver) {
    leftOut_.insert(&constraint);
    reportUnsatisfiable(constraint);
  }
  entries_.emplace(&constraint, std::move(entry));
  dirty_ = true;
}

void LayoutEngine::remove(NSLayoutConstraint& constraint) {
  auto it = entries_.find(&constraint);
  if (it == entries_.end()) return;
  auto entry = std::move(it->second);
  entries_.erase(it);
  leftOut_.erase(&constraint);
  if (entry->inSolver) solver_.removeConstraint(entry->constraint);
  for (const void* key : entry->retained) release(key);
  dirty_ = true;
}

void LayoutEngine::constantDidChange(NSLayoutConstraint& constraint) {
  auto it = entries_.find(&constraint);
  if (it == entries_.end()) return;
  Entry& entry = *it->second;
  dirty_ = true;
  if (!entry.inSolver) {
    // A constraint left out may fit with its new constant.
    remove(constraint);
    add(constraint);
    return;
  }
  if (solver_.setConstant(entry.constraint, entry.base - constraint.constant()) == layout::SolverStatus::Ok)
    return;
  solver_.removeConstraint(entry.constraint);
  entry.inSolver = false;
  leftOut_.insert(&constraint);
  reportUnsatisfiable(constraint);
}

void LayoutEngine::priorityDidChange(NSLayoutConstraint& constraint) {
  if (!contains(constraint)) return;
  remove(constraint);
  add(constraint);
}

std::optional<Constraint> LayoutEngine::build(NSLayoutConstraint& constraint,
                                              std::vector<const void*>& retained) {
  auto holder = constraint.holder();
  auto first = constraint.firstItem();
  auto second = constraint.secondItem();
  const bool hasSecond = constraint.secondAttribute() != NSLayoutAttribute::notAnAttribute;
  if (!holder || !first || (hasSecond && !second)) return std::nullopt;
  Expression expression(-constraint.constant());
  expression.terms.reserve(4);
  const bool built =
      appendExpression(first.get(), constraint.firstAttribute(), *holder, 1.0, expression, retained) &&
      (!hasSecond || appendExpression(second.get(), constraint.secondAttribute(), *holder,
                                      -constraint.multiplier(), expression, retained));
  if (!built) {
    for (const void* key : retained) release(key);
    retained.clear();
    return std::nullopt;
  }
  const auto strength = strength::fromPriority(constraint.priority());
  switch (constraint.relation()) {
    case NSLayoutRelation::lessThanOrEqual:
      return Constraint(std::move(expression), layout::Relation::LessThanOrEqual, strength);
    case NSLayoutRelation::greaterThanOrEqual:
      return Constraint(std::move(expression), layout::Relation::GreaterThanOrEqual, strength);
    case NSLayoutRelation::equal:
      break;
  }
  return Constraint(std::move(expression), layout::Relation::Equal, strength);
}

bool LayoutEngine::appendExpression(NSObject* object, NSLayoutAttribute attribute, UIView& holder,
                                    double factor, Expression& expression,
                                    std::vector<const void*>& retained) {
  if (attribute == NSLayoutAttribute::notAnAttribute) return true;
  UIView* view = dynamic_cast<UIView*>(object);
  UILayoutGuide* guide = view ? nullptr : dynamic_cast<UILayoutGuide*>(object);
  if (view && isMargin(attribute)) {
    guide = view->layoutMarginsGuide().get();
    view = nullptr;
  }
  attribute = withoutMargin(attribute);
  // The view whose superview chain leads to the holder, and whether the item is the holder itself.
  UIView* start = view ? view : guide ? guide->owningView().get() : nullptr;
  if (!start || !start->isDescendant(holder)) return false;
  const bool horizontal = isHorizontal(attribute);
  double sizeFactor = 0.0, originFactor = 0.0;
  switch (attribute) {
    case NSLayoutAttribute::width:
    case NSLayoutAttribute::height:
      sizeFactor = 1.0;
      break;
    case NSLayoutAttribute::right:
    case NSLayoutAttribute::trailing:
    case NSLayoutAttribute::bottom:
    case NSLayoutAttribute::lastBaseline:
      originFactor = sizeFactor = 1.0;
      break;
    case NSLayoutAttribute::centerX:
    case NSLayoutAttribute::centerY:
      originFactor = 1.0;
      sizeFactor = 0.5;
      break;
    default:
      originFactor = 1.0;
      break;
  }
  // The holder's own edges are 0 and its size; any other item's edges add up the origins of the views
  // between it and the holder.
  if (view == &holder) originFactor = 0.0;
  auto term = [&](const Variable& variable, double coefficient) {
    expression.terms.push_back(layout::Term{variable, coefficient * factor});
  };
  Item& item = view ? retainView(*view) : retainGuide(*guide);
  retained.push_back(view ? static_cast<const void*>(view) : guide);
  if (originFactor != 0.0) {
    term(horizontal ? item.x : item.y, originFactor);
    for (UIView* between = view ? view->superview().get() : start; between != &holder;
         between = between->superview().get()) {
      Item& link = retainView(*between);
      retained.push_back(between);
      term(horizontal ? link.x : link.y, originFactor);
    }
  }
  if (sizeFactor != 0.0) term(horizontal ? item.w : item.h, sizeFactor);
  return true;
}

bool LayoutEngine::addToSolver(const Constraint& constraint) {
  return solver_.addConstraint(constraint) == layout::SolverStatus::Ok;
}

void LayoutEngine::reportUnsatisfiable(NSLayoutConstraint& constraint) {
  if (constraint.reportedUnsatisfiable_) return;
  constraint.reportedUnsatisfiable_ = true;
  NSLog("Auto Layout: unable to simultaneously satisfy constraints; breaking " + constraint.description() +
        " (it stays active but is left out of the layout).");
}

// ---- Items ----

LayoutEngine::Item* LayoutEngine::find(const void* key) const {
  auto it = items_.find(key);
  return it == items_.end() ? nullptr : it->second.get();
}

LayoutEngine::Item& LayoutEngine::retainView(UIView& view) {
  if (Item* item = find(&view)) {
    ++item->users;
    return *item;
  }
  auto& item = *items_.emplace(&view, std::make_unique<Item>()).first->second;
  item.view = &view;
  item.users = 1;
  for (UIView* v = &view; v != root_ && v; v = v->superview().get()) ++item.depth;
  registerView(item);
  return item;
}

LayoutEngine::Item& LayoutEngine::retainGuide(UILayoutGuide& guide) {
  if (Item* item = find(&guide)) {
    ++item->users;
    return *item;
  }
  auto& item = *items_.emplace(&guide, std::make_unique<Item>()).first->second;
  item.guide = &guide;
  item.users = 1;
  registerGuide(item);
  return item;
}

void LayoutEngine::release(const void* key) {
  Item* item = find(key);
  if (!item || --item->users > 0) return;
  auto owned = std::move(items_.find(key)->second);
  items_.erase(key);
  unregister(*owned);
}

void LayoutEngine::registerView(Item& item) {
  UIView& view = *item.view;
  view.autoLayout();  // so that frames set by hand reach the engine
  const bool isRoot = &view == root_;
  if (isRoot && fitting_) {
    addGenerated(item.pins[2], (item.w == target_.width) | strength::fromPriority(fittingPriority_[0]), &view,
                 "fitting width");
    addGenerated(item.pins[3], (item.h == target_.height) | strength::fromPriority(fittingPriority_[1]),
                 &view, "fitting height");
  } else if (isRoot) {
    if (translates(view)) {
      addGenerated(item.pins[2], item.w == view.bounds().width(), &view, "width of the root");
      addGenerated(item.pins[3], item.h == view.bounds().height(), &view, "height of the root");
    }
  } else if (translates(view)) {
    pinFrame(item);
  }
  item.usesIntrinsic = !translates(view) || (isRoot && fitting_);
  item.placesFrame = !fitting_ && (!translates(view) || item.flexible != 0);
  if (item.usesIntrinsic) {
    item.heightForWidth = view.hasIntrinsicHeightForWidth();
    const CGSize size = view.intrinsicContentSize();
    setIntrinsic(item, 0, size.width);
    setIntrinsic(item, 1, size.height);
  }
  dirty_ = true;
}

void LayoutEngine::registerGuide(Item& item) {
  auto owner = item.guide->owningView();
  retainView(*owner);
  item.parentKey = owner.get();
  refreshGuide(item);
  dirty_ = true;
}

void LayoutEngine::unregister(Item& item) {
  for (auto& pin : item.pins) removeGenerated(pin);
  for (int axis = 0; axis < 2; ++axis) removeIntrinsicConstraints(item, axis);
  item.intrinsic[0] = item.intrinsic[1] = UIView::noIntrinsicMetric;
  if (const void* parent = std::exchange(item.parentKey, nullptr)) release(parent);
  item.flexible = 0;
  dirty_ = true;
}

// A view that translates its autoresizing mask: its frame as required constraints, the flexible sizes
// following the superview with the margins the frame had.
void LayoutEngine::pinFrame(Item& item) {
  UIView& view = *item.view;
  auto parent = view.superview();
  const CGRect frame = view.frame();
  const unsigned mask = view.autoresizingMask();
  const unsigned flexible =
      parent ? mask & (UIViewAutoresizing::flexibleWidth | UIViewAutoresizing::flexibleHeight) : 0;
  if (flexible != item.flexible || (flexible && item.parentKey != parent.get())) {
    for (auto& pin : item.pins) removeGenerated(pin);
    if (const void* old = std::exchange(item.parentKey, nullptr)) release(old);
    item.flexible = flexible;
    if (flexible) {
      retainView(*parent);
      item.parentKey = parent.get();
    }
  }
  Item* parentItem = flexible ? find(parent.get()) : nullptr;
  const double x = frame.minX(), y = frame.minY(), w = frame.width(), h = frame.height();
  auto set = [&](Pinned& slot, Constraint constraint, double constant, const char* what) {
    if (slot) {
      setGeneratedConstant(slot, constant);
    } else {
      addGenerated(slot, std::move(constraint), &view, what);
    }
  };
  set(item.pins[0], item.x == x, -x, "frame x");
  set(item.pins[1], item.y == y, -y, "frame y");
  if (flexible & UIViewAutoresizing::flexibleWidth) {
    const double margins = parent->bounds().width() - w;
    set(item.pins[2], item.w == parentItem->w - margins, margins, "flexible width");
  } else {
    set(item.pins[2], item.w == w, -w, "frame width");
  }
  if (flexible & UIViewAutoresizing::flexibleHeight) {
    const double margins = parent->bounds().height() - h;
    set(item.pins[3], item.h == parentItem->h - margins, margins, "flexible height");
  } else {
    set(item.pins[3], item.h == h, -h, "frame height");
  }
}

void LayoutEngine::refreshGuide(Item& item) {
  UILayoutGuide& guide = *item.guide;
  if (guide.kind() == UILayoutGuide::Kind::custom) return;
  auto owner = guide.owningView();
  if (!owner) return;
  const UIEdgeInsets insets =
      guide.kind() == UILayoutGuide::Kind::safeArea ? owner->safeAreaInsets() : owner->layoutMargins;
  Item* ownerItem = find(owner.get());
  if (item.pins[0] && insets == item.insets) return;
  item.insets = insets;
  const double horizontal = insets.left + insets.right, vertical = insets.top + insets.bottom;
  if (!item.pins[0]) {
    addGenerated(item.pins[0], item.x == insets.left, owner.get(), "guide x");
    addGenerated(item.pins[1], item.y == insets.top, owner.get(), "guide y");
    addGenerated(item.pins[2], item.w == ownerItem->w - horizontal, owner.get(), "guide width");
    addGenerated(item.pins[3], item.h == ownerItem->h - vertical, owner.get(), "guide height");
  } else {
    setGeneratedConstant(item.pins[0], -insets.left);
    setGeneratedConstant(item.pins[1], -insets.top);
    setGeneratedConstant(item.pins[2], horizontal);
    setGeneratedConstant(item.pins[3], vertical);
  }
  dirty_ = true;
}

// ---- Intrinsic content size ----

void LayoutEngine::setIntrinsic(Item& item, int axis, CGFloat value) {
  if (!(value >= 0)) value = UIView::noIntrinsicMetric;
  const CGFloat old = item.intrinsic[axis];
  if (value == old) return;
  item.intrinsic[axis] = value;
  dirty_ = true;
  if (old >= 0 && value >= 0 && item.hug[axis] && item.comp[axis]) {
    setGeneratedConstant(item.hug[axis], -value);
    setGeneratedConstant(item.comp[axis], -value);
  } else if (value >= 0) {
    addIntrinsicConstraints(item, axis);
  } else {
    removeIntrinsicConstraints(item, axis);
  }
}

void LayoutEngine::addIntrinsicConstraints(Item& item, int axis) {
  removeIntrinsicConstraints(item, axis);
  const auto& state = item.view->autoLayout();
  const Variable& size = axis == 0 ? item.w : item.h;
  const double value = item.intrinsic[axis];
  addGenerated(item.hug[axis], (size <= value) | strength::fromPriority(state.hugging[axis]), item.view,
               axis == 0 ? "content hugging (width)" : "content hugging (height)");
  addGenerated(item.comp[axis], (size >= value) | strength::fromPriority(state.compression[axis]), item.view,
               axis == 0 ? "compression resistance (width)" : "compression resistance (height)");
}

void LayoutEngine::removeIntrinsicConstraints(Item& item, int axis) {
  removeGenerated(item.hug[axis]);
  removeGenerated(item.comp[axis]);
}

void LayoutEngine::refreshIntrinsic(Item& item) {
  item.intrinsicDirty = false;
  if (!item.usesIntrinsic) return;
  UIView& view = *item.view;
  item.heightForWidth = view.hasIntrinsicHeightForWidth();
  const CGSize size = view.intrinsicContentSize();
  setIntrinsic(item, 0, size.width);
  setIntrinsic(
      item, 1,
      item.heightForWidth && item.w.value() > 0 ? view.intrinsicHeightForWidth(item.w.value()) : size.height);
}

bool LayoutEngine::settleHeightsForWidths(const UIView* within) {
  bool changed = false;
  for (auto& [key, item] : items_) {
    if (!item->view || !item->usesIntrinsic || !item->heightForWidth) continue;
    if (within && !item->view->isDescendant(*within)) continue;
    const CGFloat height = item->view->intrinsicHeightForWidth(tidy(item->w.value()));
    if (std::abs(height - item->intrinsic[1]) < 1e-9) continue;
    setIntrinsic(*item, 1, height);
    changed = true;
  }
  return changed;
}

// ---- Generated constraints ----

void LayoutEngine::addGenerated(Pinned& slot, Constraint constraint, const UIView* view, const char* what) {
  removeGenerated(slot);
  if (addToSolver(constraint)) {
    slot = std::move(constraint);
    return;
  }
  NSLog(std::string("Auto Layout: unable to simultaneously satisfy constraints; the ") + what + " of " +
        (view ? describeView(*view) : std::string("a view")) + " is left out of the layout.");
}

void LayoutEngine::removeGenerated(Pinned& slot) {
  if (!slot) return;
  solver_.removeConstraint(*slot);
  slot.reset();
  dirty_ = true;
}

void LayoutEngine::setGeneratedConstant(Pinned& slot, double constant) {
  if (!slot) return;
  dirty_ = true;
  if (solver_.setConstant(*slot, constant) == layout::SolverStatus::Ok) return;
  NSLog(
      "Auto Layout: unable to simultaneously satisfy constraints; a size or frame constraint keeps its old "
      "value.");
}

// ---- Notifications ----

void LayoutEngine::geometryDidChange(UIView& view) {
  if (writing_) return;
  Item* item = find(&view);
  if (!item) return;
  if (&view == root_) {
    if (fitting_ || !translates(view)) return;
    setGeneratedConstant(item->pins[2], -view.bounds().width());
    setGeneratedConstant(item->pins[3], -view.bounds().height());
  } else if (translates(view)) {
    pinFrame(*item);
  }
}

void LayoutEngine::intrinsicContentSizeDidChange(UIView& view) {
  if (Item* item = find(&view)) {
    item->intrinsicDirty = true;
    dirty_ = true;
  }
}

void LayoutEngine::contentPrioritiesDidChange(UIView& view) {
  Item* item = find(&view);
  if (!item) return;
  for (int axis = 0; axis < 2; ++axis)
    if (item->hug[axis]) addIntrinsicConstraints(*item, axis);
}

void LayoutEngine::autoresizingDidChange(UIView& view) {
  Item* item = find(&view);
  if (!item) return;
  unregister(*item);
  registerView(*item);
}

// ---- Solving ----

bool LayoutEngine::needsUpdate() {
  if (dirty_) return true;
  for (auto& [key, item] : items_) {
    if (!item->guide || item->guide->kind() == UILayoutGuide::Kind::custom) continue;
    auto owner = item->guide->owningView();
    if (!owner) continue;
    const UIEdgeInsets insets =
        item->guide->kind() == UILayoutGuide::Kind::safeArea ? owner->safeAreaInsets() : owner->layoutMargins;
    if (insets != item->insets) return dirty_ = true;
  }
  return false;
}

void LayoutEngine::refreshItems() {
  for (auto& [key, item] : items_) {
    if (item->guide) refreshGuide(*item);
    if (item->intrinsicDirty) refreshIntrinsic(*item);
  }
}

void LayoutEngine::solve(const UIView* within) {
  solver_.updateVariables();
  for (int round = 0; round < kHeightForWidthRounds && settleHeightsForWidths(within); ++round)
    solver_.updateVariables();
}

void LayoutEngine::update() {
  refreshItems();
  solve(nullptr);
  dirty_ = false;
  if (!fitting_) writeFrames();
}

std::optional<CGSize> LayoutEngine::fittingSize(UIView& view, CGSize target, UILayoutPriority horizontal,
                                                UILayoutPriority vertical) {
  Item* item = find(&view);
  if (!item || !item->view || &view == root_) return std::nullopt;
  const CGSize intrinsic = view.intrinsicContentSize();
  if (translates(view) && (intrinsic.width >= 0 || intrinsic.height >= 0)) return std::nullopt;
  refreshItems();
  removeGenerated(item->pins[2]);
  removeGenerated(item->pins[3]);
  addGenerated(item->pins[2], (item->w == target.width) | strength::fromPriority(horizontal), &view,
               "fitting width");
  addGenerated(item->pins[3], (item->h == target.height) | strength::fromPriority(vertical), &view,
               "fitting height");
  // Constraints inside that the view's present frame pushed out may hold at the size measured.
  const std::vector<Entry*> retried = retryLeftOut(view);
  solve(&view);
  const CGSize size{onPixelGrid(item->w.value()), onPixelGrid(item->h.value())};
  removeGenerated(item->pins[2]);
  removeGenerated(item->pins[3]);
  for (Entry* entry : retried) {
    solver_.removeConstraint(entry->constraint);
    entry->inSolver = false;
  }
  if (translates(view)) pinFrame(*item);
  return size;
}

std::vector<LayoutEngine::Entry*> LayoutEngine::retryLeftOut(const UIView& subtree) {
  std::vector<Entry*> retried;
  for (NSLayoutConstraint* constraint : leftOut_) {
    auto holder = constraint->holder();
    if (!holder || !holder->isDescendant(subtree)) continue;
    Entry& entry = *entries_.at(constraint);
    entry.inSolver = addToSolver(entry.constraint);
    if (entry.inSolver) retried.push_back(&entry);
  }
  return retried;
}

void LayoutEngine::writeFrames() {
  struct Placement {
    int depth;
    UIView* view;
    CGRect frame;
  };
  std::vector<Placement> placements;
  for (auto& [key, item] : items_) {
    if (item->guide) {
      item->guide->layoutFrame_ =
          CGRect(tidy(item->x.value()), tidy(item->y.value()), tidy(item->w.value()), tidy(item->h.value()));
      continue;
    }
    const CGRect frame = pixelAligned(item->x.value(), item->y.value(), item->w.value(), item->h.value());
    if (item->placesFrame) {
      if (item->view == root_) {
        const CGRect current = root_->frame();
        placements.push_back({0, root_,
                              CGRect(current.origin, CGSize{onPixelGrid(item->w.value()), onPixelGrid(item->h.value())})});
      } else {
        placements.push_back({item->depth, item->view, frame});
      }
    }
  }
  // Superviews first, so that a view's layoutSubviews later sees its subviews' final frames.
  std::sort(placements.begin(), placements.end(),
            [](const auto& a, const auto& b) { return a.depth < b.depth; });
  writing_ = true;
  for (const auto& placement : placements) {
    UIView& view = *placement.view;
    if (view.frame() == placement.frame) continue;
    if (view.transform().isIdentity()) {
      view.setFrame(placement.frame);
    } else {
      CGRect bounds = view.bounds();
      bounds.size = placement.frame.size;
      view.setBounds(bounds);
      view.setCenter(CGPoint{placement.frame.midX(), placement.frame.midY()});
    }
  }
  writing_ = false;
}

CGSize LayoutEngine::rootSize() const {
  Item* item = find(root_);
  if (!item) return root_->bounds().size;
  return {onPixelGrid(item->w.value()), onPixelGrid(item->h.value())};
}

bool LayoutEngine::isAmbiguous(const UIView& view) const {
  Item* item = find(&view);
  if (!item) return false;
  if (solver_.isAmbiguous(item->w) || solver_.isAmbiguous(item->h)) return true;
  if (&view == root_) return false;
  return solver_.isAmbiguous(item->x) || solver_.isAmbiguous(item->y);
}

}  // namespace ios
