#include "ViewFinder.h"

#include <UIKit/UIButton.h>
#include <UIKit/UILabel.h>
#include <UIKit/UITabBar.h>
#include <UIKit/UITextField.h>
#include <UIKit/UITextView.h>

namespace kerbelin::sim {

using ios::CGRect;
using ios::UIView;

std::string ViewFinder::ownText(const UIView& view) {
  if (auto label = dynamic_cast<const ios::UILabel*>(&view)) return label->text().value_or("");
  if (auto button = dynamic_cast<const ios::UIButton*>(&view)) return button->currentTitle().value_or("");
  if (auto field = dynamic_cast<const ios::UITextField*>(&view)) return field->text().value_or("");
  if (auto textView = dynamic_cast<const ios::UITextView*>(&view)) return textView->text();
  return {};
}

void ViewFinder::visit(const std::shared_ptr<UIView>& view, const CGRect& clip,
                       const Visitor& visitor) const {
  if (view->isHidden() || view->alpha() < 0.01) return;
  const CGRect inWindow = view->convert(view->bounds(), nullptr);
  const CGRect visible = inWindow.intersection(clip);
  if (!visible.isEmpty()) visitor(view, visible);
  // Subviews may stick out of an unclipped view, so they are visited even when it shows nothing.
  const CGRect childClip = view->clipsToBounds() ? visible : clip;
  if (childClip.isEmpty()) return;
  const auto subviews = view->subviews();  // a copy: nothing may change the list under the walk
  for (const auto& subview : subviews) visit(subview, childClip, visitor);
}

void ViewFinder::visitVisible(const Visitor& visitor) const {
  if (!window_) return;
  visit(window_, window_->convert(window_->bounds(), nullptr), visitor);
}

std::vector<ViewFinder::Target> ViewFinder::visibleTexts() const {
  std::vector<Target> targets;
  visitVisible([&](const std::shared_ptr<UIView>& view, const CGRect& visible) {
    if (auto bar = std::dynamic_pointer_cast<ios::UITabBar>(view)) {
      for (std::size_t i = 0; i < bar->items().size(); ++i) {
        const CGRect slot = bar->convert(bar->itemRect(i), nullptr).intersection(visible);
        if (!slot.isEmpty() && !bar->items()[i]->title.empty())
          targets.push_back({view, slot, bar->items()[i]->title});
      }
      return;
    }
    std::string text = ownText(*view);
    if (!text.empty()) targets.push_back({view, visible, std::move(text)});
  });
  return targets;
}

std::optional<ViewFinder::Target> ViewFinder::frontmostWithText(const std::string& text) const {
  std::optional<Target> found;
  for (auto& target : visibleTexts())
    if (target.text == text) found = std::move(target);
  return found;
}

bool ViewFinder::showsText(const std::string& text) const {
  for (const auto& target : visibleTexts())
    if (target.text.find(text) != std::string::npos) return true;
  return false;
}

std::optional<ViewFinder::Target> ViewFinder::frontmostWithIdentifier(const std::string& identifier) const {
  std::optional<Target> found;
  visitVisible([&](const std::shared_ptr<UIView>& view, const CGRect& visible) {
    if (view->accessibilityIdentifier == identifier) found = Target{view, visible, ownText(*view)};
  });
  return found;
}

}  // namespace kerbelin::sim
