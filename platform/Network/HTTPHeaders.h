#pragma once

#include <map>
#include <string>
#include <string_view>

namespace ios {

// Orders header names without regard to ASCII case, as HTTP compares them.
struct HTTPHeaderNameLess {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const;
};

// Header fields of a request or a response. Lookups ignore case ("content-type" finds
// "Content-Type"); a response field that arrives several times holds its values joined by ", ".
using HTTPHeaders = std::map<std::string, std::string, HTTPHeaderNameLess>;

}  // namespace ios
