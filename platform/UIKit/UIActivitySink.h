#pragma once

#include <UIKit/UIActivityType.h>

#include <any>
#include <memory>
#include <vector>

namespace ios {

class UIActivityViewController;

// Where the share sheet hands its items: the process-wide stand-in for the system's sharing
// services. The host installs one that saves, copies or opens; tests install a recorder.
class UIActivitySink {
 public:
  virtual ~UIActivitySink() = default;

  // The sheet came on screen offering `available` (the activities not excluded).
  virtual void sheetShown(const UIActivityViewController& /*sheet*/,
                          const std::vector<UIActivityType>& /*available*/) {}
  // The user picked `type` for `items`; returns whether the service completed.
  virtual bool perform(const UIActivityType& type, const std::vector<std::any>& items) = 0;

  // The installed sink. Without one, every activity fails (and is logged).
  static std::shared_ptr<UIActivitySink> shared();
  static void setShared(std::shared_ptr<UIActivitySink> sink);
};

}  // namespace ios
