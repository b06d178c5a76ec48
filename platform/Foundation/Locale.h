#pragma once

#include <string>
#include <string_view>

namespace ios {

// Foundation's `Locale`, reduced to what formatting needs: an identifier such as "vi_VN" or
// "en_US_POSIX".
struct Locale {
  std::string identifier;

  static Locale named(std::string_view identifier) { return Locale{std::string(identifier)}; }
  // The fixed locale for machine-readable dates.
  static Locale enUSPOSIX() { return Locale{"en_US_POSIX"}; }
  // From LC_ALL, LC_TIME or LANG ("vi_VN.UTF-8" -> "vi_VN"); "C", "POSIX" or nothing set give
  // "en_US_POSIX".
  static Locale current();

  // "vi" for "vi_VN".
  std::string languageCode() const { return identifier.substr(0, identifier.find_first_of("_-")); }

  friend bool operator==(const Locale&, const Locale&) = default;
};

}  // namespace ios
