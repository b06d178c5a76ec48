#include <Foundation/Calendar.h>
#include <Foundation/Date.h>
#include <Foundation/DateFormatter.h>
#include <Foundation/Locale.h>
#include <Foundation/TimeZone.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace ios {
namespace {

Date utc(double secondsSince1970) {
  return Date::fromTimeIntervalSince1970(secondsSince1970);
}
TimeZone zone(const char* name) {
  return TimeZone::named(name).value();
}

// 2024-02-29 16:59:59 UTC is 23:59:59 in Ho Chi Minh City, one second before its midnight.
constexpr double kLeapDayLastSecondInHCM = 1709225999;

// Sets an environment variable for one test and restores it afterwards.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    value ? ::setenv(name, value, 1) : ::unsetenv(name);
  }
  ~ScopedEnv() { old_ ? ::setenv(name_, old_->c_str(), 1) : ::unsetenv(name_); }

 private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST(DateTest, ReferenceDateIs2001) {
  EXPECT_EQ(Date{}.timeIntervalSince1970(), 978307200.0);
  EXPECT_EQ(utc(0).timeIntervalSinceReferenceDate, -978307200.0);
}

TEST(TimeZoneTest, NamedAndFixedOffsetZones) {
  EXPECT_EQ(TimeZone::named("Asia/Ho_Chi_Minh")->identifier(), "Asia/Ho_Chi_Minh");
  EXPECT_EQ(TimeZone::named("Nowhere/City"), std::nullopt);
  EXPECT_EQ(TimeZone::named(""), std::nullopt);
  EXPECT_EQ(zone("Asia/Ho_Chi_Minh").secondsFromGMT(utc(kLeapDayLastSecondInHCM)), 7 * 3600);
  EXPECT_EQ(zone("America/New_York").secondsFromGMT(utc(1706670000)), -5 * 3600);  // January
  EXPECT_EQ(zone("America/New_York").secondsFromGMT(utc(1720000000)), -4 * 3600);  // July
  EXPECT_EQ(TimeZone::fromSecondsFromGMT(7 * 3600)->identifier(), "GMT+0700");
  EXPECT_EQ(TimeZone::fromSecondsFromGMT(-(3 * 3600 + 1800))->identifier(), "GMT-0330");
  EXPECT_EQ(TimeZone::fromSecondsFromGMT(-(3 * 3600 + 1800))->secondsFromGMT(utc(0)), -(3 * 3600 + 1800));
  EXPECT_EQ(TimeZone::fromSecondsFromGMT(19 * 3600), std::nullopt);
}

TEST(TimeZoneTest, CurrentFollowsTZ) {
  const std::pair<const char*, const char*> cases[] = {{"Asia/Ho_Chi_Minh", "Asia/Ho_Chi_Minh"},
                                                       {":Europe/Paris", "Europe/Paris"},
                                                       {"/usr/share/zoneinfo/Asia/Tokyo", "Asia/Tokyo"},
                                                       {"Bogus/Zone", "GMT"}};
  for (const auto& [tz, identifier] : cases) {
    ScopedEnv set("TZ", tz);
    EXPECT_EQ(TimeZone::current().identifier(), identifier) << tz;
  }
}

TEST(LocaleTest, CurrentFollowsTheEnvironment) {
  ScopedEnv lcTime("LC_TIME", nullptr);
  ScopedEnv lang("LANG", "en_GB.UTF-8");
  {
    ScopedEnv all("LC_ALL", "vi_VN.UTF-8");
    EXPECT_EQ(Locale::current().identifier, "vi_VN");
    EXPECT_EQ(Locale::current().languageCode(), "vi");
  }
  {
    ScopedEnv all("LC_ALL", "C");
    EXPECT_EQ(Locale::current(), Locale::enUSPOSIX());
  }
  ScopedEnv all("LC_ALL", nullptr);
  EXPECT_EQ(Locale::current().identifier, "en_GB");
}

