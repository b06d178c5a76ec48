#include <Foundation/Date.h>

#include <chrono>

namespace ios {
namespace {

std::function<Date()>& nowSource() {
  static std::function<Date()> source;
  return source;
}

}  // namespace

Date Date::now() {
  if (nowSource()) return nowSource()();
  const auto sinceEpoch = std::chrono::system_clock::now().time_since_epoch();
  return fromTimeIntervalSince1970(std::chrono::duration<double>(sinceEpoch).count());
}

void Date::setNowSourceForTesting(std::function<Date()> source) {
  nowSource() = std::move(source);
}

}  // namespace ios
