#include <Foundation/Calendar.h>

#include <Foundation/IcuDateSupport.h>

namespace ios {
namespace {

UCalendarDateFields icuField(Calendar::Component component) {
  switch (component) {
    case Calendar::Component::year:
      return UCAL_YEAR;
    case Calendar::Component::month:
      return UCAL_MONTH;
    case Calendar::Component::day:
      return UCAL_DATE;
    case Calendar::Component::hour:
      return UCAL_HOUR_OF_DAY;
    case Calendar::Component::minute:
      return UCAL_MINUTE;
    case Calendar::Component::second:
      return UCAL_SECOND;
    case Calendar::Component::weekday:
      return UCAL_DAY_OF_WEEK;
  }
  return UCAL_DATE;
}

// One field of a calendar already set to the date, in Foundation's numbering.
int field(icu::Calendar& calendar, Calendar::Component component) {
  UErrorCode status = U_ZERO_ERROR;
  int value = calendar.get(icuField(component), status);
  if (U_FAILURE(status)) return 0;
  return component == Calendar::Component::month ? value + 1 : value;  // ICU counts months from 0
}

}  // namespace

DateComponents Calendar::dateComponents(Date date) const {
  auto calendar = icu_support::makeGregorianCalendar(timeZone);
  UErrorCode status = U_ZERO_ERROR;
  calendar->setTime(icu_support::toUDate(date), status);
  DateComponents components;
  components.year = field(*calendar, Component::year);
  components.month = field(*calendar, Component::month);
  components.day = field(*calendar, Component::day);
  components.hour = field(*calendar, Component::hour);
  components.minute = field(*calendar, Component::minute);
  components.second = field(*calendar, Component::second);
  components.weekday = field(*calendar, Component::weekday);
  return components;
}

int Calendar::component(Component component, Date date) const {
  auto calendar = icu_support::makeGregorianCalendar(timeZone);
  UErrorCode status = U_ZERO_ERROR;
  calendar->setTime(icu_support::toUDate(date), status);
  return field(*calendar, component);
}

std::optional<Date> Calendar::date(const DateComponents& from) const {
  auto calendar = icu_support::makeGregorianCalendar(timeZone);
  calendar->clear();
  calendar->set(from.year.value_or(1), from.month.value_or(1) - 1, from.day.value_or(1),
                from.hour.value_or(0), from.minute.value_or(0), from.second.value_or(0));
  UErrorCode status = U_ZERO_ERROR;
  double udate = calendar->getTime(status);
  if (U_FAILURE(status)) return std::nullopt;
  return icu_support::fromUDate(udate);
}

Date Calendar::startOfDay(Date date) const {
  DateComponents day = dateComponents(date);
  return this->date(DateComponents{day.year, day.month, day.day, 0, 0, 0, std::nullopt}).value_or(date);
}

std::optional<Date> Calendar::date(Component byAdding, int value, Date to) const {
  auto calendar = icu_support::makeGregorianCalendar(timeZone);
  UErrorCode status = U_ZERO_ERROR;
  calendar->setTime(icu_support::toUDate(to), status);
  const UCalendarDateFields field = byAdding == Component::weekday ? UCAL_DATE : icuField(byAdding);
  calendar->add(field, value, status);
  double udate = calendar->getTime(status);
  if (U_FAILURE(status)) return std::nullopt;
  return icu_support::fromUDate(udate);
}

}  // namespace ios
