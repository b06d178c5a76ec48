#pragma once

#include <Foundation/URL.h>
#include <UIKit/UIApplication.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

namespace ios {

// An opener for tests: it records every URL it is asked about and answers as configured, opening
// nothing.
class RecordingURLOpener : public URLOpener {
 public:
  static std::shared_ptr<RecordingURLOpener> create() { return std::make_shared<RecordingURLOpener>(); }

  bool canOpen(const URL& url) override;
  bool open(const URL& url) override;

  // The URLs given to `canOpen` and `open`, in order.
  std::vector<URL> queried;
  std::vector<URL> opened;

  // Schemes (lower case) `canOpen` denies; everything else may be opened.
  std::set<std::string> unhandledSchemes;
  // What `open` answers for a scheme that is handled.
  bool openSucceeds = true;

 private:
  bool handles(const URL& url) const;
};

}  // namespace ios