TEST(CalendarTest, ComponentsAndDatesConvertInTheCalendarsZone) {
  const Date date = utc(kLeapDayLastSecondInHCM);
  EXPECT_EQ(Calendar(zone("Asia/Ho_Chi_Minh")).dateComponents(date),
            (DateComponents{2024, 2, 29, 23, 59, 59, 5}));
  EXPECT_EQ(Calendar(TimeZone::gmt()).dateComponents(date), (DateComponents{2024, 2, 29, 16, 59, 59, 5}));
  EXPECT_EQ(
      Calendar(zone("Asia/Ho_Chi_Minh")).component(Calendar::Component::weekday, date.addingTimeInterval(1)),
      6);
  EXPECT_EQ(
      Calendar(zone("Asia/Ho_Chi_Minh")).component(Calendar::Component::day, date.addingTimeInterval(1)), 1);

  // And back: components make a date in the calendar's zone, out-of-range fields carrying over.
  Calendar calendar(zone("Asia/Ho_Chi_Minh"));
  EXPECT_EQ(calendar.date(DateComponents{2024, 2, 29, 23, 59, 59, {}}), utc(kLeapDayLastSecondInHCM));
  EXPECT_EQ(calendar.date(DateComponents{2024, 3, 1, {}, {}, {}, {}}), utc(kLeapDayLastSecondInHCM + 1));
  EXPECT_EQ(calendar.date(DateComponents{2023, 14, 1, 0, 0, 0, {}}),
            calendar.date(DateComponents{2024, 2, 1, 0, 0, 0, {}}));
  EXPECT_EQ(calendar.dateComponents(*calendar.date(DateComponents{{}, {}, {}, 8, {}, {}, {}})),
            (DateComponents{1, 1, 1, 8, 0, 0, 7}));  // a Saturday in the Julian calendar used before 1582
}

TEST(CalendarTest, StartOfDay) {
  Calendar hcm(zone("Asia/Ho_Chi_Minh"));
  EXPECT_EQ(hcm.startOfDay(utc(1709227800)), utc(1709226000));  // 00:30 on 1 March -> 00:00
  EXPECT_EQ(hcm.startOfDay(utc(1709226000)), utc(1709226000));
  EXPECT_EQ(hcm.startOfDay(utc(1709225999)), utc(1709226000 - 86400));
  // São Paulo skipped 00:00-01:00 on 4 November 2018: the day starts at 01:00 (-02:00).
  Calendar saoPaulo(zone("America/Sao_Paulo"));
  EXPECT_EQ(saoPaulo.startOfDay(utc(1541343600)), utc(1541300400));
}

TEST(CalendarTest, AddingClampsDaysAndKeepsWallTime) {
  Calendar hcm(zone("Asia/Ho_Chi_Minh"));
  auto at = [&](int y, int m, int d) { return *hcm.date(DateComponents{y, m, d, 10, 0, 0, {}}); };
  using C = Calendar::Component;
  EXPECT_EQ(hcm.date(C::month, 1, at(2024, 1, 31)), at(2024, 2, 29));
  EXPECT_EQ(hcm.date(C::month, 1, at(2023, 1, 31)), at(2023, 2, 28));
  EXPECT_EQ(hcm.date(C::month, -2, at(2024, 1, 15)), at(2023, 11, 15));
  EXPECT_EQ(hcm.date(C::year, 1, at(2024, 2, 29)), at(2025, 2, 28));
  EXPECT_EQ(hcm.date(C::year, -100, at(2024, 2, 29)), at(1924, 2, 29));
  EXPECT_EQ(hcm.date(C::year, 0, at(2024, 2, 29)), at(2024, 2, 29));
  EXPECT_EQ(hcm.date(C::day, 1, at(2024, 2, 28)), at(2024, 2, 29));
  EXPECT_EQ(hcm.date(C::day, -60, at(2024, 3, 1)), at(2024, 1, 1));
  // Across the New York spring change a calendar day is 23 hours: the clock time stays 12:00.
  Calendar newYork(zone("America/New_York"));
  EXPECT_EQ(newYork.date(C::day, 1, utc(1710003600)), utc(1710086400));
}

class DateFormatterTest : public testing::Test {
 protected:
  DateFormatter formatter(const char* format, const char* zoneName, const char* locale = "en_US_POSIX") {
    DateFormatter f;
    f.setDateFormat(format);
    f.setTimeZone(zone(zoneName));
    f.setLocale(Locale::named(locale));
    return f;
  }
};

