#pragma once

#include <Foundation/NSObject.h>

namespace ios {

// A source of media for a session.
class AVCaptureInput : public NSObject {};

}  // namespace ios
