#pragma once

#include <CoreGraphics/CGGeometry.h>

namespace kerbelin {

// The main screen's width and height in points, read once at first use and never updated.
ios::CGFloat SCREEN_WIDTH();
ios::CGFloat SCREEN_HEIGHT();

}  // namespace kerbelin
