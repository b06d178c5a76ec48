#include <Ultilities/Extensions/UIViewControllerExtension.h>

#include <Application/AppDelegate.h>
#include <Toast/UIViewToast.h>
#include <UIKit/UIAlertController.h>
#include <UIKit/UIApplication.h>
#include <UIKit/UINavigationController.h>
#include <UIKit/UITabBarController.h>
#include <UIKit/UIWindow.h>

namespace kerbelin {

namespace {

void presentAlert(ios::UIViewController& controller, const std::string& title, const std::string& message,
                  ios::UIAlertControllerStyle style,
                  const std::vector<std::shared_ptr<ios::UIAlertAction>>& actions) {
  auto alert = ios::UIAlertController::create(title, message, style);
  for (const auto& action : actions) alert->addAction(action);
  controller.present(alert, true, nullptr);
}

}  // namespace

std::shared_ptr<AppDelegate> appDelegate(const ios::UIViewController&) {
  return sharedAppDelegate();
}

void changeTitle(ios::UIViewController& controller, const std::string& title) {
  controller.navigationItem.title = title;
}

void showMessage(ios::UIViewController&, const std::string& message) {
  auto delegate = sharedAppDelegate();
  auto window = delegate ? delegate->window() : nullptr;
  if (!window) return;
  ios::makeToast(*window, message, 2.0, ios::CSToastPositionCenter);
}

void showAlert(ios::UIViewController& controller, const std::string& title, const std::string& message,
               const std::optional<std::string>& actionTitle) {
  presentAlert(controller, title, message, ios::UIAlertControllerStyle::alert,
               {ios::UIAlertAction::create(actionTitle.value_or("OK"), ios::UIAlertActionStyle::default_)});
}

void showAlert(ios::UIViewController& controller, const std::string& title, const std::string& msg,
               const std::vector<std::shared_ptr<ios::UIAlertAction>>& actions) {
  presentAlert(controller, title, msg, ios::UIAlertControllerStyle::alert, actions);
}

void showAlertSheet(ios::UIViewController& controller, const std::string& title, const std::string& msg,
                    const std::vector<std::shared_ptr<ios::UIAlertAction>>& actions) {
  presentAlert(controller, title, msg, ios::UIAlertControllerStyle::actionSheet, actions);
}

void startLoading(ios::UIViewController&) {}

void startLoading(ios::UIViewController&, const std::string&) {}

void startLoading(ios::UIViewController& controller, float) {
  controller.view()->setUserInteractionEnabled(false);
}

void stopLoading(ios::UIViewController& controller) {
  controller.view()->setUserInteractionEnabled(true);
}

bool isModal(const ios::UIViewController& controller) {
  if (controller.presentingViewController()) return true;
  // Only a navigation controller that exists can be the one presented; two absent ones do not match.
  if (auto navigation = controller.navigationController()) {
    auto presenter = navigation->presentingViewController();
    if (presenter && presenter->presentedViewController() == navigation) return true;
  }
  if (auto tabBar = controller.tabBarController()) {
    if (std::dynamic_pointer_cast<ios::UITabBarController>(tabBar->presentingViewController())) return true;
  }
  return false;
}

std::shared_ptr<ios::UIViewController> getTopViewController(std::shared_ptr<ios::UIViewController> base) {
  if (auto navigation = std::dynamic_pointer_cast<ios::UINavigationController>(base))
    return getTopViewController(navigation->visibleViewController());
  if (auto tabBar = std::dynamic_pointer_cast<ios::UITabBarController>(base)) {
    if (auto selected = tabBar->selectedViewController()) return getTopViewController(selected);
  }
  if (!base) return base;
  if (auto presented = base->presentedViewController()) return getTopViewController(presented);
  return base;
}

std::shared_ptr<ios::UIViewController> getTopViewController() {
  auto window = ios::UIApplication::shared()->keyWindow();
  return getTopViewController(window ? window->rootViewController() : nullptr);
}

}  // namespace kerbelin
