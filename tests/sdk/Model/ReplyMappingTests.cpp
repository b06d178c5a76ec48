// Whole replies as the back-end sends them (after the body is decoded), mapped the way the
// screens map them.

#include <Class/BuyCard/Model/BuyCardCategory.h>
#include <Class/BuyCard/Model/CardModel.h>
#include <Class/BuyCard/Model/DefServiceDtos.h>
#include <Class/BuyCard/Model/MetaReponse.h>
#include <Class/BuyCard/Model/RedisMetaModel.h>
#include <Class/DetailCard/Model/AccountEntryDtos.h>
#include <Class/DetailCard/Model/HistoryModel.h>
#include <Class/DetailCard/Model/TutorialPayModel.h>
#include <Class/MyCode/Model/AreaModel.h>
#include <Class/MyCode/Model/BranchModel.h>
#include <Class/MyCode/Model/LocationModel.h>
#include <Class/MyCode/Model/MyCodeQRCodeModel.h>
#include <Class/Pay/Model/PaymentModel.h>
#include <Class/Pay/Model/WaitPayment.h>
#include <ObjectMapper/Mapper.h>

#include <gtest/gtest.h>

namespace kerbelin {
namespace {

using ios::Dictionary;

Dictionary envelope(Dictionary body) {
  return {
      {"resultCode", "0"},
      {"resultDesc", "Thành công"},
      {"secure", ""},
      {"cost", 17},
      {"restHeader", {{"clientId", "kerbelin-sdk"}, {"language", "vi"}, {"timeZone", "Asia/Ho_Chi_Minh"}}},
      {"body", std::move(body)}};
}

// Every value of `sent` is in `written` under the same key, nested objects and arrays alike.
void expectWrittenBack(const Dictionary& written, const Dictionary& sent, const std::string& path) {
  if (sent.is_object() && written.is_object()) {
    for (const auto& [key, value] : sent.items())
      expectWrittenBack(written.value(key, Dictionary()), value, path + "." + key);
  } else if (sent.is_array() && written.is_array() && sent.size() == written.size()) {
    for (std::size_t i = 0; i < sent.size(); ++i)
      expectWrittenBack(written[i], sent[i], path + "." + std::to_string(i));
  } else {
    EXPECT_EQ(written, sent) << path;
  }
}

// Maps `reply` and checks that every field it holds was read under its own key: the model writes each
// back unchanged (a misspelt key or a wrong type reads nothing, and writes something else).
template <class T>
std::shared_ptr<T> expectReadsEveryField(const Dictionary& reply) {
  auto model = ios::mapObject<T>(reply);
  EXPECT_NE(model, nullptr);
  if (model) expectWrittenBack(model->toJSON(), reply, "");
  return model;
}

TEST(MetaReponseMapping, ReadsTheEnvelope) {
  const auto reply = ios::mapObject<MetaReponse>(envelope({{"lstCate", Dictionary::array()}}));
  ASSERT_NE(reply, nullptr);
  EXPECT_EQ(reply->resultCode, 0);
  EXPECT_EQ(reply->resultDesc, "Thành công");
  EXPECT_EQ(reply->cost, 17);
  ASSERT_TRUE(reply->body.has_value());
  EXPECT_TRUE(reply->body->contains("lstCate"));
  ASSERT_NE(reply->restHeader, nullptr);
  EXPECT_EQ(reply->restHeader->clientId, "kerbelin-sdk");
  EXPECT_EQ(reply->restHeader->timeZone, "Asia/Ho_Chi_Minh");
}

TEST(MetaReponseMapping, ResultCodeReadsNumbersAndDecimalTextOnly) {
  const std::vector<std::pair<Dictionary, std::int64_t>> cases = {
      {0, 0},     {"0", 0},    {"12", 12}, {12, 12},      {"-1", -1},
      {3.0, 3},   {"", -1},    {"0 ", -1}, {" 0", -1},    {"+1", -1},
      {"1a", -1}, {"abc", -1}, {true, -1}, {nullptr, -1}, {"99999999999999999999", -1}};
  for (const auto& [code, expected] : cases) {
    EXPECT_EQ(ios::mapObject<MetaReponse>({{"resultCode", code}})->resultCode, expected) << code.dump();
  }
  EXPECT_EQ(ios::mapObject<MetaReponse>(Dictionary::object())->resultCode, -1);
  EXPECT_EQ(ios::mapObject<MetaReponse>({{"resultCode", "5"}})->toJSON()["resultCode"], 5);
}

TEST(MetaReponseMapping, AnyObjectMapsAndOnlyAnObjectBodyIsKept) {
  EXPECT_EQ(ios::mapObject<MetaReponse>(Dictionary::array()), nullptr);
  EXPECT_EQ(ios::mapObject<MetaReponse>(Dictionary("{}")), nullptr);
  const auto undecoded = ios::mapObject<MetaReponse>({{"resultCode", 0}, {"body", "eyJhIjoxfQ=="}});
  ASSERT_NE(undecoded, nullptr);
  EXPECT_FALSE(undecoded->body.has_value());
  EXPECT_FALSE(ios::mapObject<MetaReponse>({{"body", {1, 2}}})->body.has_value());
}

Dictionary json(const char* text) {
  return Dictionary::parse(text);
}

TEST(ReplyMapping, StoreCategoriesAndCardSearch) {
  const Dictionary categories = json(R"({"lstCate": [
      {"id": 3, "status": "A", "objectType": "PKG", "code": "SPA", "orderNo": 2, "name": "Làm đẹp",
       "icon": "https://cdn.halvet.vn/c/spa.png"},
      {"id": 1, "orderNo": 1, "name": "Ăn uống"}]})");
  const auto reply = ios::mapObject<MetaReponse>(envelope(categories));
  const auto list = ios::mapArrayIfAllObjects<BuyCardCategory>(reply->body->at("lstCate"));
  ASSERT_TRUE(list.has_value());
  ASSERT_EQ(list->size(), 2u);
  expectReadsEveryField<BuyCardCategory>(categories["lstCate"][0]);
  EXPECT_EQ((*list)[1]->icon, "");

