#pragma once

#include <Class/MyCode/Cell/MyCodeListCardTableViewCell.h>
#include <Class/MyCode/Cell/MyCodeMyQRTableViewCell.h>
#include <Foundation/Dictionary.h>
#include <UIKit/UIRefreshControl.h>
#include <UIKit/UITableView.h>
#include <UIKit/UIViewController.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace kerbelin {

class CardModel;
class MyCodeQRCodeModel;

// The "Mã của tôi" tab (scene "MyCodeViewController" of the storyboard "MyCode"), one table of four
// sections: the user's own QR code, counted down and renewed; the strip of paid cards; the accounts of
// the root service of the card the strip shows; that card's services under a title row.
//
// Requests: at most one QR renewal at a time, and a token that draws nothing is a failure. Only the
// detail of the card asked for last counts. New data reaches the QR row and the strip once per reply
// (the flags), so reloads for other replies restart neither the countdown nor the strip.
class MyCodeViewController : public ios::UIViewController,
                             public ios::UITableViewDataSource,
                             public ios::UITableViewDelegate,
                             public MyCodeMyQRTableViewCellDelegate,
                             public MyCodeListCardTableViewCellDelegate {
 public:
  enum Section { qrSection = 0, cardsSection = 1, accountsSection = 2, servicesSection = 3 };

  static std::shared_ptr<MyCodeViewController> create();
  MyCodeViewController();

  std::weak_ptr<ios::UIView> viewBackGroudHeader;
  std::weak_ptr<ios::UITableView> tableView;
  std::shared_ptr<MyCodeQRCodeModel> objGenQRCode;
  std::vector<std::shared_ptr<CardModel>> arrayCard;
  std::shared_ptr<CardModel> objDetailCard;
  bool isCheckReloadListCard = false;
  bool isCheckReloadQRcode = false;
  const std::shared_ptr<ios::UIRefreshControl> refreshControl;

  void viewDidLoad() override;

  // Pull to refresh: a new token and a new card list; the spinner stops at once.
  void refreshHande(const std::shared_ptr<ios::NSObject>& sender = nullptr);
  void getListCard();
  void generateQR();
  void getDetailMyCard(const std::string& cardNo, const std::string& phone);

  void genQRcode() override;
  void loadDetailCard(const std::shared_ptr<CardModel>& objCard) override;

  int numberOfSections(ios::UITableView& tableView) override;
  int numberOfRowsInSection(ios::UITableView& tableView, int section) override;
  std::shared_ptr<ios::UITableViewCell> cellForRowAt(ios::UITableView& tableView,
                                                     const ios::IndexPath& indexPath) override;
  ios::CGFloat heightForRowAt(ios::UITableView& tableView, const ios::IndexPath& indexPath) override;
  void didSelectRowAt(ios::UITableView& tableView, const ios::IndexPath& indexPath) override;

 private:
  void applyCards(ios::Dictionary reply);
  void applyQR(ios::Dictionary reply);
  void applyDetail(std::uint64_t request, ios::Dictionary reply);
  std::shared_ptr<ios::UITableViewCell> accountRow(ios::UITableView& tableView, const ios::IndexPath& indexPath);
  std::shared_ptr<ios::UITableViewCell> serviceRow(ios::UITableView& tableView, const ios::IndexPath& indexPath);
  void reloadTable();

  bool qrInFlight_ = false;
  std::uint64_t detailRequests_ = 0;  // the newest detail request; only its reply counts
};

}  // namespace kerbelin
