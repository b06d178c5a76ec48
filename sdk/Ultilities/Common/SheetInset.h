#pragma once

#include <CoreGraphics/CGGeometry.h>

namespace kerbelin {

// The full inset of a bottom sheet `sheetHeight` points tall: how far below the top of the screen its
// top edge rests. Never negative: in a window shorter than the sheet (a small phone, landscape) the
// sheet rests at the top, where a drag can still take it down and close it.
ios::CGFloat fullSheetInset(ios::CGFloat sheetHeight);

}  // namespace kerbelin
