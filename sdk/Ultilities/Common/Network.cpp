#include <Ultilities/Common/Network.h>

#include <Class/CustomView/ViewAlertNoInternet.h>
#include <Class/Tabbar/TabbarViewController.h>
#include <CoreTelephony/CTTelephonyNetworkInfo.h>
#include <Foundation/ClassRegistry.h>
#include <Foundation/Console.h>
#include <Foundation/RunLoop.h>

#include <initializer_list>
#include <string>

namespace kerbelin {

namespace {

const auto registration = ios::ClassRegistration<Network>("Network").method(
    "reachabilityChangedWithNotification:", &Network::reachabilityChanged);

constexpr const char* kReachableViaWiFi = "Reachable via WiFi";
constexpr const char* kReachableViaCellular = "Reachable via Cellular";
constexpr const char* kReachableNoInternet = "Reachable no internet";

bool isOneOf(const std::string& technology, std::initializer_list<const char*> names) {
  for (const char* name : names) {
    if (technology == name) return true;
  }
  return false;
}

// The cellular status of the radio technology in use now.
int cellularStatus() {
  const auto technology = ios::CTTelephonyNetworkInfo::create()->currentRadioAccessTechnology();
  if (!technology) return kNW_CELL_UNKNOWN;
  if (isOneOf(*technology, {ios::CTRadioAccessTechnologyGPRS, ios::CTRadioAccessTechnologyEdge,
                            ios::CTRadioAccessTechnologyCDMA1x})) {
    return kNW_CELL_2G;
  }
  if (isOneOf(*technology, {ios::CTRadioAccessTechnologyWCDMA, ios::CTRadioAccessTechnologyHSDPA,
                            ios::CTRadioAccessTechnologyHSUPA, ios::CTRadioAccessTechnologyCDMAEVDORev0,
                            ios::CTRadioAccessTechnologyCDMAEVDORevA,
                            ios::CTRadioAccessTechnologyCDMAEVDORevB, ios::CTRadioAccessTechnologyeHRPD})) {
    return kNW_CELL_3G;
  }
  if (*technology == ios::CTRadioAccessTechnologyLTE) return kNW_CELL_4G;
  return kNW_CELL_UNKNOWN;
}

void postChange() {
  ios::NotificationCenter::defaultCenter().post(kNetworkConnectionChangedNotification);
}

}  // namespace

const std::shared_ptr<Network>& Network::internet() {
  ios::RunLoop::requireMainThread("kerbelin::Network::internet()");
  // Never destroyed: the monitor serves the process until it ends.
  static const auto* monitor = new std::shared_ptr<Network>(create());
  return *monitor;
}

std::shared_ptr<Network> Network::create() {
  auto monitor = std::make_shared<Network>();
  monitor->startMonitor();
  return monitor;
}

void Network::startMonitor() {
  if (reachability) return;
  auto observer = ios::Reachability::create();
  if (!observer) return;
  reachability = observer;
  status = observer->connection() == ios::ReachabilityConnection::unavailable ? kNW_DISCONNECT : kNW_WIFI;
  // The observer belongs to the monitor, so its callbacks hold the monitor weakly.
  auto weakSelf = weakAs<Network>();
  observer->whenReachable = [weakSelf](const std::shared_ptr<ios::Reachability>& changed) {
    if (auto self = weakSelf.lock()) self->onReachable(*changed);
  };
  observer->whenUnreachable = [weakSelf](const std::shared_ptr<ios::Reachability>&) {
    if (auto self = weakSelf.lock()) self->onUnreachable();
  };
  if (!observer->startNotifier()) ios::print("Unable to start notifier");
}

void Network::stopMonitor() {
  if (reachability) reachability->stopNotifier();
}

void Network::onReachable(const ios::Reachability& observer) {
  if (observer.connection() == ios::ReachabilityConnection::wifi) {
    ios::print(kReachableViaWiFi);
    status = kNW_WIFI;
  } else {
    ios::print(kReachableViaCellular);
    status = cellularStatus();
  }
  postChange();
}

void Network::onUnreachable() {
  ios::print(kReachableNoInternet);
  status = kNW_DISCONNECT;
  postChange();
}

void Network::reachabilityChanged(std::shared_ptr<ios::Notification>) {
  ios::RunLoop::requireMainThread("kerbelin::Network::reachabilityChanged");
  const auto& banner = TabbarViewController::sharedInstance()->viewNoInternet;
  if (reachability && reachability->connection() == ios::ReachabilityConnection::unavailable) {
    ios::print(kReachableNoInternet);
    status = kNW_DISCONNECT;
    banner->setHidden(false);
    return;
  }
  if (reachability && reachability->connection() == ios::ReachabilityConnection::wifi) {
    ios::print(kReachableViaWiFi);
    banner->setHidden(true);
    status = kNW_WIFI;
    return;
  }
  banner->setHidden(true);
  ios::print(kReachableViaCellular);
  status = cellularStatus();
}

}  // namespace kerbelin
