#pragma once

#include <Class/Pay/PaymentTableModel.h>
#include <Foundation/Dictionary.h>
#include <UIKit/UITableView.h>
#include <UIKit/UIViewController.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kerbelin {

class PaymentModel;
class TermPayTableViewCell;

// The order screen of a card purchase. When it loads it asks the server to create the bill for the
// card `defCardCode` and the fixed customer ("/initialization-bill/req"), keeps the order, and shows
// it as sections: provider, customer, order, payment method (cash) and the terms to accept. The
// terms link opens the terms sheet over the screen.
//
// Pay goes on to the waiting-for-payment screen only while the terms are accepted and the order has
// been created (number, card number and amount); otherwise it stays and says why in a toast: the
// terms, or the bill request's failure (its message, the server's refusal text, or "Đơn hàng chưa
// được tạo." while there is none). The bill request is sent once, at load, so the screen makes one
// order at most; a reply that arrives after the screen is gone is dropped. Main thread only.
class PaymentViewController : public ios::UIViewController,
                              public ios::UITableViewDataSource,
                              public ios::UITableViewDelegate {
 public:
  static constexpr ios::CGFloat headerHeight = 50;
  // Sections without a header or footer view still answer a small height, never 0.
  static constexpr ios::CGFloat noViewHeight = 0.01;
  static constexpr char termsRequiredMessage[] = "Bạn cần chấp nhận điều khoản dịch vụ";
  static constexpr char orderMissingMessage[] = "Đơn hàng chưa được tạo.";

  // Loads the nib "PaymentViewController" of the framework's bundle (or the host's, when it ships one).
  static std::shared_ptr<PaymentViewController> create();
  PaymentViewController();

  void viewDidLoad() override;

  std::weak_ptr<ios::UITableView> table;
  std::weak_ptr<ios::UIView> viewCancel;
  std::weak_ptr<ios::UIView> viewPayment;
  std::optional<std::string> defCardCode;  // set by the router before the screen loads
  std::vector<PaymentSection> dataPayment;
  std::shared_ptr<PaymentModel> paymentModel;  // the created order, none until the reply
  bool checkTerm = true;                       // written by the terms row

  void initTable();
  // Sends the bill request: "customerName", "defCardCode" ("" when none), "mobilePhone".
  void getData();
  // Appends the order's sections to `dataPayment` and reloads the table.
  void sortData(const std::shared_ptr<PaymentModel>& paymentModel);
  void didSelectPayment();
  // Both go back to the screen below, animated.
  void didSelectCancel();
  void didSelectBack();

  // The height of a row of `kind` (0 for a row without a usable kind) and a section's title.
  static ios::CGFloat rowHeight(std::optional<TypeSubPaymentCell> kind);
  static std::string headerTitle(TypePaymentCell kind);

  // ---- Table
  int numberOfSections(ios::UITableView& tableView) override;
  int numberOfRowsInSection(ios::UITableView& tableView, int section) override;
  std::shared_ptr<ios::UITableViewCell> cellForRowAt(ios::UITableView& tableView,
                                                     const ios::IndexPath& indexPath) override;
  ios::CGFloat heightForRowAt(ios::UITableView& tableView, const ios::IndexPath& indexPath) override;
  std::shared_ptr<ios::UIView> viewForHeaderInSection(ios::UITableView& tableView, int section) override;
  ios::CGFloat heightForHeaderInSection(ios::UITableView& tableView, int section) override;
  ios::CGFloat heightForFooterInSection(ios::UITableView& tableView, int section) override;

 private:
  void applyBill(ios::Dictionary reply);
  bool orderCreated() const;
  const PaymentRow* rowAt(const ios::IndexPath& indexPath) const;
  std::shared_ptr<ios::UITableViewCell> cellFor(ios::UITableView& tableView, const PaymentRow& row,
                                                TypeSubPaymentCell kind, const ios::IndexPath& indexPath);
  void fillTerms(TermPayTableViewCell& cell);
  // Opens the terms sheet on a later turn of the main queue, unless something is presented already.
  static void presentTerms(const std::weak_ptr<PaymentViewController>& screen);

  // Why the order is missing, once the bill request has told: its failure message or the server's
  // refusal text.
  std::optional<std::string> billFailure_;
};

}  // namespace kerbelin
