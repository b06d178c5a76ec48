#pragma once

#include <UIKit/UIAlertAction.h>
#include <UIKit/UIViewController.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ios {

class UIButton;
class UIControl;
class UILabel;

// Raw values as UIKit's.
enum class UIAlertControllerStyle { actionSheet = 0, alert = 1 };

// A modal message with a row of action buttons. Presented with `present`, it fades in over the
// screen, which it dims (the presenter stays, and is told nothing). An alert is a box in the middle of
// the screen; an action sheet is a group of buttons at the bottom, the cancel action in its own group
// below the rest.
//
// Each action's button carries the action's title as its text. A tap on an enabled button dismisses
// the alert (animated) and, once the dismissal has finished, runs the action's handler. A tap on an
// action sheet's dimmed backdrop does the same for its cancel action, when it has one. An alert with
// no actions stays until code dismisses it.
class UIAlertController : public UIViewController {
 public:
  static std::shared_ptr<UIAlertController> create(std::optional<std::string> title,
                                                   std::optional<std::string> message,
                                                   UIAlertControllerStyle preferredStyle);
  UIAlertController(std::optional<std::string> title, std::optional<std::string> message,
                    UIAlertControllerStyle preferredStyle);

  // The title lives in `UIViewController::title`; an empty one shows no title line.
  std::optional<std::string> message;
  UIAlertControllerStyle preferredStyle() const { return style_; }

  // Appends an action; buttons show in the order added, the cancel action last (or, with exactly
  // two actions in an alert, first, on the left). Only one action may have the cancel style.
  void addAction(const std::shared_ptr<UIAlertAction>& action);
  const std::vector<std::shared_ptr<UIAlertAction>>& actions() const { return actions_; }

  // The button showing `action`, once the view is loaded; null otherwise.
  std::shared_ptr<UIButton> buttonFor(const UIAlertAction& action) const;

  void loadView() override;
  void viewDidLayoutSubviews() override;

 private:
  // The actions in the order their buttons are laid out.
  std::vector<std::shared_ptr<UIAlertAction>> orderedActions() const;
  bool buttonsSideBySide() const;
  void rebuildContent();
  void tapped(const std::shared_ptr<UIAlertAction>& action);
  void layoutAlert(const CGRect& bounds);
  void layoutSheet(const CGRect& bounds);
  CGFloat layoutText(CGFloat top, CGFloat width);

  UIAlertControllerStyle style_;
  std::vector<std::shared_ptr<UIAlertAction>> actions_;
  std::shared_ptr<UIControl> backdrop_;  // dims the screen; a tap on it may cancel
  std::shared_ptr<UIView> box_;          // title, message and the non-cancel actions
  std::shared_ptr<UIView> cancelBox_;    // an action sheet's separate cancel group
  std::shared_ptr<UIView> header_;       // the light surface behind the text
  std::shared_ptr<UILabel> titleLabel_;
  std::shared_ptr<UILabel> messageLabel_;
  std::vector<std::pair<std::shared_ptr<UIAlertAction>, std::shared_ptr<UIButton>>> buttons_;
  bool dismissing_ = false;
};

}  // namespace ios
