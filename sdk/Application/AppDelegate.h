#pragma once

#include <Foundation/Dictionary.h>
#include <UIKit/UIApplication.h>
#include <UIKit/UIResponder.h>
#include <UIKit/UIWindow.h>

#include <memory>

namespace kerbelin {

// The application delegate for running the framework as a whole application: when launching ends
// it makes the tab shell the root of its window, with a 0.3 s cross-dissolve. It never creates the
// window nor makes it key: the host sets `window` first. A host that embeds the framework through
// `Manager` keeps its own delegate and none of this runs.
//
// Registered as "AppDelegate", with the key "window", so that an application can be started with
// the delegate class given by name.
class AppDelegate : public ios::UIResponder, public ios::UIApplicationDelegate {
 public:
  static std::shared_ptr<AppDelegate> create();

  std::shared_ptr<ios::UIWindow> window() const override { return window_; }
  void setWindow(std::shared_ptr<ios::UIWindow> window) override { window_ = std::move(window); }

  // The launch options are not read; the result is always true.
  bool didFinishLaunchingWithOptions(ios::UIApplication& application,
                                     const ios::Dictionary& options) override;

 private:
  std::shared_ptr<ios::UIWindow> window_;
};

// The application's delegate as an AppDelegate; null when the application has none or one of
// another class (a host embedding the framework). The delegate of a running application never
// changes, so this is read each time rather than kept.
std::shared_ptr<AppDelegate> sharedAppDelegate();

}  // namespace kerbelin
