#include "HostLauncher.h"

#include <Foundation/ClassRegistry.h>
#include <Foundation/NotificationCenter.h>
#include <Manager.h>
#include <UIKit/UIApplication.h>
#include <UIKit/UINavigationController.h>
#include <UIKit/UIViewController.h>
#include <Ultilities/Common/Network.h>
#include <Ultilities/Constants/Constants.h>
#include <Ultilities/lib/MLTransition.h>

namespace kerbelin::sim {
namespace {

// The host application's own delegate: it only owns the window, as an app that embeds the SDK would.
class HostApplicationDelegate : public ios::UIResponder, public ios::UIApplicationDelegate {
 public:
  std::shared_ptr<ios::UIWindow> window() const override { return window_; }
  void setWindow(std::shared_ptr<ios::UIWindow> window) override { window_ = std::move(window); }

 private:
  std::shared_ptr<ios::UIWindow> window_;
};

// What an application built on the SDK does at launch to get the no-internet banner: start the
// process-wide monitor and route its change notification to the monitor's banner handler.
void watchNetwork() {
  const auto& monitor = kerbelin::Network::internet();
  ios::NotificationCenter::defaultCenter().addObserver(
      monitor, "reachabilityChangedWithNotification:", kerbelin::kNetworkConnectionChangedNotification);
}

std::shared_ptr<ios::UIWindow> launchAsApplication(std::string& reason) {
  auto object = ios::ClassRegistry::shared().makeObject("AppDelegate");
  auto delegate = std::dynamic_pointer_cast<ios::UIApplicationDelegate>(object);
  if (!delegate) {
    reason = object ? "the class \"AppDelegate\" is not an application delegate"
                    : "no class \"AppDelegate\" is registered (is the SDK linked?)";
    return nullptr;
  }
  auto window = ios::UIWindow::create();
  delegate->setWindow(window);
  window->makeKeyAndVisible();
  ios::UIApplication::shared()->run(delegate, ios::Dictionary::object(), false);
  watchNetwork();
  return window;
}

std::shared_ptr<ios::UIWindow> launchAsHost() {
  auto delegate = std::make_shared<HostApplicationDelegate>();
  auto window = ios::UIWindow::create();
  delegate->setWindow(window);
  ios::UIApplication::shared()->setDelegate(delegate);
  auto navigation = ios::UINavigationController::create(kerbelin::Manager().viewController());
  // The SDK's screens draw their own bars: the host's bar would sit above them, empty or with its
  // back button.
  navigation->setNavigationBarHidden(true);
  window->setRootViewController(navigation);
  window->makeKeyAndVisible();
  return window;
}

}  // namespace

std::shared_ptr<ios::UIWindow> HostLauncher::launch(SimulatorOptions::Mode mode, std::string& reason) {
  // As a host may: a pushed screen can then be swiped back from the left edge of the window, where
  // the swipe goes before the screen's own drags (a provider page's header and tabs).
  MLTransition::validatePanBackWithMLTransitionGestureRecognizerType(MLTransitionGestureRecognizerTypeScreenEdgePan);
  return mode == SimulatorOptions::Mode::app ? launchAsApplication(reason) : launchAsHost();
}

}  // namespace kerbelin::sim
