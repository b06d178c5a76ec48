// A card's derived state, its services and promotions, and writing a card back to JSON.

#include <Class/BuyCard/Model/CardModel.h>
#include <Class/BuyCard/Model/CardPromotion.h>
#include <Class/BuyCard/Model/DefServiceDtos.h>
#include <Class/BuyCard/Model/DefServiceUnitDtos.h>
#include <Class/BuyCard/Model/ProviderDTO.h>
#include <Class/BuyCard/Model/StyleDtoModel.h>
#include <Class/DetailCard/Model/OwnAccountDtosModel.h>
#include <ObjectMapper/Mapper.h>

#include <gtest/gtest.h>

namespace kerbelin {
namespace {

using ios::Dictionary;

const std::vector<std::pair<std::string, TypeDetailCard>> kStates = {
    {"A", TypeDetailCard::Paid},   {"O", TypeDetailCard::Paid},    {"E", TypeDetailCard::Expire},
    {"C", TypeDetailCard::Expire}, {"W", TypeDetailCard::WaitPay}, {"", TypeDetailCard::UnPaid},
    {"a", TypeDetailCard::UnPaid}, {"o", TypeDetailCard::UnPaid},  {"A ", TypeDetailCard::UnPaid},
    {"N", TypeDetailCard::UnPaid}, {"AO", TypeDetailCard::UnPaid}, {"Đ", TypeDetailCard::UnPaid}};

TEST(CardModelType, FollowsTheStatusLetterOfCardsAndServices) {
  for (const auto& [status, state] : kStates) {
    SCOPED_TRACE(status);
    EXPECT_EQ(ios::mapObject<CardModel>({{"status", status}})->type, state);
    EXPECT_EQ(ios::mapObject<DefServiceDtos>({{"status", status}})->type, state);
  }
  // A status that is not text reads as no status.
  EXPECT_EQ(ios::mapObject<CardModel>({{"status", 1}})->type, TypeDetailCard::UnPaid);
}

TEST(CardModelRows, EachNestedRowHasItsOwnStateAndKind) {
  const auto card = ios::mapObject<CardModel>(
      {{"status", "A"},
       {"rootService", {{"status", "E"}}},
       {"ownServiceDtos", {{{"status", "W"}}, {{"status", "O"}}}},
       {"defServiceDtos", {{{"status", "C"}, {"typeService", "Info"}}}},  // the kind is never read
       {"promotionDtos", {{{"attribute", "HOT"}}, Dictionary::object()}}});
  EXPECT_EQ(card->type, TypeDetailCard::Paid);
  ASSERT_NE(card->rootService, nullptr);
  EXPECT_EQ(card->rootService->type, TypeDetailCard::Expire);
  EXPECT_EQ(card->rootService->typeService, TypeInfoCard::Cover);
  ASSERT_EQ(card->ownServiceDtos.size(), 2u);
  EXPECT_EQ(card->ownServiceDtos[0]->type, TypeDetailCard::WaitPay);
  EXPECT_EQ(card->ownServiceDtos[1]->type, TypeDetailCard::Paid);
  for (const auto& owned : card->ownServiceDtos) EXPECT_EQ(owned->typeService, TypeInfoCard::Service);
  ASSERT_EQ(card->defServiceDtos.size(), 1u);
  EXPECT_EQ(card->defServiceDtos[0]->type, TypeDetailCard::Expire);
  EXPECT_EQ(card->defServiceDtos[0]->typeService, TypeInfoCard::Cover);
  ASSERT_EQ(card->promotionDtos.size(), 2u);
  for (const auto& promotion : card->promotionDtos) EXPECT_EQ(promotion->type, TypeInfoCard::Promotion);
}

TEST(CardModelArrays, StrayElementsAreSkippedInFieldsButLoseTheWholeTopLevelList) {
  const Dictionary cards = {{{"code", "A1"}}, "rác", 42, nullptr, {{"code", "A2"}}};
  const auto card = ios::mapObject<CardModel>({{"providerDtos", {{{"id", 1}}, 7, {{"id", 2}}}}});
  ASSERT_EQ(card->providerDtos.size(), 2u);
  EXPECT_EQ(card->providerDtos[1]->id, std::optional<std::int64_t>(2));

  const auto skipping = ios::mapArray<CardModel>(cards);
  ASSERT_EQ(skipping.size(), 2u);
  EXPECT_EQ(skipping[1]->code, "A2");
  EXPECT_FALSE(ios::mapArrayIfAllObjects<CardModel>(cards).has_value());
}

TEST(CardModelJSON, WritingAndReadingBackKeepsEveryField) {
  const Dictionary json = Dictionary::parse(R"({
      "id": 88, "code": "THE-SPA-01", "cardNo": "9704000012345678", "name": "Thẻ Spa Thư Giãn",
      "priceNumber": 1200000, "listedPriceNumber": 1500000.0, "status": "W", "styleDto": {"rgb": "#FF5722"},
      "rootService": {"namDefService": "Massage", "status": "A"}, "ownServiceDtos": [{"namDefService": "Xông hơi"}],
      "defServiceUnitDtos": [], "promotionDtos": [{"description": "Tặng 1 buổi"}]})");
  const auto card = ios::mapObject<CardModel>(json);
  const Dictionary written = card->toJSON();
  // Derived and row-kind fields are not server fields.
  EXPECT_FALSE(written.contains("type"));
  EXPECT_FALSE(written["rootService"].contains("typeService"));
  EXPECT_FALSE(written["promotionDtos"][0].contains("type"));
  EXPECT_EQ(written["priceNumber"], 1200000.0);
  EXPECT_EQ(written["defServiceUnitDtos"], Dictionary::array());

