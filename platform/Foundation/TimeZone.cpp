#include <Foundation/TimeZone.h>

#include <Foundation/IcuDateSupport.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

namespace ios {
namespace {

bool icuKnows(const icu::TimeZone& zone) {
  icu::UnicodeString id;
  zone.getID(id);
  return id != icu::UnicodeString("Etc/Unknown");
}

// "/usr/share/zoneinfo/Asia/Ho_Chi_Minh" -> "Asia/Ho_Chi_Minh".
std::string afterZoneinfo(const std::string& path) {
  const std::string marker = "zoneinfo/";
  size_t at = path.rfind(marker);
  return at == std::string::npos ? path : path.substr(at + marker.size());
}

std::optional<TimeZone> fromLocaltimeLink() {
  char target[4096];
  ssize_t n = ::readlink("/etc/localtime", target, sizeof target - 1);
  if (n <= 0) return std::nullopt;
  return TimeZone::named(afterZoneinfo(std::string(target, static_cast<size_t>(n))));
}

std::optional<TimeZone> fromTimezoneFile() {
  std::ifstream file("/etc/timezone");
  std::string name;
  if (!(file >> name)) return std::nullopt;
  return TimeZone::named(name);
}

}  // namespace

std::optional<TimeZone> TimeZone::named(std::string_view identifier) {
  if (identifier.empty()) return std::nullopt;
  TimeZone zone{std::string(identifier)};
  if (!icuKnows(*icu_support::makeTimeZone(zone))) return std::nullopt;
  return zone;
}

std::optional<TimeZone> TimeZone::fromSecondsFromGMT(int seconds) {
  if (seconds < -18 * 3600 || seconds > 18 * 3600) return std::nullopt;
  const int magnitude = std::abs(seconds) / 60;
  char name[16];
  std::snprintf(name, sizeof name, "GMT%c%02d%02d", seconds < 0 ? '-' : '+', magnitude / 60, magnitude % 60);
  return TimeZone(name);
}

TimeZone TimeZone::gmt() {
  return TimeZone("GMT");
}

TimeZone TimeZone::current() {
  if (const char* tz = std::getenv("TZ")) {
    std::string name = tz;
    if (name.empty()) return gmt();  // an empty TZ means UTC to the C library too
    if (name[0] == ':') name.erase(0, 1);
    if (auto zone = named(afterZoneinfo(name))) return *zone;
    return gmt();
  }
  if (auto zone = fromLocaltimeLink()) return *zone;
  if (auto zone = fromTimezoneFile()) return *zone;
  return gmt();
}

int TimeZone::secondsFromGMT(Date date) const {
  int32_t raw = 0;
  int32_t dst = 0;
  UErrorCode status = U_ZERO_ERROR;
  icu_support::makeTimeZone(*this)->getOffset(icu_support::toUDate(date), false, raw, dst, status);
  if (U_FAILURE(status)) return 0;
  return (raw + dst) / 1000;
}

}  // namespace ios
