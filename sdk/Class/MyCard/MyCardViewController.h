#pragma once

#include <Class/MyCard/MyCardTableModel.h>
#include <Foundation/Dictionary.h>
#include <UIKit/UIButton.h>
#include <UIKit/UIRefreshControl.h>
#include <UIKit/UITableView.h>
#include <UIKit/UIViewController.h>
#include <Ultilities/Paging/PagedList.h>

#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace kerbelin {

class CardModel;

// My cards, the root of tab 1 (scene "MyCardViewController" of the storyboard "MyCard"): the cards
// the customer owns, ten a page, one table section per card. Pull-to-refresh and the notification
// "RefreshMyCardPage" reload from the first page; a drag that comes to rest near the end asks for the
// next. A first page without cards shows `viewNoMyCard`, whose button opens the store tab; a tap on
// any row of a card opens its detail.
//
// Only the newest first-page request counts: a refresh supersedes whatever is in flight, and replies
// of superseded requests are dropped. A failure, a reply without a body or one whose "resultCode" is
// present and not 0 keeps the list on screen; a failed next page is asked for again by the next drag.
class MyCardViewController : public ios::UIViewController,
                             public ios::UITableViewDataSource,
                             public ios::UITableViewDelegate {
 public:
  // A card and the kinds of its rows (MyCardTableModel).
  using Rows = MyCardRows;
  using Section = std::pair<std::shared_ptr<CardModel>, Rows>;

  static constexpr ios::CGFloat headerHeight = 0.01;
  static constexpr ios::CGFloat footerHeight = 12;
  // A drag that comes to rest with less content than this below the visible area loads a page.
  static constexpr ios::CGFloat nextPageDistance = 200;

  static std::shared_ptr<MyCardViewController> create();
  MyCardViewController();
  ~MyCardViewController() override;

  void viewDidLoad() override;
  // A later appearance with no card shown asks for the first page again.
  void viewDidAppear(bool animated) override;

  std::weak_ptr<ios::UITableView> tableView;
  std::weak_ptr<ios::UIView> viewNavi;
  std::weak_ptr<ios::UIButton> btnBuyCard;
  std::weak_ptr<ios::UIView> viewNoMyCard;
  std::vector<Section> dataMyCard;
  int pageNumber = 1;  // the last page asked for
  int pageSize = 10;
  bool loading = false;  // a page request is in flight
  std::shared_ptr<ios::UIRefreshControl> refresh;
  bool isFirstLoad = true;

  // The first page now, whatever is in flight.
  void refreshData();
  // Selects the store tab of the tab shell.
  void didShowBuyCard(const std::shared_ptr<ios::UIButton>& sender);
  // The first page (true) or the next one (false); nothing while a request is in flight.
  void loadData(bool isRefresh);

  // ---- Table
  int numberOfSections(ios::UITableView& tableView) override;
  int numberOfRowsInSection(ios::UITableView& tableView, int section) override;
  std::shared_ptr<ios::UITableViewCell> cellForRowAt(ios::UITableView& tableView,
                                                     const ios::IndexPath& indexPath) override;
  ios::CGFloat heightForRowAt(ios::UITableView& tableView, const ios::IndexPath& indexPath) override;
  std::shared_ptr<ios::UIView> viewForHeaderInSection(ios::UITableView& tableView, int section) override;
  ios::CGFloat heightForHeaderInSection(ios::UITableView& tableView, int section) override;
  std::shared_ptr<ios::UIView> viewForFooterInSection(ios::UITableView& tableView, int section) override;
  ios::CGFloat heightForFooterInSection(ios::UITableView& tableView, int section) override;
  void didSelectRowAt(ios::UITableView& tableView, const ios::IndexPath& indexPath) override;
  void scrollViewWillEndDragging(ios::UIScrollView& scrollView, ios::CGPoint velocity,
                                 ios::CGPoint& targetContentOffset) override;

  // The cell of row `indexPath.row` of a card whose rows are `service`, styled by its place in the
  // card and filled; a plain cell for a kind this list does not draw.
  std::shared_ptr<ios::UITableViewCell> createCellBy(ios::UITableView& tableView,
                                                     const std::shared_ptr<CardModel>& card, const Rows& service,
                                                     const ios::IndexPath& indexPath);

 private:
  void setUpTable(ios::UITableView& table);
  void send(const std::optional<PagedList::Page>& page);
  void apply(const PagedList::Page& page, ios::Dictionary reply);
  void notApplied(const PagedList::Page& page);
  void append(ios::Dictionary cards);
  void showEmptyState(bool empty);
  void reloadTable();

  PagedList paging_{pageNumber, loading, {.firstPage = 1}};
};

}  // namespace kerbelin
