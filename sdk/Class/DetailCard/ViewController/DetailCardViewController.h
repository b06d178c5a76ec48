#pragma once

#include <Foundation/Bundle.h>
#include <UIKit/UIViewController.h>
#include <Ultilities/Enums/Enums.h>

#include <memory>
#include <optional>
#include <string>

namespace kerbelin {

class BaseModel;

// The card-detail screen: one card for sale or owned, opened from the list named by `typeController`.
// Its content comes later; for now it shows its title and a line saying it is not built yet.
// The inputs are plain values the router sets before the screen is shown.
class DetailCardViewController : public ios::UIViewController {
 public:
  // `init(nibName:bundle:)`; without a bundle the nib is found as NibBundle.h says.
  static std::shared_ptr<DetailCardViewController> create(std::optional<std::string> nibName = std::nullopt,
                                                          std::shared_ptr<ios::Bundle> bundle = nullptr);
  DetailCardViewController(std::optional<std::string> nibName, std::shared_ptr<ios::Bundle> bundle);

  std::optional<TypeController> typeController;  // the list that opened the screen
  std::shared_ptr<BaseModel> baseModel;          // the card (a CardModel), shared with the caller
};

}  // namespace kerbelin
