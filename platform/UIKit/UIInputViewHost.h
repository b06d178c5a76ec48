#pragma once

#include <memory>

namespace ios {

class UIView;
class UIWindow;

// Puts a first responder's input view and input accessory view on screen where the keyboard would
// be: the input view along the bottom of the window (keeping its height, 216 points when it has
// none), the accessory right above it (or along the bottom without an input view), both as wide as
// the window and in front of everything. Hiding takes them out of the window again.
class UIInputViewHost {
 public:
  static constexpr double defaultInputHeight = 216;

  static void show(const std::shared_ptr<UIWindow>& window, const std::shared_ptr<UIView>& inputView,
                   const std::shared_ptr<UIView>& accessoryView);
  static void hide(const std::shared_ptr<UIView>& inputView, const std::shared_ptr<UIView>& accessoryView);
};

}  // namespace ios
