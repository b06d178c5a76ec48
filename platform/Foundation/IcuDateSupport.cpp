#include <Foundation/IcuDateSupport.h>

#include <unicode/gregocal.h>

namespace ios::icu_support {

std::unique_ptr<icu::TimeZone> makeTimeZone(const TimeZone& zone) {
  const std::string& id = zone.identifier();
  return std::unique_ptr<icu::TimeZone>(icu::TimeZone::createTimeZone(
      icu::UnicodeString::fromUTF8(icu::StringPiece(id.data(), static_cast<int32_t>(id.size())))));
}

std::unique_ptr<icu::Calendar> makeGregorianCalendar(const TimeZone& zone) {
  UErrorCode status = U_ZERO_ERROR;
  auto calendar =
      std::make_unique<icu::GregorianCalendar>(makeTimeZone(zone).release(), icu::Locale::getRoot(), status);
  if (U_FAILURE(status)) {
    status = U_ZERO_ERROR;
    calendar = std::make_unique<icu::GregorianCalendar>(status);
  }
  // Foundation's Gregorian calendar starts weeks on Sunday and counts weekday 1 = Sunday, as ICU does.
  return calendar;
}

icu::Locale makeLocale(const Locale& locale) {
  icu::Locale result(locale.identifier.c_str());
  UErrorCode status = U_ZERO_ERROR;
  result.setKeywordValue("calendar", "gregorian", status);
  status = U_ZERO_ERROR;
  result.setKeywordValue("numbers", "latn", status);
  return result;
}

}  // namespace ios::icu_support
