#include <Desktop/RecordingURLOpener.h>

#include <algorithm>
#include <cctype>

namespace ios {

bool RecordingURLOpener::handles(const URL& url) const {
  if (!url.scheme()) return false;
  std::string scheme = *url.scheme();
  std::transform(scheme.begin(), scheme.end(), scheme.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return !unhandledSchemes.contains(scheme);
}

bool RecordingURLOpener::canOpen(const URL& url) {
  queried.push_back(url);
  return handles(url);
}

bool RecordingURLOpener::open(const URL& url) {
  opened.push_back(url);
  return handles(url) && openSucceeds;
}

}  // namespace ios
