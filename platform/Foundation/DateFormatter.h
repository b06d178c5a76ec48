#pragma once

#include <Foundation/Date.h>
#include <Foundation/Locale.h>
#include <Foundation/TimeZone.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace ios {

// Foundation's `DateFormatter` for fixed formats (Unicode date patterns such as "dd/MM/yyyy" or
// "yyyy-MM-dd'T'HH:mm:ss"). Whatever the locale, it uses the Gregorian calendar and ASCII digits;
// the locale only picks names, so "MMMM" gives "tháng 1" and "EEEE" "Thứ Hai" under "vi_VN".
// It is a plain object, not shared between threads while in use: the ICU formatter behind it is
// rebuilt lazily after a setter.
class DateFormatter {
 public:
  // Empty format, `TimeZone::current()`, `Locale::current()`.
  DateFormatter();
  ~DateFormatter();
  DateFormatter(const DateFormatter& other);
  DateFormatter& operator=(const DateFormatter& other);

  const std::string& dateFormat() const { return dateFormat_; }
  void setDateFormat(std::string format);
  const TimeZone& timeZone() const { return timeZone_; }
  void setTimeZone(TimeZone zone);
  const Locale& locale() const { return locale_; }
  void setLocale(Locale locale);

  // "" while the format is empty.
  std::string string(Date from) const;
  // nullopt unless the whole text matches the format (no leniency: "31/02/2024" and trailing text
  // fail). Fields missing from the format take their defaults (1970-01-01 00:00:00 in the zone).
  std::optional<Date> date(std::string_view from) const;

 private:
  struct Formatter;
  Formatter& formatter() const;

  std::string dateFormat_;
  TimeZone timeZone_;
  Locale locale_;
  mutable std::unique_ptr<Formatter> formatter_;
};

}  // namespace ios
