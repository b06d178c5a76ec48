#include <Foundation/URL.h>

#include <Foundation/NSString.h>

#include <unistd.h>

#include <cstring>
#include <string>

namespace ios {
namespace {

bool isAlpha(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool isDigit(char c) {
  return c >= '0' && c <= '9';
}
bool isHex(char c) {
  return isDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}
bool isUnreserved(char c) {
  return isAlpha(c) || isDigit(c) || c == '-' || c == '.' || c == '_' || c == '~';
}
bool isSubDelim(char c) {
  return c != '\0' && std::strchr("!$&'()*+,;=", c) != nullptr;
}
bool isPchar(char c) {
  return isUnreserved(c) || isSubDelim(c) || c == ':' || c == '@';
}

int hexValue(char c) {
  if (isDigit(c)) return c - '0';
  return (c | 0x20) - 'a' + 10;
}

// True when every character of `part` is '%XX' or satisfies `allowed`.
template <typename Pred>
bool isComponent(std::string_view part, Pred allowed) {
  for (size_t i = 0; i < part.size(); ++i) {
    if (part[i] == '%') {
      if (i + 2 >= part.size()) return false;
      if (!isHex(part[i + 1]) || !isHex(part[i + 2])) return false;
      i += 2;
    } else if (!allowed(part[i])) {
      return false;
    }
  }
  return true;
}

bool isScheme(std::string_view s) {
  if (s.empty() || !isAlpha(s[0])) return false;
  for (char c : s) {
    if (!isAlpha(c) && !isDigit(c) && c != '+' && c != '-' && c != '.') return false;
  }
  return true;
}

// The inside of "[...]": an IPv6 address (hex digits, ':' and a dotted IPv4 tail) or "v<hex>.<text>".
bool isIPLiteral(std::string_view s) {
  if (s.empty()) return false;
  if (s[0] == 'v' || s[0] == 'V') {
    size_t dot = s.find('.');
    if (dot == std::string_view::npos || dot < 2 || dot + 1 >= s.size()) return false;
    for (size_t i = 1; i < dot; ++i) {
      if (!isHex(s[i])) return false;
    }
    for (char c : s.substr(dot + 1)) {
      if (!isUnreserved(c) && !isSubDelim(c) && c != ':') return false;
    }
    return true;
  }
  if (s.find(':') == std::string_view::npos) return false;
  for (char c : s) {
    if (!isHex(c) && c != ':' && c != '.') return false;
  }
  return true;
}

struct Authority {
  std::optional<std::string> host;
  std::optional<int> port;
};

std::optional<Authority> parseAuthority(std::string_view authority) {
  size_t at = authority.find('@');
  if (at != std::string_view::npos) {
    std::string_view userinfo = authority.substr(0, at);
    if (!isComponent(userinfo, [](char c) { return isUnreserved(c) || isSubDelim(c) || c == ':'; })) {
      return std::nullopt;
    }
    authority.remove_prefix(at + 1);
  }
  Authority result;
  std::string_view rest;
  if (!authority.empty() && authority[0] == '[') {
    size_t close = authority.find(']');
    if (close == std::string_view::npos || !isIPLiteral(authority.substr(1, close - 1))) return std::nullopt;
    result.host = std::string(authority.substr(1, close - 1));
    rest = authority.substr(close + 1);
    if (!rest.empty() && rest[0] != ':') return std::nullopt;
  } else {
    size_t colon = authority.find(':');
    std::string_view host = authority.substr(0, colon);
    if (!isComponent(host, [](char c) { return isUnreserved(c) || isSubDelim(c); })) return std::nullopt;
    result.host = std::string(host);
    rest = colon == std::string_view::npos ? std::string_view() : authority.substr(colon);
  }
  if (!rest.empty()) {
    std::string_view digits = rest.substr(1);
    if (digits.size() > 5) return std::nullopt;
    int port = 0;
    for (char c : digits) {
      if (!isDigit(c)) return std::nullopt;
      port = port * 10 + (c - '0');
    }
    if (port > 65535) return std::nullopt;
    if (!digits.empty()) result.port = port;
  }
  return result;
}

std::string decodedOrRaw(const std::string& raw) {
  auto decoded = removingPercentEncoding(raw);
  return decoded ? *decoded : raw;
}

}  // namespace

std::optional<URL> URL::fromString(std::string_view text) {
  if (text.empty()) return std::nullopt;
  URL url;
  url.text_ = std::string(text);
  std::string_view rest = text;

  const size_t hash = rest.find('#');
  if (hash != std::string_view::npos) {
    std::string_view fragment = rest.substr(hash + 1);
    if (!isComponent(fragment, [](char c) { return isPchar(c) || c == '/' || c == '?'; }))
      return std::nullopt;
    url.fragment_ = std::string(fragment);
    rest = rest.substr(0, hash);
  }
  const size_t question = rest.find('?');
  if (question != std::string_view::npos) {
    std::string_view query = rest.substr(question + 1);
    if (!isComponent(query, [](char c) { return isPchar(c) || c == '/' || c == '?'; })) return std::nullopt;
    url.query_ = std::string(query);
    rest = rest.substr(0, question);
  }
  // A ':' before the first '/' ends a scheme; a relative path may not have one in its first segment.
  const size_t colon = rest.find(':');
  if (colon != std::string_view::npos && colon < rest.find('/')) {
    if (!isScheme(rest.substr(0, colon))) return std::nullopt;
    url.scheme_ = std::string(rest.substr(0, colon));
    rest.remove_prefix(colon + 1);
  }
  if (rest.substr(0, 2) == "//") {
    rest.remove_prefix(2);
    const size_t slash = rest.find('/');
    std::string_view authority = rest.substr(0, slash);
    auto parsed = parseAuthority(authority);
    if (!parsed) return std::nullopt;
    url.authority_ = std::string(authority);
    url.host_ = parsed->host;
    url.port_ = parsed->port;
    rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash);
  }
  if (!isComponent(rest, [](char c) { return isPchar(c) || c == '/'; })) return std::nullopt;
  url.path_ = std::string(rest);
  return url;
}

URL URL::fileURL(std::string_view path, bool isDirectory) {
  std::string absolute(path);
  if (absolute.empty() || absolute[0] != '/') {
    char* cwd = ::getcwd(nullptr, 0);
    std::string base = cwd ? cwd : "/";
    std::free(cwd);
    if (base.back() != '/') base += '/';
    absolute = base + absolute;
  }
  if (isDirectory && absolute.back() != '/') absolute += '/';
  URL url;
  url.scheme_ = "file";
  url.authority_ = "";
  url.host_ = "";
  url.path_ = addingPercentEncoding(absolute, URLCharacterSet::urlPathAllowed());
  url.rebuildText();
  return url;
}

std::optional<std::string> URL::host() const {
  if (!host_) return std::nullopt;
  return decodedOrRaw(*host_);
}

std::string URL::path() const {
  std::string decoded = decodedOrRaw(path_);
  if (decoded.size() > 1 && decoded.back() == '/') decoded.pop_back();
  return decoded;
}

std::string URL::lastPathComponent() const {
  std::string p = path();
  if (p.empty() || p == "/") return p;
  return p.substr(p.rfind('/') + 1);
}

std::string URL::pathExtension() const {
  std::string name = lastPathComponent();
  size_t dot = name.rfind('.');
  if (dot == std::string::npos || dot == 0 || dot + 1 == name.size()) return "";
  return name.substr(dot + 1);
}

bool URL::isFileURL() const {
  if (!scheme_ || scheme_->size() != 4) return false;
  return lowercased(*scheme_) == "file";
}

URL URL::appendingPathComponent(std::string_view component) const {
  URL url = *this;
  if (url.path_.empty() || url.path_.back() != '/') url.path_ += '/';
  // Without an authority, a path starting "//" would read back as one; never double the separator.
  while (!component.empty() && component.front() == '/') component.remove_prefix(1);
  url.path_ += addingPercentEncoding(component, URLCharacterSet::urlPathAllowed());
  url.rebuildText();
  return url;
}

void URL::rebuildText() {
  text_.clear();
  if (scheme_) text_ += *scheme_ + ":";
  if (authority_) text_ += "//" + *authority_;
  text_ += path_;
  if (query_) text_ += "?" + *query_;
  if (fragment_) text_ += "#" + *fragment_;
}

std::string addingPercentEncoding(std::string_view text, const URLCharacterSet& allowed) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (allowed.contains(byte)) {
      out.push_back(c);
    } else {
      out.push_back('%');
      out.push_back(kHex[byte >> 4]);
      out.push_back(kHex[byte & 15]);
    }
  }
  return out;
}

std::optional<std::string> removingPercentEncoding(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      out.push_back(text[i]);
      continue;
    }
    if (i + 2 >= text.size() || !isHex(text[i + 1]) || !isHex(text[i + 2])) return std::nullopt;
    out.push_back(static_cast<char>(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2])));
    i += 2;
  }
  if (!isValidUTF8(out)) return std::nullopt;
  return out;
}

}  // namespace ios
