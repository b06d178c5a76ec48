#include <Class/MyCard/MyCardViewController.h>

#include <Class/BuyCard/Model/CardModel.h>
#include <Class/BuyCard/Model/DefServiceDtos.h>
#include <Class/BuyCard/Model/StyleDtoModel.h>
#include <Class/MyCard/CustomCell/MyCardCoverTableViewCell.h>
#include <Class/MyCard/CustomCell/MyCardInfoTableViewCell.h>
#include <Class/MyCard/CustomCell/MyCardOtherServiceTableViewCell.h>
#include <Class/MyCard/CustomCell/MyCardServiceTableViewCell.h>
#include <Class/Tabbar/TabbarViewController.h>
#include <Foundation/ClassRegistry.h>
#include <Foundation/NotificationCenter.h>
#include <Foundation/URL.h>
#include <ObjectMapper/Mapper.h>
#include <Service/MyCardService.h>
#include <Service/ReplyDecoding.h>
#include <UIKit/Nib/UINib.h>
#include <Ultilities/Common/Common.h>
#include <Ultilities/Constants/Color.h>
#include <Ultilities/Constants/Constants.h>
#include <Ultilities/Extensions/UIColorExtension.h>
#include <Ultilities/Extensions/UIViewStyleExtension.h>
#include <Ultilities/Handle/HandlePush.h>
#include <Ultilities/Handle/NibBundle.h>
#include <WebImage/UIImageViewWebCache.h>

#include <string>

