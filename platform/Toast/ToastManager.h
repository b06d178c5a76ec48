#pragma once

#include <Toast/ToastPosition.h>
#include <Toast/ToastStyle.h>

namespace ios {

// The settings every toast shares, as the library keeps them. Main thread only.
class ToastManager {
 public:
  static ToastManager& shared();

  ToastStyle style;
  // Used by `makeToast(view, message)`: the library's defaults.
  double duration = 3.0;
  ToastPosition position = ToastPosition::bottom;

 private:
  ToastManager() = default;
};

}  // namespace ios
