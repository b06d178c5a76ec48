#pragma once

#include <cstdint>
#include <string>

namespace ios {

// Swift's `Double.description` (also `print` and string interpolation of a Double or CGFloat): the
// shortest digits that read back to the same value, always with a fraction or an exponent.
// Decimal form for magnitudes from 1e-4 up to 2^53 ("15.0", "0.5", "0.0001",
// "1000000000000000.0"), exponent form outside ("1e-05", "1e+16", "1.5e+300"); "inf", "-inf",
// "nan", "-0.0".
std::string doubleDescription(double value);

// Swift's `Float.description`: the same shape with Float's shortest digits and the decimal form up
// to 2^24 ("13.0", "0.1", "16777216.0", "1e+08").
std::string floatDescription(float value);

// Decimal text with a leading '-' for negatives and no grouping ("12", "-3").
std::string integerDescription(int64_t value);
std::string integerDescription(uint64_t value);
inline std::string integerDescription(int value) {
  return integerDescription(static_cast<int64_t>(value));
}

}  // namespace ios
