#include <Class/MyCode/MyCodeViewController.h>

#include <Class/BuyCard/Model/CardModel.h>
#include <Class/BuyCard/Model/DefServiceDtos.h>
#include <Class/DetailCard/CustomView/Cell/DetailCardCell/DetailCardInfomationTableViewCell/DetailCardInfomationTableViewCell.h>
#include <Class/DetailCard/Model/OwnAccountDtosModel.h>
#include <Class/MyCode/Cell/MyCodeInfomationServiceTableViewCell.h>
#include <Class/MyCode/Cell/MyCodeTitleTableViewCell.h>
#include <Class/MyCode/Model/MyCodeQRCodeModel.h>
#include <Foundation/ClassRegistry.h>
#include <ObjectMapper/Mapper.h>
#include <Service/MyCardService.h>
#include <Service/ReplyDecoding.h>
#include <UIKit/Nib/UINib.h>
#include <Ultilities/Constants/Constants.h>
#include <Ultilities/Extensions/UIColorExtension.h>
#include <Ultilities/Handle/HandlePush.h>
#include <Ultilities/Handle/NibBundle.h>

namespace kerbelin {

namespace {
using Screen = MyCodeViewController;
const auto registration = ios::ClassRegistration<Screen, ios::UIViewController>()
                              .property("viewBackGroudHeader", &Screen::viewBackGroudHeader)
                              .property("tableView", &Screen::tableView)
                              .method("refreshHande:", &Screen::refreshHande);

bool awaitsPayment(TypeDetailCard type) { return type == TypeDetailCard::UnPaid || type == TypeDetailCard::WaitPay; }
}  // namespace

std::shared_ptr<MyCodeViewController> MyCodeViewController::create() {
  return std::make_shared<MyCodeViewController>();
}

MyCodeViewController::MyCodeViewController() : refreshControl(ios::UIRefreshControl::create()) {}

void MyCodeViewController::viewDidLoad() {
  UIViewController::viewDidLoad();
  auto table = tableView.lock();
  for (const char* name : {MyCodeMyQRTableViewCell::identifier, MyCodeListCardTableViewCell::identifier,
                                  DetailCardInfomationTableViewCell::identifier, MyCodeTitleTableViewCell::identifier,
                                  MyCodeInfomationServiceTableViewCell::identifier}) {
    if (table) table->registerNib(ios::UINib::create(name, resolveNibBundle(name, nullptr)), name);
  }
  if (table) table->setBackgroundColor(colorWithRGBA("#f3f3f9"));
  if (auto header = viewBackGroudHeader.lock()) header->setBackgroundColor(colorWithRGBA("#f3f3f9"));
  generateQR();
  getListCard();
  refreshControl->addTarget(weakAs<MyCodeViewController>(), "refreshHande:", ios::UIControl::valueChanged);
  if (table) table->addSubview(refreshControl);
}

// ---- Requests

void MyCodeViewController::refreshHande(const std::shared_ptr<ios::NSObject>&) {
  generateQR();
  getListCard();
  refreshControl->endRefreshing();
}

void MyCodeViewController::getListCard() {
  auto weak = weakAs<MyCodeViewController>();
  MyCardService::create()->getListMyCard(
      {{"isPaid", true}, {"keySearch", ""}, {"mobilePhone", phoneUser}, {"pageIndex", 0}, {"pageSize", 10}},
      [weak](ios::Dictionary&& reply) {
        if (auto self = weak.lock()) self->applyCards(std::move(reply));
      },
      [](const std::string&) {});
}

void MyCodeViewController::applyCards(ios::Dictionary reply) {
  auto body = bodyRequiringResultCodeZero(std::move(reply));
  if (!body || !body->contains("ownCardDtos")) return;
  auto cards = ios::mapArrayIfAllObjects<CardModel>(std::move((*body)["ownCardDtos"]));
  if (!cards) return;
  arrayCard = std::move(*cards);
  // No card left to detail: the rows below the strip no longer describe one of the user's cards, and
  // a detail still on its way has no card to fill them with.
  if (arrayCard.empty()) {
    objDetailCard = nullptr;
    ++detailRequests_;
  }
  isCheckReloadListCard = true;
  reloadTable();
}

void MyCodeViewController::generateQR() {
  if (qrInFlight_) return;  // one renewal at a time, however often the row's clock asks
  qrInFlight_ = true;
  auto weak = weakAs<MyCodeViewController>();
  auto ended = [weak](ios::Dictionary&& reply) {
    if (auto self = weak.lock()) self->applyQR(std::move(reply));
  };
  MyCardService::create()->generateQRCard({{"mobilePhone", phoneUser}, {"ownServiceCode", ""}}, ended,
                                          [ended](const std::string&) { ended(nullptr); });
}

void MyCodeViewController::applyQR(ios::Dictionary reply) {
  qrInFlight_ = false;
  auto body = bodyRequiringResultCodeZero(std::move(reply));
  if (!body) return;
  auto token = ios::mapObject<MyCodeQRCodeModel>(std::move(*body));
  // A token that draws nothing is no code: the row keeps asking.
  if (!token || token->token.empty()) return;
  objGenQRCode = token;
  isCheckReloadQRcode = true;
  reloadTable();
}

void MyCodeViewController::getDetailMyCard(const std::string& cardNo, const std::string& phone) {
  const std::uint64_t request = ++detailRequests_;
  auto weak = weakAs<MyCodeViewController>();
  MyCardService::create()->getDetailMyCard(
      {{"isPaid", true}, {"cardNo", cardNo}, {"mobilePhone", phone}},
      [weak, request](ios::Dictionary&& reply) {
        if (auto self = weak.lock()) self->applyDetail(request, std::move(reply));
      },
      [](const std::string&) {});
}

void MyCodeViewController::applyDetail(std::uint64_t request, ios::Dictionary reply) {
  // The strip has moved on to another card since: that card's reply is the one to show.
  if (request != detailRequests_) return;
  auto body = bodyRequiringResultCodeZero(std::move(reply));
  if (!body || !body->contains("ownCardDto") || !(*body)["ownCardDto"].is_object()) return;
  objDetailCard = ios::mapObject<CardModel>(std::move((*body)["ownCardDto"]));
  reloadTable();
}

void MyCodeViewController::genQRcode() { generateQR(); }

void MyCodeViewController::loadDetailCard(const std::shared_ptr<CardModel>& objCard) {
  if (objCard) getDetailMyCard(objCard->cardNo, phoneUser);
}

void MyCodeViewController::reloadTable() {
  if (auto table = tableView.lock()) table->reloadData();
}

// ---- Table

int MyCodeViewController::numberOfSections(ios::UITableView&) { return 4; }

int MyCodeViewController::numberOfRowsInSection(ios::UITableView&, int section) {
  switch (section) {
    case qrSection:
      return objGenQRCode ? 1 : 0;
    case cardsSection:
      return arrayCard.empty() ? 0 : 1;
    case accountsSection:
      return objDetailCard && objDetailCard->rootService
                 ? static_cast<int>(objDetailCard->rootService->ownAccountDtos.size())
                 : 0;
    case servicesSection:
      return !objDetailCard || objDetailCard->ownServiceDtos.empty()
                 ? 0
                 : 1 + static_cast<int>(objDetailCard->ownServiceDtos.size());
  }
  return 0;
}

std::shared_ptr<ios::UITableViewCell> MyCodeViewController::cellForRowAt(ios::UITableView& tableView,
                                                                        const ios::IndexPath& indexPath) {
  if (indexPath.section == qrSection) {
    auto cell = tableView.dequeueReusableCell<MyCodeMyQRTableViewCell>(MyCodeMyQRTableViewCell::identifier,
                                                                       indexPath);
    if (isCheckReloadQRcode) cell->getData(objGenQRCode);
    isCheckReloadQRcode = false;
    cell->delegate = sharedAs<MyCodeViewController>();
    return cell;
  }
  if (indexPath.section == cardsSection) {
    auto cell = tableView.dequeueReusableCell<MyCodeListCardTableViewCell>(
        MyCodeListCardTableViewCell::identifier, indexPath);
    // The strip reports its card only once its reload is laid out, by which time it knows its host.
    cell->deledate = sharedAs<MyCodeViewController>();
    if (isCheckReloadListCard) cell->GetArrayCard(arrayCard);
    isCheckReloadListCard = false;
    return cell;
  }
  if (indexPath.section == accountsSection) return accountRow(tableView, indexPath);
  return serviceRow(tableView, indexPath);
}

std::shared_ptr<ios::UITableViewCell> MyCodeViewController::accountRow(ios::UITableView& tableView,
                                                                       const ios::IndexPath& indexPath) {
  auto cell = tableView.dequeueReusableCell<DetailCardInfomationTableViewCell>(
      DetailCardInfomationTableViewCell::identifier, indexPath);
  cell->setCardModel(objDetailCard);
  const auto& root = objDetailCard->rootService;
  const auto& account = *root->ownAccountDtos.at(static_cast<std::size_t>(indexPath.row));
  if (auto label = cell->valueLabel1.lock()) label->setText(account.allocatedUnit);
  if (auto label = cell->valueLabel2.lock()) label->setText(account.availableUnit);
  if (auto label = cell->valueLabel3.lock()) label->setText(root->expirationDate);
  cell->rootViewController = sharedAs<ios::UIViewController>();
  return cell;
}

std::shared_ptr<ios::UITableViewCell> MyCodeViewController::serviceRow(ios::UITableView& tableView,
                                                                       const ios::IndexPath& indexPath) {
  if (indexPath.row == 0) return tableView.dequeueReusableCell(MyCodeTitleTableViewCell::identifier, indexPath);
  auto cell = tableView.dequeueReusableCell<MyCodeInfomationServiceTableViewCell>(
      MyCodeInfomationServiceTableViewCell::identifier, indexPath);
  cell->getDataServiceDetail(objDetailCard->ownServiceDtos.at(static_cast<std::size_t>(indexPath.row - 1)));
  cell->rootViewController = sharedAs<ios::UIViewController>();
  return cell;
}

ios::CGFloat MyCodeViewController::heightForRowAt(ios::UITableView&, const ios::IndexPath&) {
  return ios::UITableViewAutomaticDimension;
}

void MyCodeViewController::didSelectRowAt(ios::UITableView&, const ios::IndexPath& indexPath) {
  // Rows above the card's own, and the services' title row, open nothing.
  if (!objDetailCard || indexPath.section < accountsSection) return;
  const TypeDetailCard type = objDetailCard->type;
  const auto self = sharedAs<ios::UIViewController>();
  HandlePush router;
  if (indexPath.section == accountsSection) {
    if (awaitsPayment(type)) {
      router.pushDetaiService(self, objDetailCard->rootService, true, type);
    } else {
      router.pushDetaiServiceContainer(self, objDetailCard->rootService, true, type);
    }
    return;
  }
  const auto& services = objDetailCard->ownServiceDtos;
  if (indexPath.row < 1 || indexPath.row > static_cast<int>(services.size())) return;
  const auto& service = services[static_cast<std::size_t>(indexPath.row - 1)];
  if (type == TypeDetailCard::WaitPay) {
    router.pushDetaiService(self, service, type);
  } else {
    router.pushDetaiServiceContainer(self, service, type);
  }
}

}  // namespace kerbelin
