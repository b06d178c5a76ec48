#include "DisplayText.h"

#include <cstdio>

namespace kerbelin::backend {
namespace {

constexpr auto kVietnamOffset = std::chrono::hours(7);

std::string twoDigits(int value) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "%02d", value);
  return buffer;
}

}  // namespace

std::string DisplayText::groupedNumber(int64_t amount) {
  const bool negative = amount < 0;
  uint64_t magnitude = negative ? uint64_t(0) - uint64_t(amount) : uint64_t(amount);
  std::string digits = std::to_string(magnitude);
  std::string out;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += '.';
    out += digits[i];
  }
  return negative ? "-" + out : out;
}

std::string DisplayText::money(int64_t amount) {
  return groupedNumber(amount) + " đ";
}

std::string DisplayText::unitAmount(std::string_view unitType, int64_t amount) {
  if (unitType == "LIMIT") return money(amount);
  if (unitType == "DAY") return groupedNumber(amount) + " ngày";
  return groupedNumber(amount) + " lần";
}

CivilTime DisplayText::vietnamTime(TimePoint moment) {
  using namespace std::chrono;
  const auto local = floor<seconds>(moment) + kVietnamOffset;
  const auto days = floor<std::chrono::days>(local);
  const year_month_day ymd{days};
  const hh_mm_ss hms{local - days};
  CivilTime civil;
  civil.year = int(ymd.year());
  civil.month = int(unsigned(ymd.month()));
  civil.day = int(unsigned(ymd.day()));
  civil.hour = int(hms.hours().count());
  civil.minute = int(hms.minutes().count());
  civil.second = int(hms.seconds().count());
  civil.weekday = int(weekday{days}.iso_encoding()) - 1;
  return civil;
}

DisplayText::TimePoint DisplayText::fromVietnamTime(int year, int month, int day, int hour, int minute) {
  using namespace std::chrono;
  const sys_days days{std::chrono::year{year} / std::chrono::month{unsigned(month)} /
                      std::chrono::day{unsigned(day)}};
  return TimePoint(days + hours(hour) + minutes(minute) - kVietnamOffset);
}

std::string DisplayText::date(TimePoint moment) {
  const CivilTime c = vietnamTime(moment);
  return twoDigits(c.day) + "/" + twoDigits(c.month) + "/" + std::to_string(c.year);
}

std::string DisplayText::time(TimePoint moment) {
  const CivilTime c = vietnamTime(moment);
  return twoDigits(c.hour) + ":" + twoDigits(c.minute);
}

std::string DisplayText::timeAndDate(TimePoint moment) {
  return time(moment) + " " + date(moment);
}

std::optional<DisplayText::TimePoint> DisplayText::parseDate(std::string_view text) {
  if (text.size() != 10 || text[2] != '/' || text[5] != '/') return std::nullopt;
  auto number = [&](size_t from, size_t count) -> std::optional<int> {
    int value = 0;
    for (size_t i = from; i < from + count; ++i) {
      if (text[i] < '0' || text[i] > '9') return std::nullopt;
      value = value * 10 + (text[i] - '0');
    }
    return value;
  };
  const auto day = number(0, 2), month = number(3, 2), year = number(6, 4);
  if (!day || !month || !year) return std::nullopt;
  const std::chrono::year_month_day ymd{std::chrono::year{*year}, std::chrono::month{unsigned(*month)},
                                        std::chrono::day{unsigned(*day)}};
  if (!ymd.ok()) return std::nullopt;
  return fromVietnamTime(*year, *month, *day);
}

}  // namespace kerbelin::backend
