#include <Class/MyCode/ProviderLinks.h>

#include <Class/MyCode/Model/LocationModel.h>
#include <Foundation/URLCharacterSet.h>

#include <regex>

namespace kerbelin::ProviderLinks {

namespace {

std::string encoded(std::string_view text) {
  return ios::addingPercentEncoding(text, ios::URLCharacterSet::urlQueryValueAllowed());
}

bool isDecimal(const std::string& text) {
  static const std::regex decimal(R"(-?[0-9]{1,3}(\.[0-9]+)?)");
  return std::regex_match(text, decimal);
}

}  // namespace

const char* const kMapsAppProbe = "comgooglemaps://";

std::optional<ios::URL> mail(const std::string& email) {
  const auto at = email.rfind('@');
  if (at == std::string::npos) return ios::URL::fromString("mailto:" + encoded(email));
  return ios::URL::fromString("mailto:" + encoded(email.substr(0, at)) + "@" + encoded(email.substr(at + 1)));
}

std::optional<ios::URL> website(const std::string& website) {
  return ios::URL::fromString(website);
}

std::optional<ios::URL> social(const std::string& facebook) {
  return ios::URL::fromString(facebook.find("http") != std::string::npos ? facebook : "http://" + facebook);
}

std::optional<ios::URL> directions(const LocationModel& location, bool inMapsApp) {
  if (!isDecimal(location.latitude) || !isDecimal(location.longitude)) return std::nullopt;
  const std::string base = inMapsApp ? "comgooglemaps-x-callback://" : "https://maps.google.com/maps";
  return ios::URL::fromString(base + "?saddr=&daddr=" + location.latitude + "," + location.longitude +
                              "&directionsmode=driving");
}

}  // namespace kerbelin::ProviderLinks
