#include <Class/DetailCard/ViewController/DetailCardViewController.h>

#include <Class/BuyCard/CustomCell/DefaultIconAndLabelTableViewCell.h>
#include <Class/BuyCard/Model/CardModel.h>
#include <Class/BuyCard/Model/CardPromotion.h>
#include <Class/BuyCard/Model/DefServiceDtos.h>
#include <Class/DetailCard/CustomView/Cell/DetailCardCell/DetailCardBottomTableViewCell/DetailCardBottomTableViewCell.h>
#include <Class/DetailCard/CustomView/Cell/DetailCardCell/DetailCardConditionTableViewCell/DetailCardConditionTableViewCell.h>
#include <Class/DetailCard/CustomView/Cell/DetailCardCell/DetailCardRuleTableViewCell/DetailCardRuleTableViewCell.h>
#include <Class/DetailCard/ViewController/DetailCardRequest.h>
#include <Class/MyCode/Cell/MyCodeTitleTableViewCell.h>
#include <Foundation/ClassRegistry.h>
#include <Foundation/Console.h>
#include <UIKit/Nib/UINib.h>
#include <UIKit/UINavigationController.h>
#include <Ultilities/Extensions/AttributedStringExtension.h>
#include <Ultilities/Extensions/StringExtension.h>
#include <Ultilities/Handle/HandlePush.h>
#include <Ultilities/Handle/NibBundle.h>

