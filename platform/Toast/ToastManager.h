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
  // A tap on a toast hides it at once.
  bool isTapToDismissEnabled = true;
  // A toast made while another is showing on the same view waits for it; with queueing off, both
  // show at once.
  bool isQueueEnabled = true;

 private:
  ToastManager() = default;
};

}  // namespace ios
