#pragma once

#include <Desktop/CommandRunner.h>
#include <Foundation/URL.h>
#include <UIKit/UIApplication.h>

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace ios {

// Opens URLs with the desktop's handlers, the way `UIApplication.open` hands them to other apps:
// `xdg-open <url>` to open, `xdg-mime query default x-scheme-handler/<scheme>` to ask whether any
// application handles the scheme. Both run as argument vectors, never through a shell.
//
// Only the schemes the system uses are ever passed on (http, https, mailto, tel, sms, maps, geo,
// comgooglemaps, compared without case); any other URL (file:, javascript:, a relative reference) is
// refused without running anything. The answer for a scheme is remembered for the process.
class DesktopURLOpener : public URLOpener {
 public:
  // `runner` defaults to a PosixCommandRunner.
  static std::shared_ptr<DesktopURLOpener> create(std::shared_ptr<CommandRunner> runner = nullptr);
  explicit DesktopURLOpener(std::shared_ptr<CommandRunner> runner);

  bool canOpen(const URL& url) override;
  bool open(const URL& url) override;

  // Whether `url`'s scheme is one that may be passed on at all.
  static bool isAllowedScheme(const URL& url);
  // The commands run for a URL; empty for a refused one.
  static std::vector<std::string> openArguments(const URL& url);
  static std::vector<std::string> queryArguments(const URL& url);

 private:
  std::shared_ptr<CommandRunner> runner_;
  std::mutex mutex_;
  std::map<std::string, bool> handled_;  // by lower-case scheme
};

}  // namespace ios
