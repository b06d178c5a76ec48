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
    {"a", TypeDetailCard::UnPaid}, {"N", TypeDetailCard::UnPaid},  {"AO", TypeDetailCard::UnPaid}};

TEST(CardModelType, FollowsTheStatusLetterOfCardsAndServices) {
  for (const auto& [status, state] : kStates) {
    SCOPED_TRACE(status);
    EXPECT_EQ(ios::mapObject<CardModel>({{"status", status}})->type, state);
    EXPECT_EQ(ios::mapObject<DefServiceDtos>({{"status", status}})->type, state);
  }
  // A status that is not text reads as no status.
  EXPECT_EQ(ios::mapObject<CardModel>({{"status", 1}})->type, TypeDetailCard::UnPaid);
}

TEST(CardModelType, EachServiceHasItsOwnState) {
  const Dictionary json = {{"status", "A"},
                           {"rootService", {{"status", "E"}}},
                           {"ownServiceDtos", {{{"status", "W"}}, {{"status", "O"}}}},
                           {"defServiceDtos", {{{"status", "C"}}}}};
  const auto card = ios::mapObject<CardModel>(json);
  EXPECT_EQ(card->type, TypeDetailCard::Paid);
  ASSERT_NE(card->rootService, nullptr);
  EXPECT_EQ(card->rootService->type, TypeDetailCard::Expire);
  ASSERT_EQ(card->ownServiceDtos.size(), 2u);
  EXPECT_EQ(card->ownServiceDtos[0]->type, TypeDetailCard::WaitPay);
  EXPECT_EQ(card->ownServiceDtos[1]->type, TypeDetailCard::Paid);
  ASSERT_EQ(card->defServiceDtos.size(), 1u);
  EXPECT_EQ(card->defServiceDtos[0]->type, TypeDetailCard::Expire);
}

TEST(CardModelServices, OwnedServicesBecomeServiceRowsAndOthersDoNot) {
  const Dictionary service = {{"namDefService", "Rửa xe"}};
  const auto card = ios::mapObject<CardModel>(
      {{"ownServiceDtos", {service, service}}, {"defServiceDtos", {service}}, {"rootService", service}});
  for (const auto& owned : card->ownServiceDtos) EXPECT_EQ(owned->typeService, TypeInfoCard::Service);
  EXPECT_EQ(card->defServiceDtos[0]->typeService, TypeInfoCard::Cover);
  EXPECT_EQ(card->rootService->typeService, TypeInfoCard::Cover);
  // Never read from the server.
  EXPECT_EQ(ios::mapObject<DefServiceDtos>({{"typeService", "Info"}})->typeService, TypeInfoCard::Cover);
}

TEST(CardModelServices, ServiceReadsTheWholeCardThenItsOwnFields) {
  const Dictionary json = {{"code", "DV-01"},
                           {"name", "Gội đầu"},
                           {"price", "50.000 đ"},
                           {"defServiceUnitDtos", {{{"displayLimitUnit", "10 lần"}}}},
                           {"namDefService", "Gội đầu dưỡng sinh"},
                           {"usageDesciption", ""},
                           {"usageDescription", "Dùng tại quầy"},
                           {"providerDto", {{"id", 12}, {"logo", "https://cdn.halvet.vn/p/12.png"}}},
                           {"ownAccountDtos", {{{"allocatedUnit", "10 lần"}, {"availableUnit", "7 lần"}}}}};
  const auto service = ios::mapObject<DefServiceDtos>(json);
  EXPECT_EQ(service->code, "DV-01");
  EXPECT_EQ(service->name, "Gội đầu");
  EXPECT_EQ(service->price, "50.000 đ");
  ASSERT_TRUE(service->defServiceUnitDtos.has_value());
  EXPECT_EQ((*service->defServiceUnitDtos)[0]->displayLimitUnit, "10 lần");
  EXPECT_EQ(service->namDefService, "Gội đầu dưỡng sinh");
  // The two usage keys are separate, and present-but-empty is kept.
  EXPECT_EQ(service->usageDesciption, std::optional<std::string>(""));
  EXPECT_EQ(service->usageDescription, std::optional<std::string>("Dùng tại quầy"));
  ASSERT_NE(service->providerDto, nullptr);
  EXPECT_EQ(service->providerDto->id, std::optional<std::int64_t>(12));
  ASSERT_EQ(service->ownAccountDtos.size(), 1u);
  EXPECT_EQ(service->ownAccountDtos[0]->availableUnit, "7 lần");
}

TEST(CardModelPromotions, MappedPromotionsArePromotionRows) {
  const auto card = ios::mapObject<CardModel>({{"promotionDtos",
                                                {{{"urlIcon", "https://cdn.halvet.vn/i/km.png"},
                                                  {"description", "<b>Giảm 20%</b>"},
                                                  {"attribute", "HOT"}},
                                                 Dictionary::object()}}});
  ASSERT_EQ(card->promotionDtos.size(), 2u);
  for (const auto& promotion : card->promotionDtos) EXPECT_EQ(promotion->type, TypeInfoCard::Promotion);
  EXPECT_EQ(card->promotionDtos[0]->description, "<b>Giảm 20%</b>");
  EXPECT_EQ(card->promotionDtos[0]->attribute, "HOT");
  EXPECT_EQ(card->promotionDtos[1]->urlIcon, "");
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
  const Dictionary json = {
      {"id", 88},
      {"code", "THE-SPA-01"},
      {"cardNo", "9704000012345678"},
      {"name", "Thẻ Spa Thư Giãn"},
      {"price", "1.200.000 đ"},
      {"priceNumber", 1200000},
      {"listedPrice", "1.500.000 đ"},
      {"listedPriceNumber", 1500000.0},
      {"discountValue", "-20%"},
      {"discountValueNumber", 20},
      {"status", "W"},
      {"styleDto", {{"rgb", "#FF5722"}}},
      {"rootService", {{"namDefService", "Massage"}, {"status", "A"}}},
      {"ownServiceDtos", {{{"namDefService", "Xông hơi"}}}},
      {"defServiceUnitDtos", Dictionary::array()},
      {"promotionDtos", {{{"description", "Tặng 1 buổi"}}}},
  };
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
  EXPECT_EQ(again->styleDto->rgb, "#FF5722");
  EXPECT_EQ(again->id, std::optional<std::int64_t>(88));
  EXPECT_EQ(again->promotionDtos[0]->type, TypeInfoCard::Promotion);
}

}  // namespace
}  // namespace kerbelin
