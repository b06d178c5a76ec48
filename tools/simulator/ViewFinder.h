#pragma once

#include <CoreGraphics/CGGeometry.h>
#include <UIKit/UIView.h>
#include <UIKit/UIWindow.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kerbelin::sim {

// Looks for what a person would see in a window: views that are in the window, not hidden, not fully
// transparent (alpha below 0.01 anywhere up the chain) and with some part inside every clipping
// ancestor and the window. Matches come back to front, as the views are drawn; tab bar items count
// as targets of their own.
class ViewFinder {
 public:
  struct Target {
    std::shared_ptr<ios::UIView> view;
    // The part of the view (or of the tab bar item) that shows, in window coordinates.
    ios::CGRect visibleRect;
    // The label's, button's, text field's or text view's text, or the tab item's title.
    std::string text;
  };

  explicit ViewFinder(std::shared_ptr<ios::UIWindow> window) : window_(std::move(window)) {}

  // Every visible target that shows some text, back to front.
  std::vector<Target> visibleTexts() const;
  // The front-most visible target whose text is exactly `text`.
  std::optional<Target> frontmostWithText(const std::string& text) const;
  // Whether some visible target's text contains `text`.
  bool showsText(const std::string& text) const;
  // The front-most visible view whose accessibility identifier is `identifier`.
  std::optional<Target> frontmostWithIdentifier(const std::string& identifier) const;

  // The text a view shows itself (not its subviews'): empty for views without one.
  static std::string ownText(const ios::UIView& view);

 private:
  using Visitor = std::function<void(const std::shared_ptr<ios::UIView>&, const ios::CGRect& visible)>;
  void visit(const std::shared_ptr<ios::UIView>& view, const ios::CGRect& clip, const Visitor& visitor) const;
  void visitVisible(const Visitor& visitor) const;

  std::shared_ptr<ios::UIWindow> window_;
};

}  // namespace kerbelin::sim
