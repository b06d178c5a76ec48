#pragma once

#include <CoreGraphics/CGGeometry.h>
#include <Foundation/NSObject.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace ios {

class UIButton;
class UIImage;
class UIView;

// Raw values as UIKit's.
enum class UIBarButtonItemStyle { plain = 0, bordered = 1, done = 2 };
enum class UIBarButtonSystemItem {
  done = 0,
  cancel = 1,
  edit = 2,
  save = 3,
  add = 4,
  flexibleSpace = 5,
  fixedSpace = 6
};

// A button (or a space) in a toolbar or a navigation bar. The bar draws it; a tap sends `action` to
// `target` with the item as the sender or, when there is no target, up the responder chain from the
// bar to the first responder that implements it. Spaces are not tappable: a flexible space takes a
// share of the room left over, a fixed one its `width`.
class UIBarButtonItem : public NSObject {
 public:
  static std::shared_ptr<UIBarButtonItem> create(std::optional<std::string> title, UIBarButtonItemStyle style,
                                                 std::weak_ptr<NSObject> target, Selector action);
  static std::shared_ptr<UIBarButtonItem> create(UIBarButtonSystemItem systemItem,
                                                 std::weak_ptr<NSObject> target = {}, Selector action = {});
  static std::shared_ptr<UIBarButtonItem> create(std::shared_ptr<UIView> customView);
  static std::shared_ptr<UIBarButtonItem> flexibleSpace() {
    return create(UIBarButtonSystemItem::flexibleSpace);
  }
  static std::shared_ptr<UIBarButtonItem> fixedSpace(CGFloat width);
  UIBarButtonItem() = default;

  const std::optional<std::string>& title() const { return title_; }
  void setTitle(std::optional<std::string> title);
  bool isEnabled() const { return enabled_; }
  void setEnabled(bool enabled);
  UIBarButtonItemStyle style = UIBarButtonItemStyle::plain;
  std::optional<UIBarButtonSystemItem> systemItem() const { return systemItem_; }
  std::weak_ptr<NSObject> target;
  Selector action;
  // A fixed space's width, or the width of a button (0: as wide as its title needs).
  CGFloat width = 0;
  const std::shared_ptr<UIView>& customView() const { return customView_; }

  bool isSpace() const;
  bool isFlexibleSpace() const { return systemItem_ == UIBarButtonSystemItem::flexibleSpace; }

  // The view a bar shows for this item: the custom view, or a button made once and kept up to date;
  // null for spaces.
  std::shared_ptr<UIView> barView();
  // Sends the action as a tap does; false when nobody took it.
  bool sendAction();

 private:
  void update();

  std::optional<std::string> title_;
  bool enabled_ = true;
  std::optional<UIBarButtonSystemItem> systemItem_;
  std::shared_ptr<UIView> customView_;
  std::shared_ptr<UIButton> button_;
};

}  // namespace ios
