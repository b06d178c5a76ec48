#include <Class/BuyCard/BuyCardViewController.h>

#include <Class/BuyCard/CustomCell/CardCoverTableViewCell.h>
#include <Class/BuyCard/CustomCell/CardInfoTableViewCell.h>
#include <Class/BuyCard/CustomCell/DefaultIconAndLabelTableViewCell.h>
#include <Class/BuyCard/CustomCell/OtherPromoServiceCardTableViewCell.h>
#include <Class/BuyCard/Model/BuyCardCategory.h>
#include <Class/BuyCard/Model/CardInfoType.h>
#include <Class/BuyCard/Model/CardModel.h>
#include <Class/BuyCard/Model/CardPromotion.h>
#include <Foundation/ClassRegistry.h>
#include <ObjectMapper/Mapper.h>
#include <Service/BuyCardService.h>
#include <Service/ReplyDecoding.h>
#include <UIKit/Nib/UINib.h>
#include <Ultilities/Common/Common.h>
#include <Ultilities/Common/HeaderScrollReport.h>
#include <Ultilities/Constants/Color.h>
#include <Ultilities/Constants/Constants.h>
#include <Ultilities/Extensions/UIViewStyleExtension.h>
#include <Ultilities/Handle/HandlePush.h>
#include <Ultilities/Handle/NibBundle.h>

#include <algorithm>

