#pragma once

#include "SimulatorOptions.h"

#include <UIKit/UIWindow.h>

#include <memory>
#include <string>

namespace kerbelin::sim {

// Puts the SDK on screen the way a device would, with the swipe-back transition switched on:
// - as the application: the delegate class "AppDelegate" is made by name from the class registry,
//   given a window of the screen's size, the window is made key and visible, then the delegate's
//   launch method runs, and the network monitor starts with its banner handler registered;
// - as a host: the simulator keeps its own delegate and window and shows `Manager().viewController()`
//   at the root of a navigation controller of its own, whose bar is hidden (the SDK's screens draw
//   their own).
class HostLauncher {
 public:
  // The key window, or null with `reason` set when the SDK cannot be launched that way.
  static std::shared_ptr<ios::UIWindow> launch(SimulatorOptions::Mode mode, std::string& reason);
};

}  // namespace kerbelin::sim
