// The owned-service row as both of its hosts use it: filled again and again on reuse, and its QR
// and provider buttons.

#include "DetailTestSupport.h"

#include <Class/BuyCard/Model/DefServiceDtos.h>
#include <Class/MyCode/Cell/MyCodeInfomationServiceTableViewCell.h>
#include <Class/MyCode/PopupQRController/ContainerFloatingQRCodeViewController.h>
#include <Class/MyCode/ShopServiceViewController.h>
#include <ObjectMapper/Mapper.h>

namespace kerbelin::test {
namespace {

using ios::Dictionary;

class ServiceRow : public DetailTest {
 protected:
  void SetUp() override {
    DetailTest::SetUp();
    row = fromNib<MyCodeInfomationServiceTableViewCell>();
    ASSERT_TRUE(row);
    row->rootViewController = root;
  }
  static std::shared_ptr<DefServiceDtos> service(Dictionary json) {
    json["code"] = "KB01-1";
    json["namDefService"] = "Tập gym tự do";
    return ios::mapObject<DefServiceDtos>(json);
  }
  std::string badge() const { return textOf(row->labelEffect); }
  ios::CGColor badgeColour() const {
    auto colour = row->viewEffect.lock()->backgroundColor();
    return colour ? colour->cgColor() : ios::UIColor::clear()->cgColor();
  }

  std::shared_ptr<MyCodeInfomationServiceTableViewCell> row;
};

TEST_F(ServiceRow, EachFillStartsFromTheNibsLook) {
  const Dictionary accounts = Dictionary::array({{{"allocatedUnit", "8 lần"}, {"availableUnit", "5 lần"}},
                                                 {{"allocatedUnit", "99 lần"}, {"availableUnit", "99 lần"}}});
  struct Case {
    const char* name;
    Dictionary json;
    std::string granted, left, badge;
    std::uint32_t badgeRGB;  // 0: no colour
  };
  // One row filled in this order, as a table reuses it.
  const Case cases[] = {
      {"paid", {{"status", "A"}, {"ownAccountDtos", accounts}}, "8 lần", "5 lần", "Còn hiệu lực", 0x4DAF50},
      {"awaiting, no accounts", {{"status", "W"}}, "—", "—", "", 0},
      {"expired with a description",
       {{"status", "C"}, {"ownAccountDtos", accounts}, {"usageDescription", "Mỗi ngày <b>1 lần</b>"}},
       "Mỗi ngày 1 lần", "5 lần", "Hết hiệu lực", 0xDEDEDE},
      {"unpaid", {{"status", "X"}}, "—", "—", "", 0},
  };
  for (const auto& c : cases) {
    row->getDataServiceDetail(service(c.json));
    EXPECT_EQ(textOf(row->valueLabel1), c.granted) << c.name;
    EXPECT_EQ(textOf(row->valueLabel2), c.left) << c.name;
    EXPECT_EQ(badge(), c.badge) << c.name;
    const auto expected = c.badgeRGB ? ios::CGColor::rgb(((c.badgeRGB >> 16) & 0xFF) / 255.0,
                                                         ((c.badgeRGB >> 8) & 0xFF) / 255.0, (c.badgeRGB & 0xFF) / 255.0)
                                     : ios::UIColor::clear()->cgColor();
    EXPECT_EQ(badgeColour(), expected) << c.name;
  }
}

TEST_F(ServiceRow, QRAndProviderButtonsOpenFromTheHost) {
  row->getDataServiceDetail(service({{"status", "A"}, {"providerDto", {{"id", 12}, {"logo", ""}}}}));
  row->pressedShowQR();
  runUntilIdle();
  auto sheet = std::dynamic_pointer_cast<ContainerFloatingQRCodeViewController>(root->presentedViewController());
  ASSERT_TRUE(sheet);
  EXPECT_EQ(sheet->params, (Dictionary{{"mobilePhone", "0912345678"}, {"ownServiceCode", "KB01-1"}}));
  EXPECT_EQ(sheet->nameTitle, "Tập gym tự do");
  EXPECT_FALSE(sheet->code.has_value());
  root->dismiss(false);
  settle();
  row->pressedGoToShopService();
  settle();
  auto provider = top<ShopServiceViewController>();
  ASSERT_TRUE(provider);
  EXPECT_EQ(provider->providerId, "12");
}

}  // namespace
}  // namespace kerbelin::test
