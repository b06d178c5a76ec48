#pragma once

#include <Foundation/Date.h>
#include <Foundation/TimeZone.h>

#include <optional>

namespace ios {

// Calendar fields of a date; an unset field is nullopt. `weekday` counts 1 = Sunday ... 7 = Saturday.
struct DateComponents {
  std::optional<int> year{};
  std::optional<int> month{};
  std::optional<int> day{};
  std::optional<int> hour{};
  std::optional<int> minute{};
  std::optional<int> second{};
  std::optional<int> weekday{};

  friend bool operator==(const DateComponents&, const DateComponents&) = default;
};

// Foundation's Gregorian `Calendar` in one time zone (proleptic Julian before October 1582, as ICU
// and Foundation both do).
class Calendar {
 public:
  enum class Component { year, month, day, hour, minute, second, weekday };

  explicit Calendar(TimeZone timeZone) : timeZone(std::move(timeZone)) {}
  // `Calendar.current`: Gregorian in `TimeZone::current()`.
  static Calendar current() { return Calendar(TimeZone::current()); }

  TimeZone timeZone;

  // Every field of `date` in `timeZone`.
  DateComponents dateComponents(Date date) const;
  int component(Component component, Date date) const;

  // `date(from:)`: unset fields take their smallest value (year 1, January, day 1, midnight);
  // `weekday` is ignored. Out-of-range fields carry over (month 13 is January of the next year).
  // nullopt only when ICU cannot compute the date.
  std::optional<Date> date(const DateComponents& from) const;

  // Midnight at the start of `date`'s day, or the first instant of that day when a daylight saving
  // change skips midnight.
  Date startOfDay(Date date) const;

  // `date(byAdding:value:to:)`: calendar arithmetic keeping the wall-clock time. Adding months or
  // years clamps the day to the target month (Jan 31 + 1 month = Feb 28 or 29; Feb 29 + 1 year =
  // Feb 28). `weekday` adds days.
  std::optional<Date> date(Component byAdding, int value, Date to) const;
};

}  // namespace ios
