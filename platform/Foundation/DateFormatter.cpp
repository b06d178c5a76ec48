#include <Foundation/DateFormatter.h>

#include <Foundation/IcuDateSupport.h>

#include <unicode/smpdtfmt.h>

namespace ios {

struct DateFormatter::Formatter {
  std::unique_ptr<icu::SimpleDateFormat> icu;
};

DateFormatter::DateFormatter() : timeZone_(TimeZone::current()), locale_(Locale::current()) {}

DateFormatter::~DateFormatter() = default;

DateFormatter::DateFormatter(const DateFormatter& other)
    : dateFormat_(other.dateFormat_), timeZone_(other.timeZone_), locale_(other.locale_) {}

DateFormatter& DateFormatter::operator=(const DateFormatter& other) {
  if (this == &other) return *this;
  dateFormat_ = other.dateFormat_;
  timeZone_ = other.timeZone_;
  locale_ = other.locale_;
  formatter_.reset();
  return *this;
}

void DateFormatter::setDateFormat(std::string format) {
  if (format == dateFormat_) return;
  dateFormat_ = std::move(format);
  formatter_.reset();
}

void DateFormatter::setTimeZone(TimeZone zone) {
  if (zone == timeZone_) return;
  timeZone_ = std::move(zone);
  formatter_.reset();
}

void DateFormatter::setLocale(Locale locale) {
  if (locale == locale_) return;
  locale_ = std::move(locale);
  formatter_.reset();
}

DateFormatter::Formatter& DateFormatter::formatter() const {
  if (formatter_) return *formatter_;
  formatter_ = std::make_unique<Formatter>();
  UErrorCode status = U_ZERO_ERROR;
  const icu::Locale locale = icu_support::makeLocale(locale_);
  auto icu = std::make_unique<icu::SimpleDateFormat>(
      icu::UnicodeString::fromUTF8(
          icu::StringPiece(dateFormat_.data(), static_cast<int32_t>(dateFormat_.size()))),
      locale, status);
  if (U_FAILURE(status)) return *formatter_;  // a malformed pattern formats nothing and parses nothing
  icu->adoptCalendar(icu_support::makeGregorianCalendar(timeZone_).release());
  icu->setLenient(false);
  formatter_->icu = std::move(icu);
  return *formatter_;
}

std::string DateFormatter::string(Date from) const {
  if (dateFormat_.empty()) return "";
  icu::SimpleDateFormat* icu = formatter().icu.get();
  if (!icu) return "";
  icu::UnicodeString text;
  icu->format(icu_support::toUDate(from), text);
  std::string out;
  text.toUTF8String(out);
  return out;
}

std::optional<Date> DateFormatter::date(std::string_view from) const {
  if (dateFormat_.empty() || from.empty()) return std::nullopt;
  icu::SimpleDateFormat* icu = formatter().icu.get();
  if (!icu) return std::nullopt;
  const icu::UnicodeString text =
      icu::UnicodeString::fromUTF8(icu::StringPiece(from.data(), static_cast<int32_t>(from.size())));
  icu::ParsePosition position(0);
  const UDate udate = icu->parse(text, position);
  if (position.getErrorIndex() >= 0 || position.getIndex() != text.length()) return std::nullopt;
  return icu_support::fromUDate(udate);
}

}  // namespace ios
