#include <Class/DetailCard/ViewController/DetailCardViewController.h>

#include <Class/BuyCard/CustomCell/DefaultIconAndLabelTableViewCell.h>
#include <Class/BuyCard/Model/CardModel.h>
#include <Class/BuyCard/Model/CardPromotion.h>
#include <Class/BuyCard/Model/DefServiceDtos.h>
#include <Class/BuyCard/Model/MetaReponse.h>
#include <Class/DetailCard/CustomView/Cell/DetailCardCell/DetailCardBottomTableViewCell/DetailCardBottomTableViewCell.h>
#include <Class/DetailCard/CustomView/Cell/DetailCardCell/DetailCardConditionTableViewCell/DetailCardConditionTableViewCell.h>
#include <Class/DetailCard/CustomView/Cell/DetailCardCell/DetailCardRuleTableViewCell/DetailCardRuleTableViewCell.h>
#include <Class/MyCode/Cell/MyCodeTitleTableViewCell.h>
#include <Foundation/ClassRegistry.h>
#include <Foundation/Console.h>
#include <ObjectMapper/Mapper.h>
#include <Service/DetailCardService.h>
#include <UIKit/Nib/UINib.h>
#include <UIKit/UIActivityViewController.h>
#include <UIKit/UINavigationController.h>
#include <Ultilities/Common/Common.h>
#include <Ultilities/Constants/Constants.h>
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
const std::string* const kRowNibs[] = {
    &DetailCardTabTableViewCell::identifier,           &DetailCardRuleTableViewCell::identifier,
    &DetailCardInfomationServiceTableViewCell::identifier, &DetailCardConditionWaitPayTableViewCell::identifier,
    &DetailCardPromotionTableViewCell::identifier,     &DetailCardInfomationTableViewCell::identifier,
    &DetailCardCoverTableViewCell::identifier,         &DefaultIconAndLabelTableViewCell::identifier,
    &MyCodeTitleTableViewCell::identifier,             &DetailCardConditionTableViewCell::identifier,
    &MyCodeInfomationServiceTableViewCell::identifier, &DetailCardBottomTableViewCell::identifier};

bool isNotYetPaid(TypeDetailCard type) { return type == TypeDetailCard::UnPaid || type == TypeDetailCard::WaitPay; }

std::shared_ptr<DefServiceDtos> at(const std::vector<std::shared_ptr<DefServiceDtos>>& list, int index) {
  return index >= 0 && static_cast<std::size_t>(index) < list.size() ? list[index] : nullptr;
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
  for (const std::string* name : kRowNibs) {
    table->registerNib(ios::UINib::create(*name, resolveNibBundle(*name, nullptr)), *name);
  }
}

// ---- The detail

void DetailCardViewController::getDataDetail() {
  overlay_ = WSLoadingView::show();
  ios::Dictionary params;
  std::string key = "defCardDto";
  if (typeController == TypeController::BuyCard) {
    params = {{"code", baseModel ? baseModel->code : ""}};
  } else {
    params = {{"cardNo", baseModel ? baseModel->cardNo : ""}, {"mobilePhone", phoneUser}};
    params["isPaid"] = typeController == TypeController::MyCode;
    key = "ownCardDto";
  }
  auto screen = sharedAs<DetailCardViewController>();
  const auto overlay = overlay_;
  DetailCardService::create()->getDetailCard(
      params, typeController,
      [screen, key, overlay](const ios::Dictionary& reply) {
        screen->applyDetail(reply, key);
        WSLoadingView::hideWithAnimation(overlay);
      },
      [overlay](const std::string&) { WSLoadingView::hideWithAnimation(overlay); });
}

