#pragma once

#include <UIKit/UITableView.h>
#include <UIKit/UIViewController.h>

#include <memory>

namespace kerbelin {

class PaymentModel;

// The content of the terms sheet: a one-row table showing the order's usage terms, as tall as they
// need. Its nib "TermPayViewController" connects the table's data source and delegate to it.
class TermPayViewController : public ios::UIViewController,
                              public ios::UITableViewDataSource,
                              public ios::UITableViewDelegate {
 public:
  static std::shared_ptr<TermPayViewController> create();
  TermPayViewController();

  void viewDidLoad() override;

  std::shared_ptr<ios::UIView> viewRadius;
  std::weak_ptr<ios::UIView> viewLine;
  std::weak_ptr<ios::UITableView> tableView;
  std::shared_ptr<PaymentModel> paymentModel;  // read only; none leaves the row as its nib has it

  int numberOfSections(ios::UITableView& tableView) override;
  int numberOfRowsInSection(ios::UITableView& tableView, int section) override;
  std::shared_ptr<ios::UITableViewCell> cellForRowAt(ios::UITableView& tableView,
                                                     const ios::IndexPath& indexPath) override;
  ios::CGFloat heightForRowAt(ios::UITableView& tableView, const ios::IndexPath& indexPath) override;
};

}  // namespace kerbelin
