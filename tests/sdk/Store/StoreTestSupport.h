#pragma once

// A fixture for the card store: the main run loop on the virtual clock, the framework's requests
// routed into a FakeTransport that the test answers one by one, the host's main bundle taken from the
// simulator's resources (the sort icons), and a key window that shows the store the way the host or a
// provider's page does.

#include <Class/BuyCard/BuyCardViewController.h>
#include <CoreGraphics/CGImage.h>
#include <Foundation/Base64.h>
#include <Foundation/Bundle.h>
#include <Foundation/Dictionary.h>
#include <Network/FakeTransport.h>
#include <Network/HTTPClient.h>
#include <Service/APIService.h>
#include <UIKit/TouchGenerator.h>
#include <UIKit/UIApplication.h>
#include <UIKit/UIImage.h>
#include <UIKit/UINavigationController.h>
#include <UIKit/UIWindow.h>
#include <Ultilities/Constants/Storyboards.h>
#include <WebImage/SDImageCache.h>
#include <WebImage/SDWebImageManager.h>
#include <support/VirtualTime.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kerbelin::test {

inline const char kStoreMainBundle[] = KERBELIN_TEST_SOURCE_DIR "/tools/simulator/Resources";
inline const char kCategoryPath[] = "/kerbelin-app/category/req";
inline const char kCardPath[] = "/kerbelin-app/v1/def-card/search/req";

// One card of a reply, as the back-end sends it.
struct CardFixture {
  std::string name = "Thẻ";
  int promotions = 0;
  std::optional<int> providerId;
  std::string logo;
  std::string image;
  std::string price = "90.000 đ";
  double priceNumber = 90000;
  std::string listedPrice = "100.000 đ";
  double listedPriceNumber = 100000;
};

inline ios::Dictionary cardJSON(const CardFixture& fixture) {
  ios::Dictionary card = {{"name", fixture.name},
                          {"code", "SP-" + fixture.name},
                          {"price", fixture.price},
                          {"priceNumber", fixture.priceNumber},
                          {"listedPrice", fixture.listedPrice},
                          {"listedPriceNumber", fixture.listedPriceNumber},
                          {"discountValue", "-10%"},
                          {"image", fixture.image}};
  ios::Dictionary promotions = ios::Dictionary::array();
  for (int i = 0; i < fixture.promotions; ++i) {
    promotions.push_back({{"urlIcon", ""}, {"description", "Ưu đãi " + std::to_string(i + 1)}});
  }
  card["promotionDtos"] = promotions;
  ios::Dictionary provider = {{"logo", fixture.logo}};
  if (fixture.providerId) provider["id"] = *fixture.providerId;
  card["providerDtos"] = ios::Dictionary::array({provider});
  return card;
}

inline ios::Dictionary category(std::optional<int> id, int orderNo, std::string name) {
  ios::Dictionary json = {{"orderNo", orderNo}, {"name", std::move(name)}, {"icon", ""}};
  if (id) json["id"] = *id;
  return json;
}

class StoreTest : public ios::test::MainLoopTest {
 protected:
  void SetUp() override {
    MainLoopTest::SetUp();
    fake = ios::FakeTransport::create();
    ios::HTTPClient::shared()->setTransport(fake);
    APIService::setBaseURL("http://127.0.0.1:18082");
    ios::Bundle::setMainBundle(ios::Bundle::create("main", std::filesystem::path(kStoreMainBundle)));
    // Images go through the fake transport too, into a cache of the test's own.
    imageCacheDirectory =
        std::filesystem::temp_directory_path() /
        ("kerbelin-store-images-" + std::to_string(::getpid()) + "-" + std::to_string(++runs));
    ios::SDWebImageManager::setShared(
        ios::SDWebImageManager::create(ios::SDImageCache::create(imageCacheDirectory.string())));
    window = ios::UIWindow::create();
    window->makeKeyAndVisible();
    touches = std::make_unique<ios::TouchGenerator>(window);
  }

  void TearDown() override {
    runUntilIdle();
    advance(1);
    touches.reset();
    window->setRootViewController(nullptr);
    ios::UIApplication::shared()->setKeyWindow(nullptr);
    window.reset();
    screen.reset();
    navigation.reset();
    ios::HTTPClient::shared()->setTransport(nullptr);
    APIService::setBaseURL("https://api.halvet.vn");
    ios::Bundle::setMainBundle(nullptr);
    ios::SDWebImageManager::setShared(nullptr);
    MainLoopTest::TearDown();
    std::error_code ignored;
    std::filesystem::remove_all(imageCacheDirectory, ignored);
  }

  // The host's store: the storyboard scene inside a navigation controller, as the window's root.
  void showHostStore() {
    screen = makeScreen();
    navigation = ios::UINavigationController::create(screen);
    window->setRootViewController(navigation);
    runUntilIdle();
  }

  // A provider page's store: set up before its view loads, then shown.
  void showEmbeddedStore(const std::shared_ptr<BuyCardViewControllerDelegate>& page,
                         std::optional<std::string> provider) {
    screen = makeScreen();
    screen->isCheckHiddenViewHeader = true;
    screen->delegate = page;
    screen->providerId = std::move(provider);
    navigation = ios::UINavigationController::create(screen);
    window->setRootViewController(navigation);
    runUntilIdle();
  }