void DetailCardViewController::applyDetail(const ios::Dictionary& reply, const std::string& key) {
  auto meta = ios::mapObject<MetaReponse>(reply);
  if (!meta || !meta->body) return;
  auto entry = meta->body->find(key);
  if (entry == meta->body->end() || !entry->is_object()) return;
  auto card = ios::mapObject<CardModel>(*entry);
  if (!card) return;
  cardModel = card;
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
  const bool hasRoot = cardModel && cardModel->rootService;
  const bool hasPromotions = cardModel && !cardModel->promotionDtos.empty();
  const auto* services = serviceList();
  const bool hasServices = cardModel && ((services && !services->empty()) || length(cardModel->usageTerms) > 0);
  const bool owned = type == TypeDetailCard::Paid || type == TypeDetailCard::Expire;
  listSection.push_back(owned ? TypeCellDetailCard::Condition : TypeCellDetailCard::Cover);
  if (hasRoot) listSection.push_back(TypeCellDetailCard::Infomation);
  if (hasPromotions) listSection.push_back(TypeCellDetailCard::Promotion);
  if (type == TypeDetailCard::WaitPay) listSection.push_back(TypeCellDetailCard::ConditionWait);
  if (hasServices) listSection.push_back(TypeCellDetailCard::InfomationService);
  if (auto table = tableView.lock()) table->reloadData();
}

void DetailCardViewController::backButtonClicked() {
  if (auto navigation = navigationController()) navigation->popViewController(true);
}

void DetailCardViewController::buyCardButtonClicked() {
  if (!cardModel) return;  // the detail has not arrived: there is no code to order
  HandlePush::create()->pushPayment(sharedAs<DetailCardViewController>(), cardModel->code);
}

// ---- Sections and rows

std::optional<TypeCellDetailCard> DetailCardViewController::kindOf(int section) const {
  if (section < 0 || static_cast<std::size_t>(section) >= listSection.size()) return std::nullopt;
  return listSection[section];
}

const std::vector<std::shared_ptr<DefServiceDtos>>* DetailCardViewController::serviceList() const {
  if (!cardModel) return nullptr;
  return type == TypeDetailCard::UnPaid ? &cardModel->defServiceDtos : &cardModel->ownServiceDtos;
}

std::shared_ptr<DefServiceDtos> DetailCardViewController::ownService(int index) const {
  return cardModel ? at(cardModel->ownServiceDtos, index) : nullptr;
}

std::shared_ptr<DefServiceDtos> DetailCardViewController::offeredService(int index) const {
  return cardModel ? at(cardModel->defServiceDtos, index) : nullptr;
}

bool DetailCardViewController::showsRuleRow() const {
  return isNotYetPaid(type) && typeTabAction == TypeDetailCardTabAction::RuleButton;
}

int DetailCardViewController::numberOfSections(ios::UITableView&) {
  return static_cast<int>(listSection.size());
}

int DetailCardViewController::numberOfRowsInSection(ios::UITableView&, int section) {
  const auto kind = kindOf(section);
  if (!kind) return 0;
  if (*kind == TypeCellDetailCard::Promotion) return cardModel ? static_cast<int>(cardModel->promotionDtos.size()) : 0;
  if (*kind != TypeCellDetailCard::InfomationService) return 1;
  if (showsRuleRow()) return 1;
  const auto* services = serviceList();
  return services ? static_cast<int>(services->size()) : 0;
}

std::shared_ptr<ios::UITableViewCell> DetailCardViewController::cellForRowAt(ios::UITableView& tableView,
                                                                            const ios::IndexPath& indexPath) {
  const auto kind = kindOf(indexPath.section);
  if (!kind) return ios::UITableViewCell::create();
  switch (*kind) {
    case TypeCellDetailCard::Cover: {
      auto cell = tableView.dequeueReusableCell<DetailCardCoverTableViewCell>(
          DetailCardCoverTableViewCell::identifier);
      cell->setCardModel(cardModel);
      cell->delegate = sharedAs<DetailCardViewController>();
      return cell;
    }
    case TypeCellDetailCard::Infomation: {
      auto cell = tableView.dequeueReusableCell<DetailCardInfomationTableViewCell>(
          DetailCardInfomationTableViewCell::identifier);
      cell->delegate = sharedAs<DetailCardViewController>();
      cell->setCardModel(cardModel);
      cell->rootViewController = sharedAs<DetailCardViewController>();
      return cell;
    }
    case TypeCellDetailCard::Promotion: {
      auto cell = tableView.dequeueReusableCell<DefaultIconAndLabelTableViewCell>(
          DefaultIconAndLabelTableViewCell::identifier);
      const auto row = static_cast<std::size_t>(indexPath.row);
      if (cardModel && row < cardModel->promotionDtos.size() && cardModel->promotionDtos[row]) {
        cell->configWithPromotion(*cardModel->promotionDtos[row]);
      }
      return cell;
    }
    case TypeCellDetailCard::ConditionWait: {
      auto cell = tableView.dequeueReusableCell<DetailCardConditionWaitPayTableViewCell>(
          DetailCardConditionWaitPayTableViewCell::identifier);
      cell->setCardModel(cardModel);
      cell->delegate = sharedAs<DetailCardViewController>();
      return cell;
    }
    case TypeCellDetailCard::Condition: {
      auto cell = tableView.dequeueReusableCell<DetailCardConditionTableViewCell>(
          DetailCardConditionTableViewCell::identifier);
      cell->setCardModel(cardModel);
      return cell;
    }
    case TypeCellDetailCard::InfomationService:
      return serviceCell(tableView, indexPath.row);
  }
  return ios::UITableViewCell::create();
}

