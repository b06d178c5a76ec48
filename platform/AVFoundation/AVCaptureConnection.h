#pragma once

#include <Foundation/NSObject.h>

namespace ios {

// The link between a session's input and one of its outputs; reported with each metadata delivery.
class AVCaptureConnection : public NSObject {
 public:
  bool isEnabled = true;
};

}  // namespace ios
