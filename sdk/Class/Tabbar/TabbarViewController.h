#pragma once

#include <Foundation/Bundle.h>
#include <UIKit/UITabBarController.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kerbelin {

class ViewAlertNoInternet;

// The four-tab frame of the framework run as a whole application: 0 "Mua Thẻ" (store), 1 "Thẻ của
// tôi" (my cards), 2 "Mã của tôi" (my codes), 3 "Quét mã" (scanner), each in a navigation controller
// with a hidden bar. When its view loads it builds the tabs, styles them and asks the server for the
// user's paid cards; a card with status "A" or "O" switches it to tab 1.
//
// One shell serves the process (`sharedInstance`); the network monitor shows and hides its
// no-internet banner. Main thread only.
class TabbarViewController : public ios::UITabBarController {
 public:
  // The process-wide shell, made on first use and never released; reading it does not load its
  // view. A shell made any other way is not the shared one.
  static std::shared_ptr<TabbarViewController> sharedInstance();
  static std::shared_ptr<TabbarViewController> create();
  // Loads the banner from the nib "ViewAlertNoInternet" of the main bundle (a bare banner when the
  // host ships no such nib).
  explicit TabbarViewController(std::optional<std::string> nibName = std::nullopt,
                                std::shared_ptr<ios::Bundle> bundle = nullptr);

  void viewDidLoad() override;

  // Builds the four tabs, sets the process-wide tab bar appearance, then `configTabbar()`.
  void initTabbar();
  // The start-up request for the user's paid cards (no loading indicator, no error path).
  void getMyCardData();
  // Gives each tab its images (untinted, from the main bundle) and every tab item its title style.
  void configTabbar();

  const std::vector<std::string>& arrayOfImageNameForUnselectedState() const;
  const std::vector<std::string>& arrayOfImageNameForSelectedState() const;

  bool isSelectTabMyCard = false;  // set once a paid card has switched the shell to tab 1
  std::shared_ptr<ViewAlertNoInternet> viewNoInternet;
};

}  // namespace kerbelin
