#pragma once

#include <Foundation/Date.h>

#include <optional>
#include <string>
#include <string_view>

namespace ios {

// Foundation's `TimeZone`: an identifier from the tz database (or a fixed "GMT+hhmm" offset), with
// rules from ICU's data.
class TimeZone {
 public:
  // `TimeZone(identifier:)`: nullopt for a name ICU does not know. "UTC", "GMT",
  // "Asia/Ho_Chi_Minh" and custom "GMT+07:00" forms are accepted.
  static std::optional<TimeZone> named(std::string_view identifier);
  // `TimeZone(secondsFromGMT:)`: identifier "GMT+hhmm"; nullopt beyond +-18 hours.
  static std::optional<TimeZone> fromSecondsFromGMT(int seconds);
  static TimeZone gmt();
  // The process's zone: the TZ variable when set (":Area/City", or a zoneinfo path), otherwise
  // /etc/localtime or /etc/timezone; GMT when none of them names a known zone.
  static TimeZone current();

  const std::string& identifier() const { return identifier_; }
  // Offset from UTC in effect at `date`, daylight saving included.
  int secondsFromGMT(Date date) const;

  friend bool operator==(const TimeZone&, const TimeZone&) = default;

 private:
  explicit TimeZone(std::string identifier) : identifier_(std::move(identifier)) {}
  std::string identifier_;
};

}  // namespace ios
