#pragma once

// A fixture for the card store: the screen fixture (tests/support/ScreenTest.h), images fetched through
// the fake transport into a cache of the test's own, and the store shown the way the host or a
// provider's page shows it.

#include <Class/BuyCard/BuyCardViewController.h>
#include <CoreGraphics/CGImage.h>
#include <Foundation/Dictionary.h>
#include <UIKit/UIImage.h>
#include <Ultilities/Constants/Storyboards.h>
#include <WebImage/SDImageCache.h>
#include <WebImage/SDWebImageManager.h>
#include <support/Pixels.h>
#include <support/ScreenTest.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kerbelin::test {

inline const char kCategoryPath[] = "/kerbelin-app/category/req";
inline const char kCardPath[] = "/kerbelin-app/v1/def-card/search/req";

// One card of a reply, as the back-end sends it.
struct CardFixture {
  std::string name = "Thẻ";
  int promotions = 0;
  std::optional<int> providerId{};
  std::string logo{};
  std::string image{};
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

class StoreTest : public ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    // Images go through the fake transport too, into a cache of the test's own.
    imageCacheDirectory =
        std::filesystem::temp_directory_path() /
        ("kerbelin-store-images-" + std::to_string(::getpid()) + "-" + std::to_string(++runs));
    ios::SDWebImageManager::setShared(
        ios::SDWebImageManager::create(ios::SDImageCache::create(imageCacheDirectory.string())));
  }

  void TearDown() override {
    screen.reset();
    ScreenTest::TearDown();
    ios::SDWebImageManager::setShared(nullptr);
    std::error_code ignored;
    std::filesystem::remove_all(imageCacheDirectory, ignored);
  }

  // The host's store: the storyboard scene inside a navigation controller, as the window's root.
  void showHostStore() {
    screen = makeScreen();
    showInNavigation(screen);
  }

  // A provider page's store: set up before its view loads, then shown.
  void showEmbeddedStore(const std::shared_ptr<BuyCardViewControllerDelegate>& page,
                         std::optional<std::string> provider) {
    screen = makeScreen();
    screen->isCheckHiddenViewHeader = true;
    screen->delegate = page;
    screen->providerId = std::move(provider);
    showInNavigation(screen);
  }

  static std::shared_ptr<BuyCardViewController> makeScreen() {
    return std::dynamic_pointer_cast<BuyCardViewController>(
        shareInstanceBuyCardStoryboard()->instantiateViewController("BuyCardViewController"));
  }

  std::vector<std::size_t> categoryRequests() const { return requestsTo(kCategoryPath); }
  std::vector<std::size_t> cardRequests() const { return requestsTo(kCardPath); }
  std::size_t lastCardRequest() const { return lastRequestTo(kCardPath); }

  // Answers category request `index`, or the last one, with `categories`.
  void answerCategories(std::size_t index, const ios::Dictionary& categories) {
    answer(index, ios::Dictionary{{"lstCate", categories}});
  }
  void answerCategories(const ios::Dictionary& categories = beauty()) {
    answerCategories(lastRequestTo(kCategoryPath), categories);
  }
  // Answers card request `index`, or the last one, with `cards`.
  void answerCards(std::size_t index, const std::vector<CardFixture>& cards, int resultCode = 0) {
    ios::Dictionary list = ios::Dictionary::array();
    for (const auto& card : cards) list.push_back(cardJSON(card));
    answer(index, ios::Dictionary{{"defCardDtos", list}}, resultCode);
  }
  void answerCards(const std::vector<CardFixture>& cards, int resultCode = 0) {
    answerCards(lastCardRequest(), cards, resultCode);
  }
  // The usual start: two categories (ids 7 and 8), then a first page of `cards`.
  void loadFirstPage(const std::vector<CardFixture>& cards) {
    answerCategories(beautyAndFood());
    answerCards(cards);
    settle();  // the overlay's fade
    table()->layoutIfNeeded();
  }
  static ios::Dictionary beauty() { return ios::Dictionary::array({category(7, 1, "Làm đẹp")}); }
  static ios::Dictionary beautyAndFood() {
    return ios::Dictionary::array({category(7, 1, "Làm đẹp"), category(8, 2, "Ăn uống")});
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
  std::shared_ptr<ios::UITableViewCell> cellAt(ios::IndexPath indexPath) { return rowOf(*table(), indexPath); }

  // A PNG of one colour (0xAARRGGBB), as an image server would send it; with `to`, a left-to-right
  // blend of two opaque colours.
  static std::string pngBytes(std::uint32_t argb, int width = 8, int height = 8,
                              std::optional<std::uint32_t> to = std::nullopt) {
    auto image = ios::test::painted(width, height, [&](int x, int) {
      if (!to) return argb;
      const double t = width > 1 ? static_cast<double>(x) / (width - 1) : 0;
      std::uint32_t pixel = 0xFF000000;
      for (int shift : {16, 8, 0}) {
        const int from = ios::test::channel(argb, shift), end = ios::test::channel(*to, shift);
        pixel |= static_cast<std::uint32_t>(from + t * (end - from)) << shift;
      }
      return pixel;
    });
    auto data = image->pngData();
    return data ? data->bytes : std::string();
  }

  inline static int runs = 0;
  std::filesystem::path imageCacheDirectory;
  std::shared_ptr<BuyCardViewController> screen;
};

}  // namespace kerbelin::test
