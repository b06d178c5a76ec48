#pragma once

namespace ios {

// Options of a load. The system passes none (0) everywhere, so none other is offered.
struct SDWebImageOptions {
  enum : unsigned {
    none = 0,
  };
};

}  // namespace ios
