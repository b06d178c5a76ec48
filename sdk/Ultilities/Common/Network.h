#pragma once

#include <Foundation/NSObject.h>
#include <Foundation/NotificationCenter.h>
#include <Reachability/Reachability.h>
#include <Ultilities/Constants/Constants.h>

#include <memory>

namespace kerbelin {

// Watches whether the internet can be reached and over what link, keeps the answer in `status`
// (kNW_DISCONNECT, kNW_WIFI, kNW_CELL_2G/3G/4G or kNW_CELL_UNKNOWN, see Constants.h) and posts
// "NetworkConnectionChanged" (no object) on each change the reachability library reports. The
// cellular generation comes from the telephony information. Each change also writes one console
// line: "Reachable via WiFi", "Reachable via Cellular" or "Reachable no internet".
//
// `reachabilityChanged` is the handler that also shows or hides the tab shell's no-internet banner;
// it answers the selector "reachabilityChangedWithNotification:" so that it can be registered as a
// notification observer, which the monitor does not do itself. Main thread only.
class Network : public ios::NSObject {
 public:
  // The process-wide monitor, made and started on first use.
  static const std::shared_ptr<Network>& internet();
  // `init()`: a monitor with status kNW_DISCONNECT, started at once.
  static std::shared_ptr<Network> create();

  // Creates and starts the library observer, unless one exists. When the observer cannot be made,
  // nothing is monitored and nothing printed; when its notifier cannot start, "Unable to start
  // notifier" is printed and the observer is kept (so it is never started again).
  void startMonitor();
  // Shows the banner and sets kNW_DISCONNECT without a connection; hides it and sets the link's
  // status otherwise (no observer counts as cellular). Posts nothing; reads nothing from the note.
  void reachabilityChanged(std::shared_ptr<ios::Notification> notification);
  // Stops the notifier for good: the observer stays, so `startMonitor()` does nothing afterwards.
  void stopMonitor();

  std::shared_ptr<ios::Reachability> reachability;
  int status = kNW_DISCONNECT;

 private:
  void onReachable(const ios::Reachability& observer);
  void onUnreachable();
};

}  // namespace kerbelin
