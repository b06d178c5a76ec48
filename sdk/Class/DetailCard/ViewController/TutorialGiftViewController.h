#pragma once

#include <Foundation/Bundle.h>
#include <UIKit/UITextView.h>
#include <UIKit/UIViewController.h>

#include <memory>
#include <optional>
#include <string>

namespace kerbelin {

// A card's gift text, presented modally over the card detail. `text` (server HTML) is shown once,
// when the view loads; the close button dismisses the screen.
class TutorialGiftViewController : public ios::UIViewController {
 public:
  // `init(nibName:bundle:)`; without a bundle the nib is found as NibBundle.h says.
  static std::shared_ptr<TutorialGiftViewController> create(std::optional<std::string> nibName = std::nullopt,
                                                            std::shared_ptr<ios::Bundle> bundle = nullptr);
  TutorialGiftViewController(std::optional<std::string> nibName, std::shared_ptr<ios::Bundle> bundle);

  void viewDidLoad() override;

  std::weak_ptr<ios::UITextView> textView;
  std::string text;  // the gift text, as HTML

  // Dismisses the screen, animated.
  void backButtonClicked(const std::shared_ptr<ios::NSObject>& sender);
};

}  // namespace kerbelin
