#pragma once

#include <UIKit/LayoutEngine.h>
#include <UIKit/NSLayoutConstraint.h>
#include <UIKit/UILayoutGuide.h>

#include <cstddef>
#include <memory>
#include <vector>

namespace ios::detail {

// What Auto Layout keeps per view. Made on first use, so views laid out by frames alone carry nothing.
struct AutoLayoutState {
  // The constraints this view holds, in the order they were added.
  std::vector<std::shared_ptr<NSLayoutConstraint>> constraints;
  // How many constraints this view and its descendants hold: a tree whose root counts none needs no
  // engine, and a subtree that counts none moves between trees for free.
  std::size_t heldInSubtree = 0;
  bool translatesAutoresizingMask = true;
  unsigned autoresizingMask = 0;
  UILayoutPriority hugging[2] = {UILayoutPriorityDefaultLow, UILayoutPriorityDefaultLow};
  UILayoutPriority compression[2] = {UILayoutPriorityDefaultHigh, UILayoutPriorityDefaultHigh};
  std::shared_ptr<UILayoutGuide> safeAreaGuide;
  std::shared_ptr<UILayoutGuide> marginsGuide;
  std::vector<std::shared_ptr<UILayoutGuide>> guides;
  // Only at the root of a tree that holds constraints.
  std::unique_ptr<LayoutEngine> engine;
};

}  // namespace ios::detail
