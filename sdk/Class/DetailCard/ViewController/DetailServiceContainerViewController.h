#pragma once

#include <Foundation/Bundle.h>
#include <UIKit/UIViewController.h>
#include <Ultilities/Enums/Enums.h>

#include <memory>
#include <optional>
#include <string>

namespace kerbelin {

class DefServiceDtos;

// The two-page container of a service's information and its usage history.
// Its content comes later; for now it shows its title and a line saying it is not built yet.
// The inputs are plain values the router sets before the screen is shown.
class DetailServiceContainerViewController : public ios::UIViewController {
 public:
  // `init(nibName:bundle:)`; without a bundle the nib is found as NibBundle.h says.
  static std::shared_ptr<DetailServiceContainerViewController> create(
      std::optional<std::string> nibName = std::nullopt, std::shared_ptr<ios::Bundle> bundle = nullptr);
  DetailServiceContainerViewController(std::optional<std::string> nibName,
                                       std::shared_ptr<ios::Bundle> bundle);

  std::shared_ptr<DefServiceDtos> rootService;
  TypeDetailCard parentType = TypeDetailCard::UnPaid;
  bool isDetailCard = false;
};

}  // namespace kerbelin
