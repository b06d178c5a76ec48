#pragma once

#include <Foundation/URLCharacterSet.h>

#include <optional>
#include <string>
#include <string_view>

namespace ios {

// Foundation's `URL` as it behaved before iOS 17: the text must already be a valid RFC 3986 URI
// reference, nothing is escaped on the caller's behalf. Relative references ("www.x.vn",
// "/a/b", "//host/p") are URLs without a scheme, as in Foundation. Two URLs are equal when their
// texts are.
class URL {
 public:
  // nullopt for empty text; for spaces, control characters, non-ASCII bytes or any other character
  // RFC 3986 does not allow unescaped ('"', '<', '>', '\\', '^', '`', '{', '|', '}', a second '#',
  // '[' or ']' outside an IP-literal host); for '%' not followed by two hex digits; for a scheme
  // that is malformed (a ':' in a first path segment not preceded by a valid scheme); and for a
  // port that is not decimal digits or exceeds 65535.
  static std::optional<URL> fromString(std::string_view text);

  // A "file://" URL for a local path. A relative path is taken from the current directory; a
  // directory URL ends with '/'. Characters outside `urlPathAllowed` are percent-encoded.
  static URL fileURL(std::string_view path, bool isDirectory = false);

  const std::string& absoluteString() const { return text_; }
  // As written (case kept); nullopt for a relative reference.
  const std::optional<std::string>& scheme() const { return scheme_; }
  // Percent-decoded, without the brackets of an IPv6 literal; nullopt without an authority.
  std::optional<std::string> host() const;
  // nullopt when the authority has no port or an empty one.
  std::optional<int> port() const { return port_; }
  // Percent-decoded, with a trailing '/' removed unless the path is just "/". When the escapes do not
  // decode to UTF-8 text, the path is returned as written.
  std::string path() const;
  // As written, still percent-encoded; nullopt without '?' / '#'.
  const std::optional<std::string>& query() const { return query_; }
  const std::optional<std::string>& fragment() const { return fragment_; }
  // The last segment of `path()`: "/" for the root, "" for an empty path.
  std::string lastPathComponent() const;
  // The text after the last '.' of `lastPathComponent()`; "" when there is none or the only dot
  // starts the name (".profile").
  std::string pathExtension() const;
  bool isFileURL() const;

  // Appends '/' (unless the path already ends with one) and `component`, percent-encoded with
  // `urlPathAllowed`, keeping the query and fragment.
  URL appendingPathComponent(std::string_view component) const;

  friend bool operator==(const URL& a, const URL& b) { return a.text_ == b.text_; }

 private:
  URL() = default;
  void rebuildText();

  std::string text_;
  std::optional<std::string> scheme_;
  std::optional<std::string> authority_;  // raw text between "//" and the path
  std::optional<std::string> host_;       // raw, brackets removed
  std::optional<int> port_;
  std::string path_;  // raw
  std::optional<std::string> query_;
  std::optional<std::string> fragment_;
};

// Percent-encodes every byte of `text` outside `allowed`, with upper-case hex digits.
std::string addingPercentEncoding(std::string_view text, const URLCharacterSet& allowed);

// Decodes every "%XX"; nullopt when a '%' is not followed by two hex digits or the decoded bytes are
// not valid UTF-8.
std::optional<std::string> removingPercentEncoding(std::string_view text);

}  // namespace ios