  const auto card = expectReadsEveryField<CardModel>(json(R"({
      "code": "GOI-AN-SANG", "name": "Gói ăn sáng 30 ngày", "image": "https://cdn.halvet.vn/card/an-sang.jpg",
      "description": "Ăn sáng mỗi ngày tại các chi nhánh", "usageTerms": "<p>Áp dụng từ thứ Hai đến thứ Sáu</p>",
      "price": "450.000 đ", "priceNumber": 450000, "listedPrice": "600.000 đ", "listedPriceNumber": 600000,
      "discountValue": "-25%", "discountValueNumber": 25.0, "templatePromotion": "Tặng bạn bè",
      "providerDtos": [{"id": 7, "logo": "https://cdn.halvet.vn/p/7.png"}],
      "promotionDtos": [{"urlIcon": "https://cdn.halvet.vn/i/gift.png", "description": "Tặng <b>cà phê</b>",
                         "attribute": "HOT"}],
      "rootService": {"namDefService": "Bữa sáng", "limitDetailDescription": "30 lần"},
      "defServiceDtos": [{
          "code": "DV-01", "price": "50.000 đ", "defServiceUnitDtos": [{"displayLimitUnit": "10 lần"}],
          "namDefService": "Gội đầu dưỡng sinh", "unitPrice": "45.000 đ", "expiryDate": "30 ngày",
          "usageDesciption": "", "usageDescription": "Dùng tại quầy",
          "providerDto": {"id": 12, "logo": "https://cdn.halvet.vn/p/12.png"},
          "ownAccountDtos": [{"allocatedUnit": "10 lần", "availableUnit": "7 lần"}]}]})"));
  // A service reads the whole card's fields, then its own; the two usage keys are separate, and
  // present-but-empty is kept.
  EXPECT_EQ(card->defServiceDtos.at(0)->usageDesciption, std::optional<std::string>(""));
}

TEST(ReplyMapping, OwnedCard) {
  const auto card = expectReadsEveryField<CardModel>(json(R"({
      "cardNo": "KB0001234", "cardNoDisplay": "KB00 0123 4", "defCardCode": "GOI-AN-SANG", "status": "O",
      "transactionCode": "GD20261206001", "paymentTime": "06/12/2026 09:15", "paymentExpirationDate": "07/12/2026",
      "discount": "Chờ thanh toán", "styleDto": {"rgb": "#3F51B5"},
      "defServiceUnitDtos": [{"displayLimitUnit": "30 lần"}],
      "ownServiceDtos": [{"code": "SV-PHO", "namDefService": "Phở bò", "expirationDate": "05/01/2027",
                          "usageDescription": "Xuất trình mã QR tại quầy"}]})"));
  EXPECT_EQ(card->type, TypeDetailCard::Paid);
  EXPECT_FALSE(card->ownServiceDtos.at(0)->usageDesciption.has_value());
}

