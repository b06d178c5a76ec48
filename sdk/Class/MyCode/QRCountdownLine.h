#pragma once

#include <CoreText/NSAttributedString.h>

#include <cstdint>
#include <memory>
#include <optional>

namespace kerbelin {

// "Tự động cập nhật lại sau N giây": the line under a server-issued QR code, the seconds left in black
// semibold between grey words. Shared by the my-code row and the QR sheet. A token may be issued
// already expired, or with any lifetime below 0: it reads 0 until it is renewed.
std::shared_ptr<ios::NSMutableAttributedString> qrCountdownLine(std::int64_t secondsLeft);

// a + b, or the nearest value the type holds when the sum lies beyond it: lifetimes come from the
// server and may be anything.
std::int64_t saturatingSum(std::int64_t a, std::int64_t b);

// When a QR token runs out, on the main run loop's clock (real in the app, virtual in tests). The time
// left is read from the clock, not counted in ticks, so the time a code spends out of sight, or with
// the loop held up, counts as it passes. Shared by the my-code row and the QR sheet.
class QRDeadline {
 public:
  // The deadline `seconds` from now; one beyond what the clock holds counts as the furthest it does.
  void start(std::int64_t seconds);
  // Whether the deadline has gone by; true before any start.
  bool passed() const;
  // Whole seconds left, rounded down: the full count at the start, 0 in the last second.
  std::int64_t secondsLeft() const;

 private:
  std::optional<std::int64_t> nanosecondsLeft() const;

  std::optional<std::int64_t> deadline_;  // nanoseconds on the loop's clock
};

}  // namespace kerbelin
