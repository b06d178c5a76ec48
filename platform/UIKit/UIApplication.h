#pragma once

#include <Foundation/Dictionary.h>
#include <Foundation/URL.h>
#include <UIKit/UIResponder.h>

#include <functional>
#include <memory>
#include <vector>

namespace ios {

class UIApplication;
class UIWindow;

// The application's delegate. `window` is the slot an app delegate fills at launch.
class UIApplicationDelegate {
 public:
  virtual ~UIApplicationDelegate() = default;
  virtual bool didFinishLaunchingWithOptions(UIApplication& /*application*/, const Dictionary& /*options*/) {
    return true;
  }
  virtual std::shared_ptr<UIWindow> window() const { return nullptr; }
  virtual void setWindow(std::shared_ptr<UIWindow>) {}
};

// `UIApplication.openSettingsURLString`: opens the host application's own settings (camera access
// among them). The URL opener decides what that is on the desktop.
inline constexpr const char* UIApplicationOpenSettingsURLString = "app-settings:";

// Where `open(_:)` and `canOpenURL(_:)` send a URL: the desktop's opener in a real run, a recorder in
// tests. Without one, no URL can be opened.
class URLOpener {
 public:
  virtual ~URLOpener() = default;
  virtual bool canOpen(const URL& url) = 0;
  virtual bool open(const URL& url) = 0;
};

// The running application: its delegate, its windows and the key window.
class UIApplication : public UIResponder {
 public:
  static const std::shared_ptr<UIApplication>& shared();

  // Held strongly, as the process's application delegate lives as long as the app.
  std::shared_ptr<UIApplicationDelegate> delegate() const { return delegate_; }
  void setDelegate(std::shared_ptr<UIApplicationDelegate> delegate) { delegate_ = std::move(delegate); }

  std::shared_ptr<UIWindow> keyWindow() const { return keyWindow_.lock(); }
  void setKeyWindow(const std::shared_ptr<UIWindow>& window);
  // Windows that were made key and still exist, oldest first.
  std::vector<std::shared_ptr<UIWindow>> windows() const;

  // Asks the opener; false without one. The completion, if any, runs on a later main-queue turn
  // with the result, as the platform reports it asynchronously.
  bool canOpenURL(const URL& url) const;
  void open(const URL& url, std::function<void(bool)> completion = nullptr);
  void setURLOpener(std::shared_ptr<URLOpener> opener) { opener_ = std::move(opener); }
  const std::shared_ptr<URLOpener>& urlOpener() const { return opener_; }

  // `UIApplicationMain`: makes the delegate, calls its launch method and, when `runLoop` is true,
  // runs the main run loop until it is stopped. Returns the process exit status.
  int run(std::shared_ptr<UIApplicationDelegate> delegate, const Dictionary& options = Dictionary::object(),
          bool runLoop = true);

 private:
  std::shared_ptr<UIApplicationDelegate> delegate_;
  std::weak_ptr<UIWindow> keyWindow_;
  std::vector<std::weak_ptr<UIWindow>> windows_;
  std::shared_ptr<URLOpener> opener_;
};

}  // namespace ios
