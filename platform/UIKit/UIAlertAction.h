#pragma once

#include <Foundation/NSObject.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace ios {

// Raw values as UIKit's.
enum class UIAlertActionStyle { default_ = 0, cancel = 1, destructive = 2 };

// One button of an alert or action sheet. The handler runs after the alert has been dismissed.
class UIAlertAction : public NSObject {
 public:
  using Handler = std::function<void(UIAlertAction&)>;
  static std::shared_ptr<UIAlertAction> create(std::optional<std::string> title, UIAlertActionStyle style,
                                               Handler handler = nullptr);
  UIAlertAction(std::optional<std::string> title, UIAlertActionStyle style, Handler handler);

  const std::optional<std::string>& title() const { return title_; }
  UIAlertActionStyle style() const { return style_; }
  // A disabled action's button is drawn dimmed and ignores taps. Read when the alert is shown and
  // again at the tap.
  bool isEnabled = true;

  // Runs the handler, if there is one. The alert calls this once its dismissal has finished.
  void invoke();

 private:
  std::optional<std::string> title_;
  UIAlertActionStyle style_;
  Handler handler_;
};

}  // namespace ios
