#include <Reachability/NetlinkReachabilitySource.h>
#include <Reachability/ReachabilitySource.h>

#include <mutex>

namespace ios {
namespace {

struct DefaultSource {
  std::mutex mutex;
  std::shared_ptr<ReachabilitySource> source;
};

DefaultSource& defaultSlot() {
  static DefaultSource slot;
  return slot;
}

}  // namespace

std::shared_ptr<ReachabilitySource> ReachabilitySource::defaultSource() {
  auto& slot = defaultSlot();
  std::lock_guard lock(slot.mutex);
  if (!slot.source) slot.source = NetlinkReachabilitySource::create();
  return slot.source;
}

void ReachabilitySource::setDefaultSource(std::shared_ptr<ReachabilitySource> source) {
  auto& slot = defaultSlot();
  std::lock_guard lock(slot.mutex);
  slot.source = std::move(source);
}

}  // namespace ios
