// My cards and the payment guide with fixed data: reference pictures recorded on purpose and checked
// by eye. Card pictures come through the fake transport.

#include "MyCardTestSupport.h"

#include <Ultilities/Handle/HandlePush.h>

namespace kerbelin::test {
namespace {

class MyCardPicture : public MyCardsTest {
 protected:
  void SetUp() override {
    MyCardsTest::SetUp();
    fake->setHandler([](const ios::HTTPRequest& request) -> std::optional<ios::HTTPResult> {
      const std::uint32_t colours[] = {0xFFFF8A65, 0xFF4FC3F7, 0xFF81C784, 0xFFBA68C8, 0xFFFFD54F};
      const auto at = request.url.find("/img/card-");
      if (at == std::string::npos) return std::nullopt;
      return ios::FakeTransport::reply(200, pngBytes(colours[request.url[at + 10] - '0'], 112, 72));
    });
  }
  static std::string image(int i) { return "http://127.0.0.1:18082/img/card-" + std::to_string(i) + ".png"; }
  ::testing::AssertionResult looksAsRecorded(const std::string& name) {
    advance(1);
    return MyCardsTest::looksAsRecorded(name);
  }
};

TEST_F(MyCardPicture, CardsOfEveryStatusAndTheEmptyList) {
  showWith({{.name = "Thẻ tập Gym 3 tháng", .status = "W", .services = 2, .rgb = "#F4511E", .image = image(0)},
            {.name = "Thẻ bơi 20 buổi", .services = 5, .balances = {"14 buổi"}, .rgb = "#0288D1", .image = image(1)},
            {.name = "Gói massage 5 buổi", .status = "O", .balances = {"5 buổi"}, .rgb = "#8D6E63", .image = image(2)},
            {.name = "Thẻ yoga 12 buổi", .status = "E", .balances = {"0 buổi"}, .rgb = "#AB47BC", .image = image(3)},
            {.name = "Giặt sấy 30 kg", .status = "C", .services = 0, .image = image(4)}});
  EXPECT_TRUE(looksAsRecorded("mycards-every-status"));
  listView()->scrollToRow({3, 0}, ios::UITableViewScrollPosition::top, false);
  EXPECT_TRUE(looksAsRecorded("mycards-lapsed"));
  showWith({});
  EXPECT_TRUE(looksAsRecorded("mycards-empty"));
}

TEST_F(MyCardPicture, PaymentGuide) {
  auto root = ios::UIViewController::create();
  show(root);
  HandlePush::create()->pushTutorialPay(root, "GD202612060010");
  settle();
  answerLast("/payment-guide/req",
         ios::Dictionary{{"paymentGuide",
                          "<p><b>Thanh toán tại câu lạc bộ Sao Việt</b></p><ol><li>Đến quầy lễ tân bất kỳ câu lạc "
                          "bộ nào trong giờ mở cửa.</li><li>Cung cấp <b>mã đơn hàng</b> hiển thị trên màn hình "
                          "này.</li><li>Thanh toán tiền mặt và nhận <i>khăn tập miễn phí</i>.</li></ol>"}});
  EXPECT_TRUE(looksAsRecorded("payment-guide"));
}

}  // namespace
}  // namespace kerbelin::test