  static std::shared_ptr<BuyCardViewController> makeScreen() {
    return std::dynamic_pointer_cast<BuyCardViewController>(
        shareInstanceBuyCardStoryboard()->instantiateViewController("BuyCardViewController"));
  }

  // Indexes of the requests sent to `path`, in sending order.
  std::vector<std::size_t> requestsTo(const std::string& path) const {
    std::vector<std::size_t> found;
    for (std::size_t i = 0; i < fake->requests().size(); ++i) {
      if (fake->requests()[i].url.find(path) != std::string::npos) found.push_back(i);
    }
    return found;
  }
  std::vector<std::size_t> categoryRequests() const { return requestsTo(kCategoryPath); }
  std::vector<std::size_t> cardRequests() const { return requestsTo(kCardPath); }
  std::size_t lastCardRequest() const {
    auto all = cardRequests();
    EXPECT_FALSE(all.empty());
    return all.empty() ? 0 : all.back();
  }

  ios::Dictionary sentParams(std::size_t index) const {
    auto envelope = ios::Dictionary::parse(fake->requests().at(index).body);
    auto json = ios::base64Decode(envelope["body"].get<std::string>());
    return json ? ios::Dictionary::parse(*json) : ios::Dictionary();
  }

  static std::string replyText(const std::optional<ios::Dictionary>& body, int resultCode = 0) {
    ios::Dictionary reply = {{"resultCode", resultCode}, {"resultDesc", "Thành công"}, {"secure", ""}, {"cost", 3}};
    if (body) reply["body"] = ios::base64Encode(body->dump());
    return reply.dump();
  }

  void answer(std::size_t index, const std::optional<ios::Dictionary>& body, int resultCode = 0) {
    ASSERT_TRUE(fake->respond(index, ios::FakeTransport::reply(200, replyText(body, resultCode))));
    runUntilIdle();
  }
  void answerCategories(std::size_t index, const ios::Dictionary& categories) {
    answer(index, ios::Dictionary{{"lstCate", categories}});
  }
  void answerCards(std::size_t index, const std::vector<CardFixture>& cards, int resultCode = 0) {
    ios::Dictionary list = ios::Dictionary::array();
    for (const auto& card : cards) list.push_back(cardJSON(card));
    answer(index, ios::Dictionary{{"defCardDtos", list}}, resultCode);
  }
  // Lets running animations (the overlay's 0.3 s fade) end and what they post run.
  void settle() {
    advance(0.5);
    runUntilIdle();
  }

  void failRequest(std::size_t index) {
    ASSERT_TRUE(
        fake->fail(index, ios::HTTPError{ios::HTTPError::Kind::connectionRefused, "Không kết nối được"}));
    runUntilIdle();
  }

  // The usual start: two categories (ids 7 and 8), then a first page of `cards`.
  void loadFirstPage(const std::vector<CardFixture>& cards) {
    answerCategories(categoryRequests().back(),
                     ios::Dictionary::array({category(7, 1, "Làm đẹp"), category(8, 2, "Ăn uống")}));
    answerCards(lastCardRequest(), cards);
    settle();  // the overlay's fade
    screen->tableView.lock()->layoutIfNeeded();
  }

  static std::vector<CardFixture> cards(int count, int promotions = 0) {
    std::vector<CardFixture> list;
    for (int i = 0; i < count; ++i) {
      CardFixture fixture;
      fixture.name = "Thẻ " + std::to_string(i + 1);
      fixture.promotions = promotions;
      list.push_back(fixture);
    }
    return list;
  }

  std::shared_ptr<ios::UITableView> table() const { return screen->tableView.lock(); }

  // The cell of a row, scrolled into view first.
  std::shared_ptr<ios::UITableViewCell> cellAt(ios::IndexPath indexPath) {
    table()->scrollToRow(indexPath, ios::UITableViewScrollPosition::top, false);
    table()->layoutIfNeeded();
    return table()->cellForRow(indexPath);
  }

  // The centre of a view, in window coordinates.
  ios::CGPoint centerOf(const ios::UIView& view) const {
    const ios::CGRect frame = view.convert(view.bounds(), window.get());
    return {frame.midX(), frame.midY()};
  }

  // A PNG of one colour (0xAARRGGBB), as an image server would send it.
  static std::string pngBytes(std::uint32_t argb, int width = 8, int height = 8) {
    auto image = ios::UIImage::create(
        std::shared_ptr<const ios::CGImage>(ios::CGImage::create(
            width, height, std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height, argb))),
        1);
    auto data = image->pngData();
    return data ? data->bytes : std::string();
  }

  // The number of overlays (tag 2125) on the key window.
  int overlays() const {
    int count = 0;
    for (const auto& view : window->subviews()) count += view->tag == WSLoadingView::containerTag ? 1 : 0;
    return count;
  }

  inline static int runs = 0;
  std::filesystem::path imageCacheDirectory;
  std::shared_ptr<ios::FakeTransport> fake;
  std::shared_ptr<ios::UIWindow> window;
  std::unique_ptr<ios::TouchGenerator> touches;
  std::shared_ptr<BuyCardViewController> screen;
  std::shared_ptr<ios::UINavigationController> navigation;
};

}  // namespace kerbelin::test
