#pragma once

#include <Foundation/Bundle.h>
#include <UIKit/UIViewController.h>
#include <Ultilities/Enums/Enums.h>

#include <memory>
#include <optional>
#include <string>

namespace kerbelin {

class DefServiceDtos;

// A service's detail: its prices, limits and expiry.
// Its content comes later; for now it shows its title and a line saying it is not built yet.
// The inputs are plain values the router sets before the screen is shown.
class DetailServiceViewController : public ios::UIViewController {
 public:
  // `init(nibName:bundle:)`; without a bundle the nib is found as NibBundle.h says.
  static std::shared_ptr<DetailServiceViewController> create(
      std::optional<std::string> nibName = std::nullopt, std::shared_ptr<ios::Bundle> bundle = nullptr);
  DetailServiceViewController(std::optional<std::string> nibName, std::shared_ptr<ios::Bundle> bundle);

  std::shared_ptr<DefServiceDtos> defServiceDtos;
  TypeDetailCard parentType = TypeDetailCard::UnPaid;  // the state of the card the service belongs to
  bool isDetailCard = false;                           // opened from a card detail
};

}  // namespace kerbelin
