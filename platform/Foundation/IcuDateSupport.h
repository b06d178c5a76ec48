#pragma once

// Private to ios_foundation: ICU objects built from the Foundation date types. Not installed for
// other libraries, which must not see ICU headers.

#include <Foundation/Locale.h>
#include <Foundation/TimeZone.h>

#include <unicode/calendar.h>
#include <unicode/timezone.h>

#include <memory>

namespace ios::icu_support {

std::unique_ptr<icu::TimeZone> makeTimeZone(const TimeZone& zone);
// Gregorian calendar in `zone`; never null.
std::unique_ptr<icu::Calendar> makeGregorianCalendar(const TimeZone& zone);
// `locale` with the Gregorian calendar and Latin digits forced, whatever the region prefers.
icu::Locale makeLocale(const Locale& locale);

inline double toUDate(Date date) {
  return date.timeIntervalSince1970() * 1000.0;
}
inline Date fromUDate(double udate) {
  return Date::fromTimeIntervalSince1970(udate / 1000.0);
}

}  // namespace ios::icu_support
