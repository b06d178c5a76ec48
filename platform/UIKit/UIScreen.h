#pragma once

#include <CoreGraphics/CGGeometry.h>
#include <CoreGraphics/UIEdgeInsets.h>
#include <Foundation/NSObject.h>

#include <memory>

namespace ios {

// The device's screen. Its description is fixed for the life of the process: a host or test sets it
// with `configure` before anything reads it (later calls are refused), otherwise it is a 375 x 812
// point screen at scale 2 with the safe-area insets of a notched phone.
class UIScreen : public NSObject {
 public:
  struct Description {
    CGSize points{375, 812};
    CGFloat scale = 2;
    // The panel's pixel size, portrait; zero means points * scale.
    CGSize nativePixels{0, 0};
    UIEdgeInsets safeAreaInsets{44, 0, 34, 0};
  };

  // Returns false, changing nothing, once the main screen has been read.
  static bool configure(const Description& description);
  static const std::shared_ptr<UIScreen>& main();

  CGRect bounds() const { return CGRect(0, 0, description_.points.width, description_.points.height); }
  CGFloat scale() const { return description_.scale; }
  CGRect nativeBounds() const;
  CGFloat nativeScale() const { return description_.scale; }
  UIEdgeInsets safeAreaInsets() const { return description_.safeAreaInsets; }

  explicit UIScreen(const Description& description) : description_(description) {}

 private:
  Description description_;
};

}  // namespace ios
