#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kerbelin::backend {

// A moment as read on a clock in Vietnam (UTC+7 all year, no daylight saving).
struct CivilTime {
  int year = 1970;
  int month = 1;  // 1..12
  int day = 1;    // 1..31
  int hour = 0;
  int minute = 0;
  int second = 0;
  int weekday = 4;  // 0 = Monday .. 6 = Sunday
};

// The texts the server writes for people to read: prices, units, dates.
class DisplayText {
 public:
  using TimePoint = std::chrono::system_clock::time_point;

  // 150000 -> "150.000 đ"; negative amounts get a leading "-".
  static std::string money(int64_t amount);
  // 150000 -> "150.000" (no currency).
  static std::string groupedNumber(int64_t amount);
  // The limit of a service in its unit: "10 lần", "500.000 đ", "30 ngày".
  static std::string unitAmount(std::string_view unitType, int64_t amount);

  static CivilTime vietnamTime(TimePoint moment);
  static TimePoint fromVietnamTime(int year, int month, int day, int hour = 0, int minute = 0);
  static std::string date(TimePoint moment);         // "05/03/2024"
  static std::string time(TimePoint moment);         // "14:05"
  static std::string timeAndDate(TimePoint moment);  // "14:05 05/03/2024"
  // Reads "dd/MM/yyyy" (ASCII digits, a real calendar day); the result is that day's 00:00 in Vietnam.
  static std::optional<TimePoint> parseDate(std::string_view text);
};

}  // namespace kerbelin::backend
