#pragma once

// Conveniences any screen can call on itself: a toast, one-button and multi-button alerts, an action
// sheet, a title setter, a touch lock for long operations, a test for modal presentation, and the
// search for the top-most screen of the application. Each free function stands for the member of the
// same name; none keeps state. Main thread only.

#include <UIKit/UIAlertAction.h>
#include <UIKit/UIViewController.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kerbelin {

class AppDelegate;

// The application's delegate as the framework's AppDelegate; null when the host's delegate is of
// another class or there is none.
std::shared_ptr<AppDelegate> appDelegate(const ios::UIViewController& controller);

// Sets the navigation item's title.
void changeTitle(ios::UIViewController& controller, const std::string& title);

// A toast of `message` for 2.0 s in the centre of the app delegate's window; nothing (and nothing
// reported) without such a window.
void showMessage(ios::UIViewController& controller, const std::string& message);

// Presents, animated, an alert with one default-style button titled `actionTitle` ("OK" when absent)
// that only closes it.
void showAlert(ios::UIViewController& controller, const std::string& title, const std::string& message,
               const std::optional<std::string>& actionTitle = std::nullopt);
// Presents, animated, an alert (or an action sheet) with `actions` in order, each carrying its own
// title, style and handler; an empty list gives an alert without buttons.
void showAlert(ios::UIViewController& controller, const std::string& title, const std::string& msg,
               const std::vector<std::shared_ptr<ios::UIAlertAction>>& actions);
void showAlertSheet(ios::UIViewController& controller, const std::string& title, const std::string& msg,
                    const std::vector<std::shared_ptr<ios::UIAlertAction>>& actions);

// The first two do nothing. The progress form (whose value is ignored) turns touches on the
// controller's view off until `stopLoading`; there is no counting, one stop undoes any number of
// starts.
void startLoading(ios::UIViewController& controller);
void startLoading(ios::UIViewController& controller, const std::string& message);
void startLoading(ios::UIViewController& controller, float progress);
void stopLoading(ios::UIViewController& controller);

// Whether the controller is shown modally: it has a presenting controller; or it has a navigation
// controller that its own presenter shows as its presented controller; or its tab bar controller was
// presented by a tab bar controller. A root controller that nobody presented and that has no
// navigation controller is not modal.
bool isModal(const ios::UIViewController& controller);

// The controller on top, starting from `base`: a navigation controller's visible controller, a tab
// bar controller's selected one, and anything presented, followed down to the end.
std::shared_ptr<ios::UIViewController> getTopViewController(std::shared_ptr<ios::UIViewController> base);
// From the key window's root controller; null without a key window.
std::shared_ptr<ios::UIViewController> getTopViewController();

}  // namespace kerbelin
