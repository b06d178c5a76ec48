#pragma once

#include <UIKit/UIViewController.h>

#include <memory>

namespace kerbelin {

class AccountEntryDtos;
class HistoryModel;

// One usage-history entry in detail.
// Its content comes later; for now it shows its title and a line saying it is not built yet.
// The inputs are plain values the router sets before the screen is shown.
class HistoryServiceSearchDetailViewController : public ios::UIViewController {
 public:
  static std::shared_ptr<HistoryServiceSearchDetailViewController> create();

  void loadView() override;

  std::shared_ptr<AccountEntryDtos> accountEntryDtos;
  std::shared_ptr<HistoryModel> historyModel;
};

}  // namespace kerbelin
