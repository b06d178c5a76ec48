#include <UIKit/UITouch.h>

#include <UIKit/UIView.h>

namespace ios {

CGPoint UITouch::location(const UIView* view) const {
  return view ? view->convertFrom(locationInWindow, nullptr) : locationInWindow;
}

CGPoint UITouch::previousLocation(const UIView* view) const {
  return view ? view->convertFrom(previousLocationInWindow, nullptr) : previousLocationInWindow;
}

}  // namespace ios
