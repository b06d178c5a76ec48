#include <Foundation/SharedSlot.h>
#include <Reachability/NetlinkReachabilitySource.h>
#include <Reachability/ReachabilitySource.h>

namespace ios {
namespace {

SharedSlot<ReachabilitySource>& defaultSlot() {
  static SharedSlot<ReachabilitySource> slot([]() -> std::shared_ptr<ReachabilitySource> {
    return NetlinkReachabilitySource::create();
  });
  return slot;
}

}  // namespace

std::shared_ptr<ReachabilitySource> ReachabilitySource::defaultSource() {
  return defaultSlot().get();
}

void ReachabilitySource::setDefaultSource(std::shared_ptr<ReachabilitySource> source) {
  defaultSlot().set(std::move(source));
}

}  // namespace ios
