#pragma once

// Keys of the property dictionaries that `CGImageSource::properties` returns (an `ios::Dictionary`,
// that is JSON-shaped). Values are numbers unless noted.

namespace ios {

inline constexpr const char* kCGImagePropertyPixelWidth = "PixelWidth";
inline constexpr const char* kCGImagePropertyPixelHeight = "PixelHeight";
// A nested dictionary, present for the frames of a GIF.
inline constexpr const char* kCGImagePropertyGIFDictionary = "{GIF}";
// Seconds. The raw delay of the frame (centiseconds / 100), 0 when the frame has no delay.
inline constexpr const char* kCGImagePropertyGIFUnclampedDelayTime = "UnclampedDelayTime";
// Seconds. The raw delay, except that delays under 0.011 s (0 or 1 centisecond, which players
// treat as "as fast as possible") read as 0.1 s.
inline constexpr const char* kCGImagePropertyGIFDelayTime = "DelayTime";

}  // namespace ios
