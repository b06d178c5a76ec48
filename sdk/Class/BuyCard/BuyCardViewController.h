#pragma once

#include <Class/BuyCard/CustomCell/BuyCardFilterTableViewCell.h>
#include <Class/BuyCard/CustomCell/ViewCategoryBuyCard.h>
#include <Foundation/Dictionary.h>
#include <UIKit/NSLayoutConstraint.h>
#include <UIKit/UIRefreshControl.h>
#include <UIKit/UITableView.h>
#include <UIKit/UIViewController.h>
#include <Ultilities/Common/HeaderScrollReport.h>
#include <Ultilities/Paging/PagedList.h>
#include <Ultilities/lib/WSLoadingView.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace kerbelin {

class BuyCardCategory;
class CardInfoType;
class CardModel;

using BuyCardViewControllerDelegate = HeaderScrollDelegate;

// The card store: one category's cards for sale, in the chosen order, fetched five at a time. The
// host gets it from the entry point; a provider's page embeds it with `isCheckHiddenViewHeader`,
// `delegate` and `providerId` set before its view loads.
//
// Card requests follow PagedList: only the newest first-page request counts. A sort pick, a category
// pick and the category reply of a pull-to-refresh each send a new first page, which supersedes
// whatever card request is in flight; a superseded reply only takes away the overlay it showed. A pick
// that sends nothing (a category without `id`) supersedes nothing. A reply without a body, or with a
// non-zero `resultCode`, is a failure: the list stays.
class BuyCardViewController : public ios::UIViewController,
                              public ios::UITableViewDataSource,
                              public ios::UITableViewDelegate,
                              public ViewCategoryBuyCardDelegate,
                              public BuyCardFilterTableViewCellDelegate {
 public:
  // One table section: the card (none for the leading sort-row section) and the kinds of its rows.
  using Section = std::pair<std::shared_ptr<CardModel>, std::vector<std::shared_ptr<CardInfoType>>>;

  static constexpr ios::CGFloat categoryHeaderHeight = 85;
  static constexpr ios::CGFloat cardHeaderHeight = 0.01;
  static constexpr ios::CGFloat footerHeight = 12;
  // A drag that comes to rest with less content than this below the visible area loads a page.
  static constexpr ios::CGFloat nextPageDistance = 200;
  static constexpr std::size_t shownPromotions = 4;

  static std::shared_ptr<BuyCardViewController> create();
  BuyCardViewController();

  void viewDidLoad() override;

  std::vector<Section> dataBuyCard;
  std::weak_ptr<ios::UIView> viewHeader;
  std::weak_ptr<ios::NSLayoutConstraint> heightViewHeader;
  std::weak_ptr<ios::UITableView> tableView;
  // Held weakly: the embedding page owns this screen.
  std::weak_ptr<BuyCardViewControllerDelegate> delegate;
  ios::CGFloat oldContentOffsetY = 0;
  bool isUpdateContentOfset = true;
  bool isCheckHiddenViewHeader = false;
  FilterType currentFilter = FilterType::Newest;
  std::vector<std::shared_ptr<BuyCardCategory>> listCategory;
  std::shared_ptr<BuyCardCategory> currentCategory;
  std::shared_ptr<ViewCategoryBuyCard> viewCateHeader;
  int pageNumber = 1;
  int pageSize = 5;
  bool loading = false;
  std::optional<std::string> providerId;
  std::shared_ptr<ios::UIRefreshControl> refresh;

  // Pull-to-refresh: back to the first category in the default order.
  void refreshData();
  // Asks for the categories; their reply selects the first one and loads its first page.
  void getCategory();
  // Asks for the first page (true) or the next page (false) of the current category.
  void loadData(bool isRefresh);

  void selectCate(const std::shared_ptr<BuyCardCategory>& cate) override;
  void selectFilter(FilterType filer) override;

  // The rows of one card: cover, info, then every promotion when there are at most four, otherwise
  // the first four and one row counting the rest.
  static std::vector<std::shared_ptr<CardInfoType>> rowsFor(const CardModel& card);

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
  void scrollViewWillBeginDragging(ios::UIScrollView& scrollView) override;
  void scrollViewDidScroll(ios::UIScrollView& scrollView) override;
  void scrollViewWillEndDragging(ios::UIScrollView& scrollView, ios::CGPoint velocity,
                                 ios::CGPoint& targetContentOffset) override;

  // The cell of one card row, by the kind `service[indexPath.row]`.
  std::shared_ptr<ios::UITableViewCell> createCellBy(
      const std::shared_ptr<CardModel>& card, const std::vector<std::shared_ptr<CardInfoType>>& service,
      const ios::IndexPath& indexPath);

 private:
  // One card request: its page and the overlay it showed (none on a provider's page or a next page).
  struct CardRequest {
    PagedList::Page page;
    WSLoadingView::Token overlay;
  };
  using Cards = std::vector<std::shared_ptr<CardModel>>;

  bool isSortSection(int section) const;
  ios::Dictionary cardParams() const;
  void sendCardRequest(const CardRequest& request);
  // Ends a card request; `cards` is none for a failure or an unusable reply.
  void cardRequestEnded(const CardRequest& request, const std::optional<Cards>& cards);
  void showCards(bool replace, const Cards& cards);
  void applyCategories(ios::Dictionary reply, std::uint64_t generation);
  // A category outcome that sends no card request.
  void categoriesNotApplied();
  void reloadTable();
  // Sets `currentFilter` and redraws the sort row on screen with it.
  void showFilter(FilterType filter);

  PagedList paging_{pageNumber, loading, {.firstPage = 1}};
  std::uint64_t categoryGeneration_ = 0;
  // What the list was loaded with before a pull-to-refresh cleared it, put back when the category
  // request does not succeed, so the list, its sort row and its next page keep one order.
  struct Selection {
    std::shared_ptr<BuyCardCategory> category;
    FilterType filter;
  };
  std::optional<Selection> beforeRefresh_;
};

}  // namespace kerbelin
