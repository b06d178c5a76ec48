#include <Application/AppDelegate.h>

#include <Class/Tabbar/TabbarViewController.h>
#include <Foundation/ClassRegistry.h>
#include <Foundation/RunLoop.h>
#include <Ultilities/Handle/HostBundle.h>

namespace kerbelin {

namespace {

constexpr double kRootTransitionDuration = 0.3;

const auto registration = ios::ClassRegistration<AppDelegate, ios::UIResponder>("AppDelegate")
                              .property("window", &AppDelegate::window, &AppDelegate::setWindow);

}  // namespace

std::shared_ptr<AppDelegate> AppDelegate::create() {
  return std::make_shared<AppDelegate>();
}

bool AppDelegate::didFinishLaunchingWithOptions(ios::UIApplication&, const ios::Dictionary&) {
  ios::RunLoop::requireMainThread("kerbelin::AppDelegate::didFinishLaunchingWithOptions");
  reportIncompleteHostBundle();
  auto shell = TabbarViewController::sharedInstance();
  auto delegate = sharedAppDelegate();
  auto window = delegate ? delegate->window() : nullptr;
  if (window) {
    ios::UIView::transition(
        window, kRootTransitionDuration, ios::UIViewAnimationOptions::transitionCrossDissolve,
        [window, shell] { window->setRootViewController(shell); }, [](bool) {});
  }
  return true;
}

std::shared_ptr<AppDelegate> sharedAppDelegate() {
  return std::dynamic_pointer_cast<AppDelegate>(ios::UIApplication::shared()->delegate());
}

}  // namespace kerbelin
