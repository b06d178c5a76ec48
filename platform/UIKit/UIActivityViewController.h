#pragma once

#include <UIKit/UIActivitySink.h>
#include <UIKit/UIActivityType.h>
#include <UIKit/UIViewController.h>

#include <any>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ios {

class UIButton;
class UIControl;
class UIPopoverPresentationController;

// The share sheet. Presented with `present`, it fades in a sheet at the bottom of the screen that
// names what is shared ("1 ảnh", "1 văn bản", "1 liên kết") and offers one button per activity
// that suits the items and is not excluded (saving to the album only for images), and a close
// button "Đóng". Picking an activity hands the items to the installed `UIActivitySink`, then
// dismisses the sheet; closing dismisses it. `completionWithItemsHandler` runs once the dismissal
// has finished: with the activity and the sink's answer, or with no activity and false.
//
// The items are `std::shared_ptr<UIImage>`, `std::string` or `URL` values; other values are handed
// on as they are but not named. Application activities are not supported.
class UIActivityViewController : public UIViewController {
 public:
  using CompletionWithItemsHandler = std::function<void(
      std::optional<UIActivityType> activityType, bool completed, const std::vector<std::any>& returnedItems,
      const std::optional<std::string>& error)>;

  static std::shared_ptr<UIActivityViewController> create(std::vector<std::any> activityItems);
  explicit UIActivityViewController(std::vector<std::any> activityItems);

  const std::vector<std::any>& activityItems() const { return items_; }
  // Read when the sheet loads its view.
  std::vector<UIActivityType> excludedActivityTypes;
  CompletionWithItemsHandler completionWithItemsHandler;

  // The activities the sheet offers, in order: what suits the items minus the excluded ones.
  std::vector<UIActivityType> availableActivities() const;
  // The caption of an activity's button ("Lưu ảnh", "Sao chép", ...).
  static std::string caption(const UIActivityType& type);

  // Null: on a phone the sheet is never a popover, so there is no anchor to set.
  std::shared_ptr<UIPopoverPresentationController> popoverPresentationController() const { return nullptr; }

  void loadView() override;
  void viewDidAppear(bool animated) override;
  void viewDidLayoutSubviews() override;

 private:
  std::string itemsSummary() const;
  std::shared_ptr<UIButton> makeButton(const std::string& title, bool bold);
  void pick(std::optional<UIActivityType> type);

  std::vector<std::any> items_;
  std::shared_ptr<UIControl> backdrop_;  // dims the screen; a tap on it closes
  std::shared_ptr<UIView> sheet_;
  std::shared_ptr<UIView> closeGroup_;
  std::vector<std::shared_ptr<UIView>> rows_;  // the summary label, then the activity buttons
  bool finishing_ = false;
};

}  // namespace ios