TEST(ReplyMapping, BillAndWaitingPayment) {
  expectReadsEveryField<PaymentModel>(json(R"({
      "cost": 5, "customerName": "Nguyễn Văn An", "customerMobilePhone": "0912345678",
      "defCardName": "Gói ăn sáng 30 ngày", "cardNo": "KB0001234", "amount": 450000, "amountVnd": "450.000 VNĐ",
      "orderNo": "DH-0001", "usageTerms": "<ul><li>Không hoàn tiền</li></ul>",
      "providerDTOs": [{"name": "Phở Hà Thành", "headquarterAddress": "12 Lý Thường Kiệt, Hoàn Kiếm, Hà Nội",
                        "logo": "https://cdn.halvet.vn/p/7.png", "image": "https://cdn.halvet.vn/p/7-bia.jpg",
                        "headquarterPhone": "024 3826 0000", "email": "lienhe@phohathanh.vn",
                        "website": "https://phohathanh.vn", "facebook": "https://facebook.com/phohathanh",
                        "introduction": "<p>Hương vị phở Hà Nội</p>"}]})"));
  expectReadsEveryField<WaitPayment>(json(R"({
      "cost": 3, "orderNo": "DH-0001", "amount": "450.000 đ", "paymentGuide": "<p>Thanh toán tiền mặt tại quầy</p>",
      "providerIds": ["7", "9"], "expirationDate": "07/12/2026", "expirationTime": "23:59"})"));
  // Values of the wrong type are left out rather than converted.
  EXPECT_FALSE(ios::mapObject<PaymentModel>({{"amount", "450000"}})->amount.has_value());
  EXPECT_FALSE(ios::mapObject<WaitPayment>({{"providerIds", {"7", 9}}})->providerIds.has_value());
  EXPECT_FALSE(ios::mapObject<WaitPayment>({{"amount", 450000}})->amount.has_value());
}

TEST(ReplyMapping, UsageHistoryAndTutorial) {
  const Dictionary entry = json(R"({
      "id": 2, "transactionId": 9001, "amountUnit": "-1 lần", "availableAfterUnit": "28 lần",
      "providerName": "Phở Hà Thành", "entryTime": "06/12/2026", "entryTimeDetail": "06/12/2026 07:30",
      "transType": "USAGE"})");
  expectReadsEveryField<AccountEntryDtos>(entry);
  const auto history = ios::mapObject<HistoryModel>(
      {{"serviceName", "Phở bò"},
       {"status", "E"},
       {"unitType", "TIMES"},
       {"searchType", "1W"},
       {"fromDateFilter", "01/12/2026"},
       {"usageDescription", "Mỗi ngày một lần"},
       {"accountEntryDtos", {entry, {{"id", 1}, {"transactionId", 9000}, {"transType", "REFUND"}}}}});
  EXPECT_EQ(history->serviceName, "Phở bò");
  EXPECT_EQ(history->type, TypeDetailCard::Expire);
  EXPECT_EQ(history->unitType, UnitType::Times);
  EXPECT_EQ(history->usageDescription, std::optional<std::string>("Mỗi ngày một lần"));
  // The filter is the screen's own, whatever the reply holds.
  EXPECT_EQ(history->searchType, SearchType::Tran5);
  EXPECT_EQ(history->fromDateFilter, "");
  ASSERT_EQ(history->accountEntryDtos.size(), 2u);
  EXPECT_EQ(history->accountEntryDtos[1]->transType, TranType::Payment);
  EXPECT_EQ(ios::mapObject<HistoryModel>({{"unitType", "WEEKS"}})->unitType, UnitType::Day);
  expectReadsEveryField<TutorialPayModel>(json(R"({
      "paymentGuideCash": "Thanh toán tại quầy", "transferInstruction": "Chuyển khoản ghi rõ mã đơn",
      "paymentGuide": "<p>Bước 1: Đến quầy</p>", "noteTransfer": "DH-0001"})"));
}

TEST(ReplyMapping, QRTokenBranchesAndAreas) {
  expectReadsEveryField<MyCodeQRCodeModel>(json(
      R"({"cost": 4, "resultCode": 0, "resultDesc": "Thành công", "timeToken": 60, "token": "KBQR-7f3a9c"})"));
  expectReadsEveryField<BranchModel>(json(R"({
      "name": "Chi nhánh Cầu Giấy", "fullAddress": "88 Trần Duy Hưng, Cầu Giấy, Hà Nội",
      "businessHourDisplay": "06:00 - 22:00", "phone": "0243 999 8888", "openStatus": "1",
      "location": {"latitude": "21.0123", "longitude": "105.8012"}, "distance": 2})"));
  // Coordinates sent as numbers are not texts.
  EXPECT_EQ(ios::mapObject<LocationModel>({{"latitude", 21.0}})->latitude, "");
  expectReadsEveryField<AreaModel>(json(R"({
      "id": 10101, "areaType": "C", "areaCode": "00001", "province": "Hà Nội", "district": "Ba Đình",
      "precinct": "Phúc Xá", "fullName": "Phường Phúc Xá"})"));
}

}  // namespace
}  // namespace kerbelin
