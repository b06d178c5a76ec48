#pragma once

#include <bit>
#include <cstdint>

namespace ios {

// Divides non-negative integers by a fixed divisor, rounding to nearest (halves up), exactly, but
// with a multiplication instead of a hardware division per pixel channel: the quotient estimated
// through a reciprocal is off by at most one and corrected. Powers of two are a shift.
class RoundedDivider {
 public:
  explicit RoundedDivider(std::uint64_t divisor)
      : divisor_(divisor), half_(divisor / 2), inverse_(1.0 / divisor), shift_(exponentOfTwo(divisor)) {}

  std::uint64_t operator()(std::uint64_t value) const {
    const std::uint64_t x = value + half_;
    if (shift_ >= 0) return x >> shift_;
    std::uint64_t q = static_cast<std::uint64_t>(static_cast<double>(x) * inverse_);
    if (q * divisor_ > x) {
      --q;
    } else if ((q + 1) * divisor_ <= x) {
      ++q;
    }
    return q;
  }

 private:
  static int exponentOfTwo(std::uint64_t divisor) {
    return std::has_single_bit(divisor) ? std::countr_zero(divisor) : -1;
  }

  std::uint64_t divisor_, half_;
  double inverse_;
  int shift_;  // for a power of two: its exponent; -1 otherwise
};

}  // namespace ios