TEST_F(DateFormatterTest, FormatsAroundMidnightInTheFormattersZone) {
  const Date lastSecond = utc(kLeapDayLastSecondInHCM);
  const Date midnight = lastSecond.addingTimeInterval(1);
  EXPECT_EQ(formatter("dd/MM/yyyy", "Asia/Ho_Chi_Minh").string(lastSecond), "29/02/2024");
  EXPECT_EQ(formatter("dd/MM/yyyy", "Asia/Ho_Chi_Minh").string(midnight), "01/03/2024");
  EXPECT_EQ(formatter("dd/MM/yyyy", "UTC").string(midnight), "29/02/2024");
  EXPECT_EQ(formatter("HH:mm dd/MM/yyyy", "Asia/Ho_Chi_Minh").string(midnight.addingTimeInterval(30 * 60)),
            "00:30 01/03/2024");
  EXPECT_EQ(formatter("yyyy-MM-dd'T'HH:mm:ss", "Asia/Ho_Chi_Minh").string(lastSecond), "2024-02-29T23:59:59");
}

TEST_F(DateFormatterTest, AlwaysGregorianWithAsciiDigits) {
  const Date date = utc(kLeapDayLastSecondInHCM);
  EXPECT_EQ(formatter("dd/MM/yyyy", "Asia/Ho_Chi_Minh", "ar_EG").string(date), "29/02/2024");
  EXPECT_EQ(formatter("dd/MM/yyyy", "Asia/Ho_Chi_Minh", "th_TH").string(date), "29/02/2024");  // not 2567
  EXPECT_EQ(formatter("dd/MM/yyyy", "Asia/Ho_Chi_Minh", "vi_VN").string(date), "29/02/2024");
}

TEST_F(DateFormatterTest, VietnameseNamesComeFromTheLocale) {
  const Date date = utc(kLeapDayLastSecondInHCM);  // Thursday
  EXPECT_EQ(formatter("EEEE, dd MMMM yyyy", "Asia/Ho_Chi_Minh", "vi_VN").string(date),
            "Th\xE1\xBB\xA9 N\xC4\x83m, 29 th\xC3\xA1ng 2 2024");  // "Thứ Năm, 29 tháng 2 2024"
  EXPECT_EQ(formatter("EEEE, dd MMMM yyyy", "Asia/Ho_Chi_Minh").string(date), "Thursday, 29 February 2024");
}

TEST_F(DateFormatterTest, ParsesOnlyWholeValidDates) {
  DateFormatter iso = formatter("yyyy-MM-dd'T'HH:mm:ss", "Asia/Ho_Chi_Minh");
  EXPECT_EQ(iso.date("2024-02-29T23:59:59"), utc(kLeapDayLastSecondInHCM));
  EXPECT_EQ(iso.date("2024-02-30T00:00:00"), std::nullopt);
  EXPECT_EQ(iso.date("2024-02-29T24:00:00"), std::nullopt);
  EXPECT_EQ(iso.date("2024-02-29T23:59:59Z"), std::nullopt);
  EXPECT_EQ(iso.date("2024-02-29"), std::nullopt);

  DateFormatter day = formatter("dd/MM/yyyy", "Asia/Ho_Chi_Minh");
  EXPECT_EQ(day.date("01/03/2024"), utc(kLeapDayLastSecondInHCM + 1));
  EXPECT_EQ(day.date("31/04/2024"), std::nullopt);
  EXPECT_EQ(day.date("29/02/2023"), std::nullopt);
  EXPECT_EQ(day.date("01/03/2024 "), std::nullopt);
  EXPECT_EQ(day.date(""), std::nullopt);
  EXPECT_EQ(day.date("abc"), std::nullopt);
  EXPECT_EQ(day.date("\xFF\xFE"), std::nullopt);
}

TEST_F(DateFormatterTest, SettersTakeEffectAndCopiesAreIndependent) {
  DateFormatter f = formatter("HH:mm", "UTC");
  const Date date = utc(kLeapDayLastSecondInHCM);
  EXPECT_EQ(f.string(date), "16:59");
  DateFormatter copy = f;
  f.setTimeZone(zone("Asia/Ho_Chi_Minh"));
  EXPECT_EQ(f.string(date), "23:59");
  EXPECT_EQ(copy.string(date), "16:59");
  f.setDateFormat("dd");
  EXPECT_EQ(f.string(date), "29");
  copy = f;
  EXPECT_EQ(copy.string(date), "29");
  f.setDateFormat("");
  EXPECT_EQ(f.string(date), "");
  EXPECT_EQ(f.date("29"), std::nullopt);
}

}  // namespace
}  // namespace ios