std::shared_ptr<ios::UITableViewCell> DetailCardViewController::serviceCell(ios::UITableView& tableView, int row) {
  if (showsRuleRow()) {
    auto cell =
        tableView.dequeueReusableCell<DetailCardRuleTableViewCell>(DetailCardRuleTableViewCell::identifier);
    if (auto label = cell->labelTitle.lock()) {
      label->setAttributedText(cardModel ? htmlToAttributedString(convertHtml(cardModel->usageTerms, 15)) : nullptr);
    }
    return cell;
  }
  if (isNotYetPaid(type)) {
    auto cell = tableView.dequeueReusableCell<DetailCardInfomationServiceTableViewCell>(
        DetailCardInfomationServiceTableViewCell::identifier);
    cell->setDefServiceDtos(type == TypeDetailCard::UnPaid ? offeredService(row) : ownService(row));
    if (auto button = cell->detailButton.lock()) button->tag = row;
    cell->delegate = sharedAs<DetailCardViewController>();
    return cell;
  }
  auto cell = tableView.dequeueReusableCell<MyCodeInfomationServiceTableViewCell>(
      MyCodeInfomationServiceTableViewCell::identifier);
  cell->delegate = sharedAs<DetailCardViewController>();
  if (auto button = cell->detailButton.lock()) button->tag = row;
  if (auto service = ownService(row)) cell->getDataServiceDetail(service);
  cell->rootViewController = sharedAs<DetailCardViewController>();
  return cell;
}

ios::CGFloat DetailCardViewController::heightForRowAt(ios::UITableView&, const ios::IndexPath& indexPath) {
  return kindOf(indexPath.section) == TypeCellDetailCard::Cover ? coverHeight : ios::UITableViewAutomaticDimension;
}

std::shared_ptr<ios::UIView> DetailCardViewController::viewForHeaderInSection(ios::UITableView& tableView,
                                                                             int section) {
  const auto kind = kindOf(section);
  if (kind == TypeCellDetailCard::Promotion) {
    auto header = tableView.dequeueReusableCell<DetailCardPromotionTableViewCell>(
        DetailCardPromotionTableViewCell::identifier);
    if (isNotYetPaid(type)) {
      if (auto button = header->tutorialLabel.lock()) button->setHidden(true);
    } else {
      header->delegate = sharedAs<DetailCardViewController>();
    }
    return header;
  }
  if (kind != TypeCellDetailCard::InfomationService) return nullptr;
  if (!isNotYetPaid(type))
    return tableView.dequeueReusableCell<MyCodeTitleTableViewCell>(MyCodeTitleTableViewCell::identifier);
  auto header =
      tableView.dequeueReusableCell<DetailCardTabTableViewCell>(DetailCardTabTableViewCell::identifier);
  header->delegate = sharedAs<DetailCardViewController>();
  header->typeTab = typeTabAction;
  header->changeBackground(typeTabAction);
  return header;
}

ios::CGFloat DetailCardViewController::heightForHeaderInSection(ios::UITableView&, int section) {
  const auto kind = kindOf(section);
  const bool hasHeader = kind == TypeCellDetailCard::Promotion || kind == TypeCellDetailCard::InfomationService;
  return hasHeader ? sectionHeaderHeight : noSectionView;
}