namespace kerbelin {

namespace {
using Screen = MyCardViewController;
const auto registration = ios::ClassRegistration<Screen, ios::UIViewController>()
                              .property("tableView", &Screen::tableView)
                              .property("viewNavi", &Screen::viewNavi)
                              .property("btnBuyCard", &Screen::btnBuyCard)
                              .property("viewNoMyCard", &Screen::viewNoMyCard)
                              .method("refreshData", &Screen::refreshData)
                              .method("didShowBuyCard:", &Screen::didShowBuyCard);

bool isStatus(const CardModel& card, StatusCard status) {
  return card.status == rawValue(status);
}

// Runs `use` on the outlet while it is there: the one place this screen locks a view it does not own.
template <class T, class Use>
void with(const std::weak_ptr<T>& outlet, Use&& use) {
  if (auto held = outlet.lock()) use(*held);
}

void setHidden(const std::weak_ptr<ios::UIView>& view, bool hidden) {
  with(view, [hidden](ios::UIView& shown) { shown.setHidden(hidden); });
}

void setConstant(const std::weak_ptr<ios::NSLayoutConstraint>& constraint, ios::CGFloat constant) {
  with(constraint, [constant](ios::NSLayoutConstraint& held) { held.setConstant(constant); });
}

void setText(const std::weak_ptr<ios::UILabel>& label, const std::string& text) {
  with(label, [&text](ios::UILabel& shown) { shown.setText(text); });
}

// The rounded end of a card: its last row gets corner radius 5, a 3-point gap and the shadow.
template <class Cell>
void styleEnd(Cell& cell, bool isLast) {
  const ios::CGFloat radius = isLast ? 5 : 0;
  with(cell.viewMain, [radius](ios::UIView& main) { setCornerRadius(main, radius); });
  setConstant(cell.cstBottomMain, isLast ? 3 : 0);
  with(cell.viewShadow, [radius](ios::UIView& shadow) { Common::SetShadowAndcornerRadiusView(shadow, radius); });
}

void fillCover(MyCardCoverTableViewCell& cell, const CardModel& card, bool isLast) {
  setHidden(cell.viewLine, isLast);
  setHidden(cell.viewRadius, isLast);
  setConstant(cell.cstBottomMain, isLast ? 3 : 0);
  with(cell.viewShadow, [](ios::UIView& shadow) {
    Common::SetShadowAndcornerRadiusView(shadow, 5, ios::CGSize::zero, Color::Background_Color());
  });
  cell.checkUICardType(card.status);
  with(cell.imgCard, [&card](ios::UIImageView& image) { ios::sd_setImage(image, ios::URL::fromString(card.image)); });
  with(cell.lbNumberCard, [&card](ios::UILabel& number) {
    number.setText(card.cardNoDisplay);
    number.setTextColor(colorWithRGBA(card.styleDto ? card.styleDto->rgb : "#000000"));
  });
  setText(cell.lbNameCard, card.name);
}

void fillInfo(MyCardInfoTableViewCell& cell, const CardModel& card, bool isLast) {
  styleEnd(cell, isLast);
  setHidden(cell.viewLine, isLast);
  const bool paid = isStatus(card, StatusCard::A) || isStatus(card, StatusCard::O);
  if (paid && card.rootService) cell.configWithRootService(*card.rootService);
  if (isStatus(card, StatusCard::W)) cell.configWithCard(card);
}

void fillService(MyCardServiceTableViewCell& cell, const std::shared_ptr<DefServiceDtos>& service, bool isLast) {
  styleEnd(cell, isLast);
  setConstant(cell.cstBottom, isLast ? 15 : 5);
  cell.setService(service);
}

void fillOther(MyCardOtherServiceTableViewCell& cell, const CardModel& card, bool isLast) {
  styleEnd(cell, isLast);
  setConstant(cell.cstBottom, isLast ? 15 : 5);
  const auto extra = static_cast<long long>(card.ownServiceDtos.size()) - static_cast<long long>(myCardShownServices);
  setText(cell.lbOtherService, "+" + std::to_string(extra) + " dịch vụ khác");
}

const char* identifierOf(TypeInfoCard kind) {
  switch (kind) {
    case TypeInfoCard::Cover:
      return MyCardCoverTableViewCell::identifier;
    case TypeInfoCard::Info:
      return MyCardInfoTableViewCell::identifier;
    case TypeInfoCard::Service:
      return MyCardServiceTableViewCell::identifier;
    case TypeInfoCard::OtherPromotion:
      return MyCardOtherServiceTableViewCell::identifier;
    case TypeInfoCard::Promotion:
      break;
  }
  return nullptr;
}

// Styles and fills a row of `card` by the cell's class; false for a cell of another class.
bool fill(ios::UITableViewCell& cell, const CardModel& card, const std::shared_ptr<DefServiceDtos>& row,
          bool isLast) {
  if (auto* cover = dynamic_cast<MyCardCoverTableViewCell*>(&cell)) {
    fillCover(*cover, card, isLast);
  } else if (auto* info = dynamic_cast<MyCardInfoTableViewCell*>(&cell)) {
    fillInfo(*info, card, isLast);
  } else if (auto* service = dynamic_cast<MyCardServiceTableViewCell*>(&cell)) {
    fillService(*service, row, isLast);
  } else if (auto* other = dynamic_cast<MyCardOtherServiceTableViewCell*>(&cell)) {
    fillOther(*other, card, isLast);
  } else {
    return false;
  }
  return true;
}
}  // namespace

std::shared_ptr<MyCardViewController> MyCardViewController::create() {
  return std::make_shared<MyCardViewController>();
}

MyCardViewController::MyCardViewController() : refresh(ios::UIRefreshControl::create()) {}

MyCardViewController::~MyCardViewController() {
  ios::NotificationCenter::defaultCenter().removeObserver(this);
}

void MyCardViewController::viewDidLoad() {
  UIViewController::viewDidLoad();
  setHidden(viewNoMyCard, true);
  view()->setBackgroundColor(Color::Background_Color());
  with(tableView, [this](ios::UITableView& table) { setUpTable(table); });
  loadData(true);
  ios::NotificationCenter::defaultCenter().addObserver(weak_from_this(), "refreshData",
                                                       NotificationName::RefreshMyCardPage);
}

void MyCardViewController::setUpTable(ios::UITableView& table) {
  auto self = sharedAs<MyCardViewController>();
  for (const char* identifier :
       {MyCardCoverTableViewCell::identifier, MyCardInfoTableViewCell::identifier,
        MyCardServiceTableViewCell::identifier, MyCardOtherServiceTableViewCell::identifier}) {
    table.registerNib(ios::UINib::create(identifier, resolveNibBundle(identifier, nullptr)), identifier);
  }
  table.setDelegate(self);
  table.setDataSource(self);
  table.setBackgroundColor(ios::UIColor::clear());
  table.separatorStyle = ios::UITableViewCellSeparatorStyle::none;
  refresh->addTarget(weak_from_this(), "refreshData", ios::UIControl::valueChanged);
  refresh->setTransform(ios::CGAffineTransform::scale(0.7, 0.7));
  table.addSubview(refresh);
}

void MyCardViewController::viewDidAppear(bool animated) {
  UIViewController::viewDidAppear(animated);
  if (!isFirstLoad && dataMyCard.empty()) loadData(true);
  isFirstLoad = false;
}

// ---- Requests

void MyCardViewController::refreshData() {
  send(paging_.reload());
}

void MyCardViewController::didShowBuyCard(const std::shared_ptr<ios::UIButton>&) {
  TabbarViewController::sharedInstance()->setSelectedIndex(0);
}

void MyCardViewController::loadData(bool isRefresh) {
  if (loading) return;
  send(isRefresh ? paging_.reload() : paging_.next());
}

void MyCardViewController::send(const std::optional<PagedList::Page>& page) {
  if (!page) return;
  const ios::Dictionary params = {{"isPaid", false},
                                  {"keySearch", ""},
                                  {"mobilePhone", phoneUser},
                                  {"pageIndex", page->page},
                                  {"pageSize", pageSize}};
  const auto weak = weakAs<MyCardViewController>();
  const PagedList::Page sent = *page;
  MyCardService::create()->getListMyCard(
      params, [weak, sent](ios::Dictionary&& reply) { with(weak, [&](Screen& self) { self.apply(sent, std::move(reply)); }); },
      [weak, sent](const std::string&) { with(weak, [&](Screen& self) { self.notApplied(sent); }); });
}

void MyCardViewController::apply(const PagedList::Page& page, ios::Dictionary reply) {
  // A server error must not pass for an empty list.
  auto body = bodyUnlessResultCodePresentAndNonZero(std::move(reply));
  if (!body) {
    notApplied(page);
    return;
  }
  const auto found = body->find("ownCardDtos");
  ios::Dictionary cards = found == body->end() ? ios::Dictionary::array() : std::move(*found);
  if (!paging_.settle(page, cards.is_array() ? cards.size() : 0)) return;
  refresh->endRefreshing();
  if (page.isFirstPage) dataMyCard.clear();
  append(std::move(cards));
  if (page.isFirstPage) showEmptyState(dataMyCard.empty());
  reloadTable();
}

void MyCardViewController::notApplied(const PagedList::Page& page) {
  if (paging_.settle(page, std::nullopt)) refresh->endRefreshing();
}

void MyCardViewController::append(ios::Dictionary cards) {
  if (!cards.is_array()) return;
  for (auto& card : ios::mapArray<CardModel>(std::move(cards))) {
    if (!card) continue;
    auto rows = myCardRows(*card);
    dataMyCard.emplace_back(std::move(card), std::move(rows));
  }
}

void MyCardViewController::showEmptyState(bool empty) {
  setHidden(viewNoMyCard, !empty);
  setHidden(tableView, empty);
}

void MyCardViewController::reloadTable() {
  with(tableView, [](ios::UITableView& table) { table.reloadData(); });
}

// ---- Table

int MyCardViewController::numberOfSections(ios::UITableView&) {
  return static_cast<int>(dataMyCard.size());
}

int MyCardViewController::numberOfRowsInSection(ios::UITableView&, int section) {
  if (section < 0 || static_cast<std::size_t>(section) >= dataMyCard.size()) return 0;
  return static_cast<int>(dataMyCard[section].second.size());
}

std::shared_ptr<ios::UITableViewCell> MyCardViewController::cellForRowAt(ios::UITableView& tableView,
                                                                         const ios::IndexPath& indexPath) {
  if (indexPath.section < 0 || static_cast<std::size_t>(indexPath.section) >= dataMyCard.size()) {
    return ios::UITableViewCell::create();
  }
  const auto& [card, rows] = dataMyCard[indexPath.section];
  return createCellBy(tableView, card, rows, indexPath);
}

std::shared_ptr<ios::UITableViewCell> MyCardViewController::createCellBy(ios::UITableView& tableView,
                                                                         const std::shared_ptr<CardModel>& card,
                                                                         const Rows& service,
                                                                         const ios::IndexPath& indexPath) {
  const auto row = static_cast<std::size_t>(indexPath.row);
  const bool known = card && row < service.size() && service[row];
  const char* identifier = known ? identifierOf(service[row]->typeService) : nullptr;
  auto cell = identifier ? tableView.dequeueReusableCell(identifier, indexPath) : nullptr;
  if (!cell || !fill(*cell, *card, service[row], row + 1 == service.size())) return ios::UITableViewCell::create();
  cell->selectionStyle = ios::UITableViewCellSelectionStyle::none;
  return cell;
}

ios::CGFloat MyCardViewController::heightForRowAt(ios::UITableView&, const ios::IndexPath&) {
  return ios::UITableViewAutomaticDimension;
}

std::shared_ptr<ios::UIView> MyCardViewController::viewForHeaderInSection(ios::UITableView&, int) {
  return nullptr;
}

ios::CGFloat MyCardViewController::heightForHeaderInSection(ios::UITableView&, int) {
  return headerHeight;
}

std::shared_ptr<ios::UIView> MyCardViewController::viewForFooterInSection(ios::UITableView&, int) {
  auto footer = ios::UIView::create();
  footer->setBackgroundColor(ios::UIColor::clear());
  return footer;
}

ios::CGFloat MyCardViewController::heightForFooterInSection(ios::UITableView&, int) {
  return footerHeight;
}

void MyCardViewController::didSelectRowAt(ios::UITableView&, const ios::IndexPath& indexPath) {
  if (indexPath.section < 0 || static_cast<std::size_t>(indexPath.section) >= dataMyCard.size()) return;
  HandlePush::create()->pushDetaiCard(sharedAs<ios::UIViewController>(), TypeController::MyCard,
                                      dataMyCard[indexPath.section].first);
}

void MyCardViewController::scrollViewWillEndDragging(ios::UIScrollView& scrollView, ios::CGPoint,
                                                     ios::CGPoint& targetContentOffset) {
  const ios::CGFloat remaining =
      scrollView.contentSize().height - (targetContentOffset.y + scrollView.bounds().size.height);
  if (!loading && remaining < nextPageDistance) loadData(false);
}

}  // namespace kerbelin