namespace kerbelin {

namespace {
using Screen = DetailCardViewController;
const auto registration = ios::ClassRegistration<Screen, ios::UIViewController>("DetailCardViewController")
                              .property("tableView", &Screen::tableView)
                              .property("buyCardView", &Screen::buyCardView)
                              .method("backButtonClicked:", &Screen::backButtonClicked)
                              .method("buyCardButtonClicked:", &Screen::buyCardButtonClicked);

// The row nibs, registered in this order under their own names.
const char* const kRowNibs[] = {
    DetailCardTabTableViewCell::identifier,           DetailCardRuleTableViewCell::identifier,
    DetailCardInfomationServiceTableViewCell::identifier, DetailCardConditionWaitPayTableViewCell::identifier,
    DetailCardPromotionTableViewCell::identifier,     DetailCardInfomationTableViewCell::identifier,
    DetailCardCoverTableViewCell::identifier,         DefaultIconAndLabelTableViewCell::identifier,
    MyCodeTitleTableViewCell::identifier,             DetailCardConditionTableViewCell::identifier,
    MyCodeInfomationServiceTableViewCell::identifier, DetailCardBottomTableViewCell::identifier};


using Card = std::shared_ptr<CardModel>;
using Routes = std::shared_ptr<DetailCardRoutes>;

std::shared_ptr<ios::UITableViewCell> coverCell(ios::UITableView& tableView, const Card& card, const Routes& routes) {
  auto cell =
      tableView.dequeueReusableCell<DetailCardCoverTableViewCell>(DetailCardCoverTableViewCell::identifier);
  cell->setCardModel(card);
  cell->delegate = routes;
  return cell;
}

std::shared_ptr<ios::UITableViewCell> informationCell(ios::UITableView& tableView, const Card& card,
                                                      const Routes& routes,
                                                      const std::shared_ptr<ios::UIViewController>& detail) {
  auto cell = tableView.dequeueReusableCell<DetailCardInfomationTableViewCell>(
      DetailCardInfomationTableViewCell::identifier);
  cell->delegate = routes;
  cell->setCardModel(card);
  cell->rootViewController = detail;
  return cell;
}

std::shared_ptr<ios::UITableViewCell> promotionCell(ios::UITableView& tableView, const Card& card, int row) {
  auto cell = tableView.dequeueReusableCell<DefaultIconAndLabelTableViewCell>(
      DefaultIconAndLabelTableViewCell::identifier);
  const auto index = static_cast<std::size_t>(row);
  if (card && index < card->promotionDtos.size() && card->promotionDtos[index]) {
    cell->configWithPromotion(*card->promotionDtos[index]);
  }
  return cell;
}

std::shared_ptr<ios::UITableViewCell> waitConditionCell(ios::UITableView& tableView, const Card& card,
                                                        const Routes& routes) {
  auto cell = tableView.dequeueReusableCell<DetailCardConditionWaitPayTableViewCell>(
      DetailCardConditionWaitPayTableViewCell::identifier);
  cell->setCardModel(card);
  cell->delegate = routes;
  return cell;
}

std::shared_ptr<ios::UITableViewCell> conditionCell(ios::UITableView& tableView, const Card& card) {
  auto cell = tableView.dequeueReusableCell<DetailCardConditionTableViewCell>(
      DetailCardConditionTableViewCell::identifier);
  cell->setCardModel(card);
  return cell;
}

std::shared_ptr<ios::UITableViewCell> termsCell(ios::UITableView& tableView, const Card& card) {
  auto cell =
      tableView.dequeueReusableCell<DetailCardRuleTableViewCell>(DetailCardRuleTableViewCell::identifier);
  if (auto label = cell->labelTitle.lock()) {
    label->setAttributedText(card ? htmlToAttributedString(convertHtml(card->usageTerms, 15)) : nullptr);
  }
  return cell;
}

std::shared_ptr<ios::UIView> promotionsHeader(ios::UITableView& tableView, const Routes& routes, bool withGuide) {
  auto header = tableView.dequeueReusableCell<DetailCardPromotionTableViewCell>(
      DetailCardPromotionTableViewCell::identifier);
  if (withGuide) {
    header->delegate = routes;
  } else if (auto button = header->tutorialLabel.lock()) {
    button->setHidden(true);
  }
  return header;
}
}  // namespace

std::shared_ptr<DetailCardViewController> DetailCardViewController::create(std::optional<std::string> nibName,
                                                                           std::shared_ptr<ios::Bundle> bundle) {
  return std::make_shared<DetailCardViewController>(std::move(nibName), std::move(bundle));
}

DetailCardViewController::DetailCardViewController(std::optional<std::string> nibName,
                                                   std::shared_ptr<ios::Bundle> bundle)
    : ios::UIViewController(nibName,
                            nibName ? resolveNibBundle(*nibName, std::move(bundle)) : std::move(bundle)) {}

void DetailCardViewController::viewDidLoad() {
  UIViewController::viewDidLoad();
  routes_ = std::make_shared<DetailCardRoutes>(sharedAs<DetailCardViewController>());
  configTableView();
  getDataDetail();
}

void DetailCardViewController::configTableView() {
  auto table = tableView.lock();
  if (!table) return;
  table->setDelegate(sharedAs<DetailCardViewController>());
  table->setDataSource(sharedAs<DetailCardViewController>());
  table->estimatedRowHeight = 0.1;
  table->estimatedSectionHeaderHeight = 0.1;
  table->estimatedSectionFooterHeight = 0.1;
  for (const char* name : kRowNibs) {
    table->registerNib(ios::UINib::create(name, resolveNibBundle(name, nullptr)), name);
  }
}

// ---- The detail

void DetailCardViewController::getDataDetail() {
  auto weak = weakAs<DetailCardViewController>();
  DetailCardRequest::send(baseModel.get(), typeController, [weak](std::shared_ptr<CardModel> card) {
    if (auto screen = weak.lock()) screen->applyDetail(std::move(card));
  });
}

void DetailCardViewController::applyDetail(std::shared_ptr<CardModel> card) {
  cardModel = card;
  if (routes_) routes_->card = card;
  type = card->type;
  confgUI();
  addCell();
  ios::print("Type Detail: " + std::string(caseName(card->type)));
}

void DetailCardViewController::confgUI() {
  const bool forSale = type == TypeDetailCard::UnPaid;
  if (auto table = tableView.lock()) table->setContentInset({0, 0, forSale ? 60.0 : 20.0, 0});
  if (auto bar = buyCardView.lock()) bar->setHidden(!forSale);
}

void DetailCardViewController::addCell() {
  updateSections();
  listSection.clear();
  for (const auto& section : sections_) listSection.push_back(section.kind);
  reloadTable();
}

void DetailCardViewController::updateSections() {
  sections_ = cardModel ? detailCardSections(*cardModel, type, typeTabAction) : std::vector<DetailCardSection>{};
}

void DetailCardViewController::reloadTable() {
  if (auto table = tableView.lock()) table->reloadData();
}

void DetailCardViewController::backButtonClicked() {
  if (auto navigation = navigationController()) navigation->popViewController(true);
}

void DetailCardViewController::buyCardButtonClicked() {
  if (!cardModel) return;  // the detail has not arrived: there is no code to order
  HandlePush::create()->pushPayment(sharedAs<DetailCardViewController>(), cardModel->code);
}

void DetailCardViewController::detailAction(int index) {
  if (routes_) routes_->detailAction(index);
}

void DetailCardViewController::detailInfomationServiceAction(int index) {
  if (routes_) routes_->detailInfomationServiceAction(index);
}

void DetailCardViewController::tabAction(TypeDetailCardTabAction tab) {
  typeTabAction = tab;
  updateSections();
  reloadTable();
}

// ---- Table

const DetailCardSection* DetailCardViewController::sectionAt(int section) const {
  if (section < 0 || static_cast<std::size_t>(section) >= sections_.size()) return nullptr;
  return &sections_[section];
}

int DetailCardViewController::numberOfSections(ios::UITableView&) {
  return static_cast<int>(sections_.size());
}

int DetailCardViewController::numberOfRowsInSection(ios::UITableView&, int section) {
  const auto* found = sectionAt(section);
  return found ? found->rows : 0;
}

std::shared_ptr<ios::UITableViewCell> DetailCardViewController::cellForRowAt(ios::UITableView& tableView,
                                                                            const ios::IndexPath& indexPath) {
  const auto* section = sectionAt(indexPath.section);
  return section ? cellFor(tableView, section->row, indexPath.row) : ios::UITableViewCell::create();
}

std::shared_ptr<ios::UITableViewCell> DetailCardViewController::cellFor(ios::UITableView& tableView,
                                                                       DetailCardRow kind, int row) {
  switch (kind) {
    case DetailCardRow::cover:
      return coverCell(tableView, cardModel, routes_);
    case DetailCardRow::information:
      return informationCell(tableView, cardModel, routes_, sharedAs<DetailCardViewController>());
    case DetailCardRow::promotion:
      return promotionCell(tableView, cardModel, row);
    case DetailCardRow::waitCondition:
      return waitConditionCell(tableView, cardModel, routes_);
    case DetailCardRow::condition:
      return conditionCell(tableView, cardModel);
    case DetailCardRow::terms:
      return termsCell(tableView, cardModel);
    case DetailCardRow::service:
      return serviceCell(tableView, row);
    case DetailCardRow::ownedService:
      return ownedServiceCell(tableView, row);
  }
  return ios::UITableViewCell::create();
}

std::shared_ptr<ios::UITableViewCell> DetailCardViewController::serviceCell(ios::UITableView& tableView, int row) {
  auto cell = tableView.dequeueReusableCell<DetailCardInfomationServiceTableViewCell>(
      DetailCardInfomationServiceTableViewCell::identifier);
  cell->setDefServiceDtos(cardModel ? serviceAt(detailCardServices(*cardModel, type), row) : nullptr);
  if (auto button = cell->detailButton.lock()) button->tag = row;
  cell->delegate = routes_;
  return cell;
}

std::shared_ptr<ios::UITableViewCell> DetailCardViewController::ownedServiceCell(ios::UITableView& tableView,
                                                                                 int row) {
  auto cell = tableView.dequeueReusableCell<MyCodeInfomationServiceTableViewCell>(
      MyCodeInfomationServiceTableViewCell::identifier);
  cell->delegate = routes_;
  if (auto button = cell->detailButton.lock()) button->tag = row;
  if (auto service = cardModel ? serviceAt(cardModel->ownServiceDtos, row) : nullptr) {
    cell->getDataServiceDetail(service);
  }
  cell->rootViewController = sharedAs<DetailCardViewController>();
  return cell;
}

ios::CGFloat DetailCardViewController::heightForRowAt(ios::UITableView&, const ios::IndexPath& indexPath) {
  const auto* section = sectionAt(indexPath.section);
  return section && section->row == DetailCardRow::cover ? coverHeight : ios::UITableViewAutomaticDimension;
}

std::shared_ptr<ios::UIView> DetailCardViewController::viewForHeaderInSection(ios::UITableView& tableView,
                                                                             int section) {
  const auto* found = sectionAt(section);
  return found ? headerFor(tableView, found->header) : nullptr;
}

std::shared_ptr<ios::UIView> DetailCardViewController::headerFor(ios::UITableView& tableView,
                                                                DetailCardHeader kind) {
  switch (kind) {
    case DetailCardHeader::promotions:
    case DetailCardHeader::promotionsWithGuide:
      return promotionsHeader(tableView, routes_, kind == DetailCardHeader::promotionsWithGuide);
    case DetailCardHeader::servicesTitle:
      return tableView.dequeueReusableCell<MyCodeTitleTableViewCell>(MyCodeTitleTableViewCell::identifier);
    case DetailCardHeader::tabs: {
      auto header =
          tableView.dequeueReusableCell<DetailCardTabTableViewCell>(DetailCardTabTableViewCell::identifier);
      header->delegate = sharedAs<DetailCardViewController>();
      header->typeTab = typeTabAction;
      header->changeBackground(typeTabAction);
      return header;
    }
    case DetailCardHeader::none:
      break;
  }
  return nullptr;
}

ios::CGFloat DetailCardViewController::heightForHeaderInSection(ios::UITableView&, int section) {
  const auto* found = sectionAt(section);
  return found && found->header != DetailCardHeader::none ? sectionHeaderHeight : noSectionView;
}

std::shared_ptr<ios::UIView> DetailCardViewController::viewForFooterInSection(ios::UITableView& tableView,
                                                                             int section) {
  const auto* found = sectionAt(section);
  if (!found || found->kind != TypeCellDetailCard::Promotion) return nullptr;
  return tableView.dequeueReusableCell<DetailCardBottomTableViewCell>(
      DetailCardBottomTableViewCell::identifier);
}

ios::CGFloat DetailCardViewController::heightForFooterInSection(ios::UITableView&, int section) {
  const auto* found = sectionAt(section);
  return found && found->kind == TypeCellDetailCard::Promotion ? promotionFooterHeight : noSectionView;
}

void DetailCardViewController::didSelectRowAt(ios::UITableView&, const ios::IndexPath& indexPath) {
  const auto* found = sectionAt(indexPath.section);
  if (!found || !routes_) return;
  if (found->kind == TypeCellDetailCard::Infomation) {
    routes_->openRootService();
  } else if (found->kind == TypeCellDetailCard::InfomationService &&
             typeTabAction == TypeDetailCardTabAction::InfoButton) {
    routes_->openService(indexPath.row);
  }
}

}  // namespace kerbelin
