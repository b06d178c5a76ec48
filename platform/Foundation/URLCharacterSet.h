#pragma once

#include <bitset>
#include <string_view>

namespace ios {

// The ASCII characters a URL component may hold unescaped; everything else (all non-ASCII bytes
// included) is percent-encoded by `addingPercentEncoding`. The sets are Foundation's, plus
// `urlQueryValueAllowed` for a single query value, where '&', '=', '+' and '?' must be escaped.
class URLCharacterSet {
 public:
  static URLCharacterSet urlQueryAllowed() { return URLCharacterSet(kAlphanumerics, "-._~!$&'()*+,;=:@/?"); }
  static URLCharacterSet urlFragmentAllowed() { return urlQueryAllowed(); }
  static URLCharacterSet urlPathAllowed() { return URLCharacterSet(kAlphanumerics, "-._~!$&'()*+,=:@/"); }
  static URLCharacterSet urlHostAllowed() { return URLCharacterSet(kAlphanumerics, "-._~!$&'()*+,;=:[]"); }
  static URLCharacterSet urlUserAllowed() { return URLCharacterSet(kAlphanumerics, "-._~!$&'()*+,;="); }
  static URLCharacterSet urlPasswordAllowed() { return urlUserAllowed(); }
  static URLCharacterSet urlQueryValueAllowed() { return URLCharacterSet(kAlphanumerics, "-._~"); }

  bool contains(unsigned char c) const { return c < 128 && allowed_[c]; }

 private:
  static constexpr std::string_view kAlphanumerics =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

  URLCharacterSet(std::string_view a, std::string_view b) {
    for (char c : a) allowed_.set(static_cast<unsigned char>(c));
    for (char c : b) allowed_.set(static_cast<unsigned char>(c));
  }

  std::bitset<128> allowed_;
};

}  // namespace ios
