#pragma once

#include <CoreGraphics/CGGeometry.h>
#include <CoreGraphics/UIEdgeInsets.h>
#include <Layout/Layout.h>
#include <UIKit/NSLayoutConstraint.h>

#include <memory>
#include <optional>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace ios {

class UIView;
class UILayoutGuide;

// The bridge between the constraints views hold and the solver. One live engine sits at the root of
// every view tree that holds constraints (see UIView's Auto Layout section); scratch engines measure a
// subtree for `systemLayoutSizeFitting` without touching the live one, and fittingSize measures a
// subtree inside the live one where its constraints already are (a list's cells).
//
// Coordinate space: each view's variables are its frame in its superview's coordinates, and a guide's
// its rectangle in its owning view's bounds. A constraint is written in the space of the view holding
// it: an item's edge is its own origin plus the origins of the views between it and the holder, and the
// holder's own edges are 0 and its width and height. So a frame set by hand on one view never ripples
// through the positions of its descendants, and solved values are written into frames as they are.
//
// Only items that some constraint mentions are in the solver (with the views between them and the
// holder). Such a view that translates its autoresizing mask is pinned to its frame by required
// constraints (flexible width or height instead follow the superview's size, keeping the margins the
// frame had when set); the root is pinned to its bounds size. The other views get their intrinsic
// content size as hugging (<=) and compression-resistance (>=) constraints at their priorities.
class LayoutEngine {
 public:
  // The live engine of the tree whose root is `root`.
  explicit LayoutEngine(UIView& root);
  // A scratch engine that sizes `root` towards `target` at the given priorities.
  LayoutEngine(UIView& root, CGSize target, UILayoutPriority horizontal, UILayoutPriority vertical);
  ~LayoutEngine();
  LayoutEngine(const LayoutEngine&) = delete;
  LayoutEngine& operator=(const LayoutEngine&) = delete;

  // Every constraint held in `view`'s subtree.
  void addSubtree(UIView& view);
  void removeSubtree(UIView& view);
  void add(NSLayoutConstraint& constraint);
  void remove(NSLayoutConstraint& constraint);
  bool contains(const NSLayoutConstraint& constraint) const;

  // Notifications from the views and constraints, each cheap; the work waits for update().
  void constantDidChange(NSLayoutConstraint& constraint);
  void priorityDidChange(NSLayoutConstraint& constraint);
  void geometryDidChange(UIView& view);
  void intrinsicContentSizeDidChange(UIView& view);
  void contentPrioritiesDidChange(UIView& view);
  void autoresizingDidChange(UIView& view);

  // Whether update() has work: also true when the insets a safe-area or margins guide follows have
  // changed (`layoutMargins` is a plain member, so the engine looks rather than being told).
  bool needsUpdate();
  // Solves, settles the heights of views whose height follows their width, and (live engines) writes
  // frames into the views the constraints place and into the guides.
  void update();
  // The root's solved size (after update).
  CGSize rootSize() const;
  // What a scratch engine on `view`'s subtree would give as its size towards `target` at the given
  // priorities, found here, where the subtree's constraints already are: the view's own frame pins
  // give way to the target while it is measured and come back afterwards. Constraints held outside
  // the subtree that mention it count too, so callers use it where none do (a table's cell). nullopt
  // when `view` is no view item below the root here, or when a scratch engine would add an intrinsic
  // size this engine leaves out.
  std::optional<CGSize> fittingSize(UIView& view, CGSize target, UILayoutPriority horizontal,
                                    UILayoutPriority vertical);
  bool isAmbiguous(const UIView& view) const;
  std::size_t constraintCount() const { return entries_.size(); }

 private:
  struct Item;
  struct Entry;
  using Pinned = std::optional<layout::Constraint>;

  Item* find(const void* key) const;
  Item& retainView(UIView& view);
  Item& retainGuide(UILayoutGuide& guide);
  void release(const void* key);
  void registerView(Item& item);
  void registerGuide(Item& item);
  void unregister(Item& item);
  void pinFrame(Item& item);
  void refreshGuide(Item& item);
  void setIntrinsic(Item& item, int axis, CGFloat value);
  void addIntrinsicConstraints(Item& item, int axis);
  void removeIntrinsicConstraints(Item& item, int axis);
  void refreshIntrinsic(Item& item);
  // Only for items inside `within`'s subtree when given.
  bool settleHeightsForWidths(const UIView* within = nullptr);
  void refreshItems();
  void solve(const UIView* within);
  // Adds again the constraints left out of the solver that `subtree` holds; returns those that went in.
  std::vector<Entry*> retryLeftOut(const UIView& subtree);
  void writeFrames();

  // Adds `factor * item.attribute`, in the coordinates of `holder`, to `expression`, retaining every
  // item it uses; false when the item is not inside the holder.
  bool appendExpression(NSObject* object, NSLayoutAttribute attribute, UIView& holder, double factor,
                        layout::Expression& expression, std::vector<const void*>& retained);
  std::optional<layout::Constraint> build(NSLayoutConstraint& constraint, std::vector<const void*>& retained);
  bool addToSolver(const layout::Constraint& constraint);
  void addGenerated(Pinned& slot, layout::Constraint constraint, const UIView* view, const char* what);
  void removeGenerated(Pinned& slot);
  void setGeneratedConstant(Pinned& slot, double constant);
  void reportUnsatisfiable(NSLayoutConstraint& constraint);

  UIView* root_;
  bool fitting_;
  CGSize target_;
  UILayoutPriority fittingPriority_[2];
  layout::Solver solver_;
  std::unordered_map<const void*, std::unique_ptr<Item>> items_;
  std::unordered_map<const NSLayoutConstraint*, std::unique_ptr<Entry>> entries_;
  // The entries' constraints that did not fit: usually none.
  std::unordered_set<NSLayoutConstraint*> leftOut_;
  bool dirty_ = true;
  bool writing_ = false;
};

}  // namespace ios
