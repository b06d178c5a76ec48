#pragma once

#include <CoreGraphics/CGGeometry.h>
#include <CoreGraphics/UIEdgeInsets.h>
#include <CoreText/UIFont.h>
#include <UIKit/UIColor.h>

#include <memory>

namespace ios {

// How a swipe menu looks: its tab strip of page titles with a marker under the current one, and
// the paged content area below it.
struct SwipeMenuViewOptions {
  enum class TabViewStyle {
    flexible,   // items as wide as their titles (or `itemView.width`), scrolling when they overflow
    segmented,  // items share the strip's width equally
  };
  enum class TabViewAddition { underline, none };

  struct ItemView {
    // The width of an item when `isAdjustItemViewWidth` is off.
    CGFloat width = 100;
    // Space on either side of a title.
    CGFloat margin = 5;
    std::shared_ptr<UIColor> textColor = UIColor::create(0.5, 1);
    std::shared_ptr<UIColor> selectedTextColor = UIColor::black();
    std::shared_ptr<UIFont> font = UIFont::boldSystemFont(14);
    // The current item's font; null means `font`.
    std::shared_ptr<UIFont> selectedFont;
  };

  struct AdditionView {
    struct Underline {
      CGFloat height = 2;
    };
    Underline underline;
    std::shared_ptr<UIColor> backgroundColor = UIColor::black();
    // Insets of the marker within its item.
    UIEdgeInsets padding{};
    // How long the marker takes to reach an item tapped in the strip.
    double animationDuration = 0.3;
  };

  struct TabView {
    TabViewStyle style = TabViewStyle::flexible;
    TabViewAddition addition = TabViewAddition::underline;
    // 0 collapses the strip: the content takes the menu's whole height.
    CGFloat height = 44;
    // Space before the first and after the last item.
    CGFloat margin = 0;
    std::shared_ptr<UIColor> backgroundColor = UIColor::white();
    bool clipsToBounds = true;
    // Flexible style: items fit their titles instead of taking `itemView.width`.
    bool isAdjustItemViewWidth = true;
    ItemView itemView;
    AdditionView additionView;
  };

  struct ContentScrollView {
    std::shared_ptr<UIColor> backgroundColor = UIColor::clear();
    bool clipsToBounds = true;
    // Off, the pages change only through the strip or `jump`.
    bool isScrollEnabled = true;
  };

  TabView tabView;
  ContentScrollView contentScrollView;
};

}  // namespace ios
