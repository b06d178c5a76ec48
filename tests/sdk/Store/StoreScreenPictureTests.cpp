// What the store looks like with fixed data: a reference picture per state, recorded on purpose and
// checked by eye. Pictures come from the fake transport, never from the network.

#include "StoreTestSupport.h"

#include <cstdint>

namespace kerbelin::test {
namespace {

using ios::Dictionary;

class StorePicture : public StoreTest {
 protected:
  void SetUp() override {
    StoreTest::SetUp();
    struct Picture {
      const char* name;
      std::uint32_t from, to;
      int width, height;
    };
    fake->setHandler([](const ios::HTTPRequest& request) -> std::optional<ios::HTTPResult> {
      const Picture pictures[] = {{"/img/cover-1", 0xFF8A65, 0xF4511E, 351, 150},
                                  {"/img/cover-2", 0x4FC3F7, 0x1E88E5, 351, 150},
                                  {"/img/logo", 0x43A047, 0x1B5E20, 44, 44},
                                  {"/img/cate", 0xFFB74D, 0xFF7043, 32, 32}};
      for (const auto& p : pictures)
        if (request.url.find(p.name) != std::string::npos)
          return ios::FakeTransport::reply(200, pngBytes(p.from, p.width, p.height, p.to));
      return std::nullopt;
    });
  }

  static std::string image(const std::string& name) { return "http://127.0.0.1:18082/img/" + name + ".png"; }

  void loadFixedStore() {
    Dictionary categories = Dictionary::array();
    const char* names[] = {"Làm đẹp", "Ăn uống", "Giải trí", "Sức khỏe", "Du lịch"};
    for (int i = 0; i < 5; ++i) {
      Dictionary cate = category(i + 1, i + 1, names[i]);
      cate["icon"] = image("cate-" + std::to_string(i));
      categories.push_back(cate);
    }
    answerCategories(categories);

    Dictionary spa = cardJSON({.name = "Gói chăm sóc da 5 buổi", .providerId = 12, .logo = image("logo"),
                               .image = image("cover-1"), .price = "450.000 đ", .listedPrice = "600.000 đ"});
    spa["discountValue"] = "-25%";
    spa["promotionDtos"] =
        Dictionary::array({{{"urlIcon", ""}, {"description", "Tặng <b>1 buổi</b> massage mặt"}},
                           {{"urlIcon", ""}, {"description", "Giảm thêm 5% khi thanh toán qua ví"}}});
    Dictionary dinner = cardJSON({.name = "Thẻ ăn tối cho hai người", .providerId = 13, .logo = image("logo"),
                                  .image = image("cover-2"), .price = "300.000 đ", .priceNumber = 300000,
                                  .listedPrice = "300.000 đ", .listedPriceNumber = 300000});
    dinner["discountValue"] = "0 đ";
    dinner["promotionDtos"] = Dictionary::array();
    for (int i = 1; i <= 6; ++i) {
      dinner["promotionDtos"].push_back({{"urlIcon", ""}, {"description", "Ưu đãi số " + std::to_string(i)}});
    }
    answer(lastCardRequest(), Dictionary{{"defCardDtos", Dictionary::array({spa, dinner})}});
    advance(1);
  }
};

// The first screen with two cards, then the second card scrolled to the top with its counting row.
TEST_F(StorePicture, FirstScreenAndSecondCard) {
  showHostStore();
  loadFixedStore();
  EXPECT_TRUE(looksAsRecorded("store-first-screen"));
  table()->scrollToRow({2, 0}, ios::UITableViewScrollPosition::top, false);
  EXPECT_TRUE(looksAsRecorded("store-second-card"));
}

}  // namespace
}  // namespace kerbelin::test
