#pragma once

#include <CoreGraphics/CGGeometry.h>
#include <Foundation/NSObject.h>

#include <memory>

namespace ios {

class UIView;

// Where a popover points. Phones show no popovers, so the platform never makes one; the type exists
// for code that anchors a sheet only when a popover controller is there.
class UIPopoverPresentationController : public NSObject {
 public:
  std::weak_ptr<UIView> sourceView;
  CGRect sourceRect;
};

}  // namespace ios
