#include <Network/HTTPHeaders.h>

#include <algorithm>

namespace ios {

namespace {
char lowered(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
}  // namespace

bool HTTPHeaderNameLess::operator()(std::string_view a, std::string_view b) const {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [](char x, char y) { return lowered(x) < lowered(y); });
}

}  // namespace ios