std::shared_ptr<ios::UIView> DetailCardViewController::viewForFooterInSection(ios::UITableView& tableView,
                                                                             int section) {
  if (kindOf(section) != TypeCellDetailCard::Promotion) return nullptr;
  return tableView.dequeueReusableCell<DetailCardBottomTableViewCell>(
      DetailCardBottomTableViewCell::identifier);
}

ios::CGFloat DetailCardViewController::heightForFooterInSection(ios::UITableView&, int section) {
  return kindOf(section) == TypeCellDetailCard::Promotion ? promotionFooterHeight : noSectionView;
}

void DetailCardViewController::didSelectRowAt(ios::UITableView&, const ios::IndexPath& indexPath) {
  const auto kind = kindOf(indexPath.section);
  if (kind == TypeCellDetailCard::Infomation) {
    openRootService();
  } else if (kind == TypeCellDetailCard::InfomationService && typeTabAction == TypeDetailCardTabAction::InfoButton) {
    openService(indexPath.row);
  }
}

// ---- Actions

std::optional<TypeDetailCard> DetailCardViewController::cardType() const {
  return cardModel ? std::optional(cardModel->type) : std::nullopt;
}

void DetailCardViewController::openRootService() {
  auto root = cardModel ? cardModel->rootService : nullptr;
  const auto state = cardType();
  if (state && isNotYetPaid(*state)) {
    HandlePush::create()->pushDetaiService(sharedAs<DetailCardViewController>(), root, true, state);
  } else {
    HandlePush::create()->pushDetaiServiceContainer(sharedAs<DetailCardViewController>(), root, true, state);
  }
}

void DetailCardViewController::openService(int index) {
  const auto state = cardType();
  if (state == TypeDetailCard::UnPaid || state == TypeDetailCard::WaitPay) {
    auto service = state == TypeDetailCard::UnPaid ? offeredService(index) : ownService(index);
    if (service) HandlePush::create()->pushDetaiService(sharedAs<DetailCardViewController>(), service, state);
  } else if (auto service = ownService(index)) {
    HandlePush::create()->pushDetaiServiceContainer(sharedAs<DetailCardViewController>(), service, state);
  }
}

void DetailCardViewController::tabAction(TypeDetailCardTabAction tab) {
  typeTabAction = tab;
  if (auto table = tableView.lock()) table->reloadData();
}

void DetailCardViewController::detailAction(int index) {
  if (isNotYetPaid(cardType().value_or(TypeDetailCard::Paid))) openService(index);
}

void DetailCardViewController::detailInfomationServiceAction(int index) {
  if (auto service = ownService(index))
    HandlePush::create()->pushDetaiServiceContainer(sharedAs<DetailCardViewController>(), service,
                                                    cardType());
}

void DetailCardViewController::detailCardInfomationAction() {
  openRootService();
}

void DetailCardViewController::tutorialAction() {
  HandlePush::create()->presentTutorialGift(sharedAs<DetailCardViewController>(),
                                            cardModel ? cardModel->templatePromotion : "");
}

void DetailCardViewController::tutorialPayAction() {
  HandlePush::create()->pushTutorialPay(sharedAs<DetailCardViewController>(),
                                        cardModel ? cardModel->transactionCode : "");
}

void DetailCardViewController::qrCodeAction() {
  auto panel = ContainerFloatingQRCodeViewController::instantiate();
  if (!panel) return;
  if (cardModel) panel->code = cardModel->type == TypeDetailCard::UnPaid ? cardModel->code : cardModel->defCardCode;
  panel->nameTitle = cardModel ? cardModel->name : "";
  panel->delegate = sharedAs<DetailCardViewController>();
  panel->modalPresentationStyle = ios::UIModalPresentationStyle::overFullScreen;
  present(panel, false, [] {});
}

void DetailCardViewController::shareQRcode(const std::string& qr) {
  auto image = Common::generateQRCode(qr);
  if (!image) return;
  auto sheet = ios::UIActivityViewController::create({std::any(image)});
  sheet->excludedActivityTypes = {ios::UIActivityType::airDrop, ios::UIActivityType::postToFacebook};
  present(sheet, true);
}

}  // namespace kerbelin