namespace kerbelin {

namespace {
using Screen = BuyCardViewController;
const auto registration = ios::ClassRegistration<Screen, ios::UIViewController>()
                              .property("viewHeader", &Screen::viewHeader)
                              .property("heightViewHeader", &Screen::heightViewHeader)
                              .property("tableView", &Screen::tableView)
                              .property("isCheckHiddenViewHeader", &Screen::isCheckHiddenViewHeader)
                              .property("isUpdateContentOfset", &Screen::isUpdateContentOfset)
                              .property("providerId", &Screen::providerId)
                              .method("refreshData", &Screen::refreshData);

// The array under `key`, taken out of `body`, or an empty array when it is missing.
ios::Dictionary listIn(ios::Dictionary& body, const char* key) {
  auto found = body.find(key);
  return found == body.end() ? ios::Dictionary::array() : std::move(*found);
}

// The cards of a card-search reply; none when the reply has no body or its `resultCode` is present
// and not 0 (an error reply must not empty the list).
std::optional<std::vector<std::shared_ptr<CardModel>>> cardsIn(ios::Dictionary reply) {
  auto body = bodyUnlessResultCodePresentAndNonZero(std::move(reply));
  if (!body) return std::nullopt;
  return ios::mapArray<CardModel>(listIn(*body, "defCardDtos"));
}

std::shared_ptr<CardInfoType> rowOfKind(TypeInfoCard kind) {
  auto row = CardInfoType::create();
  row->type = kind;
  return row;
}

// The rounded end of a card: the last row gets corner radius 5, a 3-point gap and the shadow.
void stylePosition(ios::UIView* main, ios::NSLayoutConstraint* bottomMain, ios::UIView* shadow, bool isLast) {
  const ios::CGFloat radius = isLast ? 5 : 0;
  if (main) setCornerRadius(*main, radius);
  if (bottomMain) bottomMain->setConstant(isLast ? 3 : 0);
  if (shadow) Common::SetShadowAndcornerRadiusView(*shadow, radius);
}
}  // namespace

std::shared_ptr<BuyCardViewController> BuyCardViewController::create() {
  return std::make_shared<BuyCardViewController>();
}

BuyCardViewController::BuyCardViewController()
    : viewCateHeader(instanceFromNib<ViewCategoryBuyCard>()), refresh(ios::UIRefreshControl::create()) {
  if (!viewCateHeader) viewCateHeader = ViewCategoryBuyCard::create();
}

void BuyCardViewController::viewDidLoad() {
  UIViewController::viewDidLoad();
  auto self = sharedAs<BuyCardViewController>();
  view()->setBackgroundColor(Color::Background_Color());
  if (auto table = tableView.lock()) {
    table->setDelegate(std::static_pointer_cast<ios::UITableViewDelegate>(self));
    table->setDataSource(std::static_pointer_cast<ios::UITableViewDataSource>(self));
    table->setBackgroundColor(ios::UIColor::clear());
    table->separatorStyle = ios::UITableViewCellSeparatorStyle::none;
    for (const char* identifier :
         {BuyCardFilterTableViewCell::identifier, CardCoverTableViewCell::identifier,
          CardInfoTableViewCell::identifier, OtherPromoServiceCardTableViewCell::identifier,
          DefaultIconAndLabelTableViewCell::identifier}) {
      table->registerNib(ios::UINib::create(identifier, frameworkBundle()), identifier);
    }
  }
  viewCateHeader->delegate = std::static_pointer_cast<ViewCategoryBuyCardDelegate>(self);
  refresh->addTarget(std::weak_ptr<ios::NSObject>(self), "refreshData", ios::UIControl::valueChanged);
  refresh->setTransform(ios::CGAffineTransform::scale(0.7, 0.7));
  if (auto table = tableView.lock()) table->addSubview(refresh);
  getCategory();
  if (isCheckHiddenViewHeader) {
    if (auto header = viewHeader.lock()) header->setHidden(true);
    if (auto height = heightViewHeader.lock()) height->setConstant(0);
  }
}

// ---- Requests

void BuyCardViewController::refreshData() {
  if (currentCategory) beforeRefresh_ = Selection{currentCategory, currentFilter};
  currentCategory = nullptr;
  showFilter(FilterType::Newest);
  getCategory();
}

void BuyCardViewController::getCategory() {
  const std::uint64_t generation = ++categoryGeneration_;
  auto self = sharedAs<BuyCardViewController>();
  const ios::Dictionary params = {{"providerId", ""}, {"type", "PKG"}};
  BuyCardService::create()->getListCategoryBuyCard(
      params, [self, generation](ios::Dictionary&& reply) { self->applyCategories(std::move(reply), generation); },
      [self, generation](const std::string&) {
        if (generation == self->categoryGeneration_) self->categoriesNotApplied();
      });
}

void BuyCardViewController::applyCategories(ios::Dictionary reply, std::uint64_t generation) {
  if (generation != categoryGeneration_) return;
  listCategory.clear();
  auto body = bodyIgnoringResultCode(std::move(reply));
  if (!body) {
    categoriesNotApplied();
    return;
  }
  listCategory = ios::mapArray<BuyCardCategory>(listIn(*body, "lstCate"));
  std::stable_sort(listCategory.begin(), listCategory.end(),
                   [](const auto& a, const auto& b) { return a->orderNo < b->orderNo; });
  beforeRefresh_.reset();
  if (listCategory.empty()) {
    refresh->endRefreshing();
    return;
  }
  currentCategory = listCategory.front();
  viewCateHeader->listCate = listCategory;
  viewCateHeader->currentCate = currentCategory;
  if (auto collection = viewCateHeader->collectionView.lock()) collection->reloadData();
  if (currentCategory->id) {
    loadData(true);
  } else {
    refresh->endRefreshing();  // a category without `id` cannot be loaded
  }
}

void BuyCardViewController::categoriesNotApplied() {
  // No card request follows, so nothing else would stop the spinner; the list keeps its selection.
  if (!currentCategory && beforeRefresh_) {
    currentCategory = beforeRefresh_->category;
    showFilter(beforeRefresh_->filter);
  }
  beforeRefresh_.reset();
  refresh->endRefreshing();
}

void BuyCardViewController::loadData(bool isRefresh) {
  if (!currentCategory || !currentCategory->id) return;
  auto page = isRefresh ? paging_.reload() : paging_.next();
  if (!page) return;
  CardRequest request{*page, {}};
  if (page->isFirstPage && !providerId) request.overlay = WSLoadingView::showWithMask();
  sendCardRequest(request);
}

ios::Dictionary BuyCardViewController::cardParams() const {
  ios::Dictionary params = {{"categoryId", *currentCategory->id},
                            {"keywordQuery", ""},
                            {"mobilePhone", phoneUser},
                            {"pageIndex", pageNumber},
                            {"pageSize", pageSize},
                            {"sort", std::string(sortCode(currentFilter))}};
  if (providerId) params["providerId"] = *providerId;
  return params;
}

void BuyCardViewController::sendCardRequest(const CardRequest& request) {
  auto weak = weakAs<BuyCardViewController>();
  BuyCardService::create()->getListBuyCard(
      cardParams(),
      [weak, request](ios::Dictionary&& reply) {
        if (auto self = weak.lock()) {
          self->cardRequestEnded(request, cardsIn(std::move(reply)));
        } else {
          WSLoadingView::hideWithAnimation(request.overlay);
        }
      },
      [weak, request](const std::string&) {
        if (auto self = weak.lock()) {
          self->cardRequestEnded(request, std::nullopt);
        } else {
          WSLoadingView::hideWithAnimation(request.overlay);
        }
      });
}

void BuyCardViewController::cardRequestEnded(const CardRequest& request, const std::optional<Cards>& cards) {
  WSLoadingView::hideWithAnimation(request.overlay);
  if (!paging_.settle(request.page, cards ? std::optional(cards->size()) : std::nullopt)) return;
  refresh->endRefreshing();
  if (cards) showCards(request.page.isFirstPage, *cards);
}

void BuyCardViewController::showCards(bool replace, const Cards& cards) {
  if (replace) {
    dataBuyCard.clear();
    dataBuyCard.emplace_back(nullptr, std::vector<std::shared_ptr<CardInfoType>>{CardInfoType::create()});
  }
  for (const auto& card : cards) dataBuyCard.emplace_back(card, rowsFor(*card));
  reloadTable();
}

void BuyCardViewController::selectCate(const std::shared_ptr<BuyCardCategory>& cate) {
  currentCategory = cate;
  loadData(true);
}

void BuyCardViewController::selectFilter(FilterType filer) {
  currentFilter = filer;
  loadData(true);
}

std::vector<std::shared_ptr<CardInfoType>> BuyCardViewController::rowsFor(const CardModel& card) {
  std::vector<std::shared_ptr<CardInfoType>> rows{rowOfKind(TypeInfoCard::Cover),
                                                  rowOfKind(TypeInfoCard::Info)};
  const auto& promotions = card.promotionDtos;
  const bool counted = promotions.size() > shownPromotions;
  const std::size_t shown = counted ? shownPromotions : promotions.size();
  for (std::size_t i = 0; i < shown; ++i) {
    if (promotions[i]) rows.push_back(promotions[i]);
  }
  if (counted) rows.push_back(rowOfKind(TypeInfoCard::OtherPromotion));
  return rows;
}

void BuyCardViewController::reloadTable() {
  if (auto table = tableView.lock()) table->reloadData();
}

void BuyCardViewController::showFilter(FilterType filter) {
  currentFilter = filter;
  auto table = tableView.lock();
  auto row =
      table ? std::dynamic_pointer_cast<BuyCardFilterTableViewCell>(table->cellForRow({0, 0})) : nullptr;
  if (row) row->updateFilter(filter);
}

// ---- Table

bool BuyCardViewController::isSortSection(int section) const {
  return section >= 0 && static_cast<std::size_t>(section) < dataBuyCard.size() &&
         !dataBuyCard[section].first;
}

int BuyCardViewController::numberOfSections(ios::UITableView&) {
  return static_cast<int>(dataBuyCard.size());
}

int BuyCardViewController::numberOfRowsInSection(ios::UITableView&, int section) {
  if (section < 0 || static_cast<std::size_t>(section) >= dataBuyCard.size()) return 0;
  if (isSortSection(section)) return 1;
  return static_cast<int>(dataBuyCard[section].second.size());
}

std::shared_ptr<ios::UITableViewCell> BuyCardViewController::cellForRowAt(ios::UITableView& tableView,
                                                                          const ios::IndexPath& indexPath) {
  if (!isSortSection(indexPath.section)) {
    const auto& [card, rows] = dataBuyCard.at(indexPath.section);
    return createCellBy(card, rows, indexPath);
  }
  auto cell = tableView.dequeueReusableCell<BuyCardFilterTableViewCell>(
      BuyCardFilterTableViewCell::identifier, indexPath);
  cell->selectionStyle = ios::UITableViewCellSelectionStyle::none;
  cell->delegate = sharedAs<BuyCardViewController>();
  cell->updateFilter(currentFilter);
  return cell;
}

std::shared_ptr<ios::UITableViewCell> BuyCardViewController::createCellBy(
    const std::shared_ptr<CardModel>& card, const std::vector<std::shared_ptr<CardInfoType>>& service,
    const ios::IndexPath& indexPath) {
  auto table = tableView.lock();
  const auto row = static_cast<std::size_t>(indexPath.row);
  if (!table || !card || row >= service.size() || !service[row]) return ios::UITableViewCell::create();
  const bool isLast = row + 1 == service.size();
  const char* identifier = nullptr;
  switch (service[row]->type) {
    case TypeInfoCard::Cover:
      identifier = CardCoverTableViewCell::identifier;
      break;
    case TypeInfoCard::Info:
      identifier = CardInfoTableViewCell::identifier;
      break;
    case TypeInfoCard::Promotion:
      identifier = DefaultIconAndLabelTableViewCell::identifier;
      break;
    case TypeInfoCard::OtherPromotion:
      identifier = OtherPromoServiceCardTableViewCell::identifier;
      break;
    case TypeInfoCard::Service:
      return ios::UITableViewCell::create();
  }
  auto dequeued = table->dequeueReusableCell(identifier, indexPath);
  dequeued->selectionStyle = ios::UITableViewCellSelectionStyle::none;
  if (auto cover = std::dynamic_pointer_cast<CardCoverTableViewCell>(dequeued)) {
    cover->fill(*card, sharedAs<ios::UIViewController>());
    return cover;
  }
  if (auto info = std::dynamic_pointer_cast<CardInfoTableViewCell>(dequeued)) {
    stylePosition(info->viewMain.lock().get(), info->cstBottomMain.lock().get(),
                  info->viewShadow.lock().get(), isLast);
    info->setCardModel(card);
    return info;
  }
  if (auto promotion = std::dynamic_pointer_cast<DefaultIconAndLabelTableViewCell>(dequeued)) {
    stylePosition(promotion->viewMain.lock().get(), promotion->cstBottomMain.lock().get(),
                  promotion->viewShadow.lock().get(), isLast);
    if (auto bottom = promotion->cstBottom.lock()) bottom->setConstant(isLast ? 15 : 5);
    if (auto item = std::dynamic_pointer_cast<CardPromotion>(service[row]))
      promotion->configWithPromotion(*item);
    return promotion;
  }
  if (auto counting = std::dynamic_pointer_cast<OtherPromoServiceCardTableViewCell>(dequeued)) {
    stylePosition(counting->viewMain.lock().get(), counting->cstBottomMain.lock().get(),
                  counting->viewShadow.lock().get(), isLast);
    if (auto label = counting->lbPromotion.lock()) {
      label->setText(OtherPromoServiceCardTableViewCell::countingText(card->promotionDtos.size()));
    }
    return counting;
  }
  return ios::UITableViewCell::create();
}

ios::CGFloat BuyCardViewController::heightForRowAt(ios::UITableView&, const ios::IndexPath&) {
  return ios::UITableViewAutomaticDimension;
}

std::shared_ptr<ios::UIView> BuyCardViewController::viewForHeaderInSection(ios::UITableView&, int section) {
  return isSortSection(section) ? std::static_pointer_cast<ios::UIView>(viewCateHeader) : nullptr;
}

ios::CGFloat BuyCardViewController::heightForHeaderInSection(ios::UITableView&, int section) {
  return isSortSection(section) ? categoryHeaderHeight : cardHeaderHeight;
}

std::shared_ptr<ios::UIView> BuyCardViewController::viewForFooterInSection(ios::UITableView&, int) {
  auto footer = ios::UIView::create();
  footer->setBackgroundColor(ios::UIColor::clear());
  return footer;
}

ios::CGFloat BuyCardViewController::heightForFooterInSection(ios::UITableView&, int) {
  return footerHeight;
}

void BuyCardViewController::didSelectRowAt(ios::UITableView&, const ios::IndexPath& indexPath) {
  if (indexPath.section < 0 || static_cast<std::size_t>(indexPath.section) >= dataBuyCard.size()) return;
  const auto& card = dataBuyCard[indexPath.section].first;
  if (!card) return;
  HandlePush::create()->pushDetaiCard(sharedAs<ios::UIViewController>(), TypeController::BuyCard, card);
}

// ---- Scrolling

void BuyCardViewController::scrollViewWillBeginDragging(ios::UIScrollView& scrollView) {
  oldContentOffsetY = scrollView.contentOffset().y;
}

void BuyCardViewController::scrollViewDidScroll(ios::UIScrollView& scrollView) {
  if (!isCheckHiddenViewHeader) return;
  auto step = headerScrollStep(scrollView, oldContentOffsetY, isUpdateContentOfset);
  if (!step) return;
  if (auto page = delegate.lock()) page->scrollTableView(*step);
}

void BuyCardViewController::scrollViewWillEndDragging(ios::UIScrollView& scrollView, ios::CGPoint,
                                                      ios::CGPoint& targetContentOffset) {
  const ios::CGFloat remaining =
      scrollView.contentSize().height - (targetContentOffset.y + scrollView.bounds().size.height);
  if (!loading && remaining < nextPageDistance) loadData(false);
}

}  // namespace kerbelin