  const auto again = ios::mapObject<CardModel>(written);
  EXPECT_EQ(again->toJSON(), written);
  EXPECT_EQ(again->type, TypeDetailCard::WaitPay);
  EXPECT_EQ(again->rootService->type, TypeDetailCard::Paid);
  EXPECT_EQ(again->ownServiceDtos[0]->typeService, TypeInfoCard::Service);
  EXPECT_EQ(again->promotionDtos[0]->type, TypeInfoCard::Promotion);
}

// A card with every field its list shows, nested models included.
Dictionary fullCard() {
  const Dictionary service = {{"namDefService", "Gội đầu"},
                              {"unitPrice", "120.000 đ"},
                              {"status", "A"},
                              {"usageDesciption", "Mỗi tuần"},
                              {"ownAccountDtos", {{{"availableUnit", "8 lần"}}}},
                              {"providerDto", {{"id", 3}}}};
  return {{"id", 88},
          {"name", "Thẻ Spa"},
          {"price", "1.200.000 đ"},
          {"priceNumber", 1200000},
          {"status", "W"},
          {"providerDtos", {{{"id", 3}, {"logo", "p.png"}}}},
          {"promotionDtos", {{{"urlIcon", "i.png"}}}},
          {"rootService", service},
          {"defServiceDtos", {service}},
          {"defServiceUnitDtos", {{{"displayLimitUnit", "1"}}}},
          {"styleDto", {{"rgb", "#FF5722"}}}};
}

// Sparse replies mapped right after a full card was freed: each reads its own keys only and keeps
// the presets for what is missing, null or of another type.
TEST(CardModelReuse, ACardMappedAfterAnotherWasFreedShowsNothingOfIt) {
  const Dictionary emptyService = {{"ownAccountDtos", Dictionary::array()}, {"providerDto", nullptr}};
  const std::vector<std::pair<const char*, Dictionary>> cases = {
      {"no keys", Dictionary::object()},
      {"nulls",
       {{"id", nullptr},
        {"name", nullptr},
        {"price", nullptr},
        {"providerDtos", nullptr},
        {"rootService", nullptr},
        {"styleDto", nullptr},
        {"defServiceUnitDtos", nullptr}}},
      {"other types",
       {{"id", "88"},
        {"name", 5},
        {"price", true},
        {"priceNumber", "1200000"},
        {"status", 1},
        {"providerDtos", "p"},
        {"rootService", {1}},
        {"styleDto", 1}}},
      {"empty arrays",
       {{"providerDtos", Dictionary::array()},
        {"promotionDtos", Dictionary::array()},
        {"defServiceDtos", {emptyService}},
        {"defServiceUnitDtos", Dictionary::array()}}},
  };
  for (const auto& [name, reply] : cases) {
    SCOPED_TRACE(name);
    for (const bool taking : {false, true}) {
      ios::mapObject<CardModel>(fullCard());
      const auto card =
          taking ? ios::mapObject<CardModel>(Dictionary(reply)) : ios::mapObject<CardModel>(reply);
      EXPECT_EQ(card->id, std::nullopt);
      EXPECT_EQ(card->name, "");
      EXPECT_EQ(card->price, "0 đ");
      EXPECT_EQ(card->priceNumber, 0);
      EXPECT_EQ(card->type, TypeDetailCard::UnPaid);
      EXPECT_TRUE(card->providerDtos.empty());
      EXPECT_TRUE(card->promotionDtos.empty());
      EXPECT_EQ(card->rootService, nullptr);
      EXPECT_EQ(card->styleDto, nullptr);
      EXPECT_EQ(card->defServiceUnitDtos.has_value(),
                reply.contains("defServiceUnitDtos") && reply["defServiceUnitDtos"].is_array());
      if (card->defServiceUnitDtos) {
        EXPECT_TRUE(card->defServiceUnitDtos->empty());
      }
      ASSERT_EQ(card->defServiceDtos.size(), reply.contains("defServiceDtos") ? 1u : 0u);
      for (const auto& service : card->defServiceDtos) {
        EXPECT_EQ(service->namDefService, "");
        EXPECT_EQ(service->unitPrice, "0 đ");
        EXPECT_EQ(service->usageDesciption, std::nullopt);
        EXPECT_TRUE(service->ownAccountDtos.empty());
        EXPECT_EQ(service->providerDto, nullptr);
      }
    }
  }
}

}  // namespace
}  // namespace kerbelin
