#pragma once

#include <Foundation/Bundle.h>
#include <UIKit/UIViewController.h>

#include <memory>
#include <optional>
#include <string>

namespace kerbelin {

// The gift guide, presented modally over the card detail.
// Its content comes later; for now it shows its title and a line saying it is not built yet.
// The inputs are plain values the router sets before the screen is shown.
class TutorialGiftViewController : public ios::UIViewController {
 public:
  // `init(nibName:bundle:)`; without a bundle the nib is found as NibBundle.h says.
  static std::shared_ptr<TutorialGiftViewController> create(std::optional<std::string> nibName = std::nullopt,
                                                            std::shared_ptr<ios::Bundle> bundle = nullptr);
  TutorialGiftViewController(std::optional<std::string> nibName, std::shared_ptr<ios::Bundle> bundle);

  std::string text;  // the guide's text
};

}  // namespace kerbelin
