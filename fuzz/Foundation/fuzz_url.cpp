// A parsed URL keeps its text, reads back equal, holds only characters a URI reference may contain,
// and stays parseable after appending a path component.
#include <Foundation/URL.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace {

bool mayAppearInUri(unsigned char c) {
  if (c >= 0x80 || c <= 0x20 || c == 0x7F) return false;
  return std::strchr("\"<>\\^`{|}", c) == nullptr;
}

void check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The text up to the first NUL is the URL; whatever follows is a path component to append.
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const size_t split = input.find('\0');
  const std::string_view text = input.substr(0, split);
  const std::string_view component = split == std::string_view::npos ? "x" : input.substr(split + 1);

  auto url = ios::URL::fromString(text);
  if (!url) return 0;
  check(url->absoluteString() == text);
  for (unsigned char c : text) check(mayAppearInUri(c));
  auto again = ios::URL::fromString(url->absoluteString());
  check(again && *again == *url && again->host() == url->host() && again->port() == url->port() &&
        again->path() == url->path() && again->query() == url->query() &&
        again->fragment() == url->fragment());
  (void)url->lastPathComponent();
  (void)url->pathExtension();
  (void)url->isFileURL();

  const ios::URL appended = url->appendingPathComponent(component);
  auto reparsed = ios::URL::fromString(appended.absoluteString());
  check(reparsed && *reparsed == appended && reparsed->host() == url->host() &&
        reparsed->port() == url->port() && reparsed->query() == url->query() &&
        reparsed->fragment() == url->fragment());
  return 0;
}
