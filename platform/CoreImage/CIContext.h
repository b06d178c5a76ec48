#pragma once

#include <Foundation/NSObject.h>

#include <memory>

namespace ios {

// Core Image's rendering context. Our images are already rendered, so a context holds nothing: it
// is what a detector is made with.
class CIContext : public NSObject {
 public:
  // `CIContext()` / `CIContext(options: nil)`.
  static std::shared_ptr<CIContext> create();
};

}  // namespace ios
