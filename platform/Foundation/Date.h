#pragma once

#include <compare>
#include <functional>

namespace ios {

// Foundation's `Date`: a point in time as seconds since 2001-01-01 00:00:00 UTC, with no time zone.
struct Date {
  // Seconds between 1970-01-01 and 2001-01-01 (UTC).
  static constexpr double timeIntervalBetween1970AndReferenceDate = 978307200.0;

  double timeIntervalSinceReferenceDate = 0;

  // `Date()`: the current time, from the system clock unless a test has set a source.
  static Date now();
  static Date fromTimeIntervalSince1970(double seconds) {
    return Date{seconds - timeIntervalBetween1970AndReferenceDate};
  }

  double timeIntervalSince1970() const {
    return timeIntervalSinceReferenceDate + timeIntervalBetween1970AndReferenceDate;
  }
  double timeIntervalSince(Date other) const {
    return timeIntervalSinceReferenceDate - other.timeIntervalSinceReferenceDate;
  }
  Date addingTimeInterval(double seconds) const { return Date{timeIntervalSinceReferenceDate + seconds}; }

  // Replaces the clock behind `now()` (for tests that pin "today"); an empty function restores the
  // system clock. Set it before other threads read the time.
  static void setNowSourceForTesting(std::function<Date()> source);

  friend auto operator<=>(const Date&, const Date&) = default;
};

}  // namespace ios
