#pragma once

#include <Class/BuyCard/BuyCardViewController.h>
#include <UIKit/UIViewController.h>

#include <memory>
#include <optional>
#include <string>

namespace kerbelin {

// A provider's page (scene "ShopServiceViewController" of the storyboard "MyCode"), opened by the
// router with the provider's id. Its content comes later; for now it shows its title and a line
// saying it is not built yet. It is the store list's delegate once it embeds the store as its cards
// page.
class ShopServiceViewController : public ios::UIViewController, public BuyCardViewControllerDelegate {
 public:
  static std::shared_ptr<ShopServiceViewController> create();

  // The page has no collapsing header and no embedded store yet, so a scroll step moves nothing.
  void scrollTableView(ios::CGFloat hieu) override;

  std::optional<std::string> providerId;  // set by the router before the page is shown
};

}  // namespace kerbelin
