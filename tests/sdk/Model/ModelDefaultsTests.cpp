// The preset of every field: what a screen sees when a reply leaves a key out. Each model is
// checked both as created and as mapped from an empty object, which must be the same.

#include <Class/BuyCard/Model/BuyCardCategory.h>
#include <Class/BuyCard/Model/CardInfoType.h>
#include <Class/BuyCard/Model/CardModel.h>
#include <Class/BuyCard/Model/CardPromotion.h>
#include <Class/BuyCard/Model/DefServiceDtos.h>
#include <Class/BuyCard/Model/DefServiceUnitDtos.h>
#include <Class/BuyCard/Model/MetaReponse.h>
#include <Class/BuyCard/Model/ProviderDTO.h>
#include <Class/BuyCard/Model/RedisMetaModel.h>
#include <Class/BuyCard/Model/StyleDtoModel.h>
#include <Class/DetailCard/Model/AccountEntryDtos.h>
#include <Class/DetailCard/Model/HistoryModel.h>
#include <Class/DetailCard/Model/OwnAccountDtosModel.h>
#include <Class/DetailCard/Model/TutorialPayModel.h>
#include <Class/MyCode/Model/AreaModel.h>
#include <Class/MyCode/Model/BranchModel.h>
#include <Class/MyCode/Model/LocationModel.h>
#include <Class/MyCode/Model/MyCodeQRCodeModel.h>
#include <Class/MyCode/Model/ProvideInforModel.h>
#include <Class/Pay/Model/PaymentModel.h>
#include <Class/Pay/Model/WaitPayment.h>
#include <ObjectMapper/Mapper.h>

#include <gtest/gtest.h>

#include <functional>

namespace kerbelin {
namespace {

const std::string kZeroPrice = "0 đ";

// Runs `check` on a created model and on one mapped from an empty object.
template <class T>
void forBoth(const std::function<void(const T&)>& check) {
  check(*T::create());
  const auto mapped = ios::mapObject<T>(ios::Dictionary::object());
  ASSERT_NE(mapped, nullptr);
  check(*mapped);
}

void expectBaseDefaults(const BaseModel& model) {
  EXPECT_FALSE(model.id.has_value());
  for (const auto* text : {&model.code, &model.name, &model.image, &model.description, &model.usageTerms,
                           &model.cardNo, &model.discount}) {
    EXPECT_EQ(*text, "");
  }
  EXPECT_EQ(model.price, kZeroPrice);
  EXPECT_EQ(model.listedPrice, kZeroPrice);
  EXPECT_EQ(model.discountValue, kZeroPrice);
  EXPECT_EQ(model.priceNumber, 0.0);
  EXPECT_EQ(model.listedPriceNumber, 0.0);
  EXPECT_EQ(model.discountValueNumber, 0.0);
}

void expectCardDefaults(const CardModel& card) {
  expectBaseDefaults(card);
  EXPECT_EQ(card.status, "");
  EXPECT_EQ(card.type, TypeDetailCard::UnPaid);
  EXPECT_TRUE(card.providerDtos.empty());
  EXPECT_TRUE(card.promotionDtos.empty());
  EXPECT_EQ(card.rootService, nullptr);
  EXPECT_TRUE(card.defServiceDtos.empty());
  EXPECT_TRUE(card.ownServiceDtos.empty());
  EXPECT_FALSE(card.defServiceUnitDtos.has_value());
  for (const auto* text : {&card.defCardCode, &card.transactionCode, &card.templatePromotion,
                           &card.paymentTime, &card.cardNoDisplay, &card.paymentExpirationDate}) {
    EXPECT_EQ(*text, "");
  }
  EXPECT_EQ(card.styleDto, nullptr);
}

TEST(ModelDefaults, CardsAndServices) {
  forBoth<BaseModel>(expectBaseDefaults);
  forBoth<CardModel>(expectCardDefaults);
  forBoth<DefServiceDtos>([](const DefServiceDtos& service) {
    expectCardDefaults(service);
    EXPECT_EQ(service.typeService, TypeInfoCard::Cover);
    EXPECT_EQ(service.namDefService, "");
    EXPECT_EQ(service.unitPrice, kZeroPrice);
    EXPECT_EQ(service.limitDetailDescription, "");
    EXPECT_EQ(service.expiryDate, "");
    EXPECT_EQ(service.expirationDate, "");
    EXPECT_FALSE(service.usageDesciption.has_value());
    EXPECT_FALSE(service.usageDescription.has_value());
    EXPECT_TRUE(service.ownAccountDtos.empty());
    EXPECT_EQ(service.providerDto, nullptr);
  });
  // The my-cards list's placeholder row is a service mapped from {"": ""}.
  const auto placeholder = ios::mapObject<DefServiceDtos>({{"", ""}});
  ASSERT_NE(placeholder, nullptr);
  expectCardDefaults(*placeholder);
  EXPECT_EQ(placeholder->unitPrice, kZeroPrice);
}

TEST(ModelDefaults, RowsAndSmallModels) {
  EXPECT_EQ(CardInfoType::create()->type, TypeInfoCard::Cover);
  EXPECT_EQ(CardPromotion::create()->type, TypeInfoCard::Cover);
  forBoth<CardPromotion>([](const CardPromotion& promotion) {
    EXPECT_EQ(promotion.urlIcon, "");
    EXPECT_EQ(promotion.description, "");
    EXPECT_EQ(promotion.attribute, "");
  });
  forBoth<BuyCardCategory>([](const BuyCardCategory& category) {
    EXPECT_FALSE(category.id.has_value());
    EXPECT_EQ(category.orderNo, 0);
    for (const auto* text :
         {&category.status, &category.objectType, &category.code, &category.name, &category.icon}) {
      EXPECT_EQ(*text, "");
    }
  });
  forBoth<ProviderDTO>([](const ProviderDTO& provider) {
    EXPECT_FALSE(provider.id.has_value());
    EXPECT_EQ(provider.logo, "");
  });
  forBoth<DefServiceUnitDtos>([](const DefServiceUnitDtos& unit) { EXPECT_EQ(unit.displayLimitUnit, ""); });
  forBoth<StyleDtoModel>([](const StyleDtoModel& style) { EXPECT_EQ(style.rgb, ""); });
  forBoth<OwnAccountDtosModel>([](const OwnAccountDtosModel& account) {
    EXPECT_EQ(account.allocatedUnit, "");
    EXPECT_EQ(account.availableUnit, "");
  });
  forBoth<LocationModel>([](const LocationModel& location) {
    EXPECT_EQ(location.latitude, "");
    EXPECT_EQ(location.longitude, "");
  });
  forBoth<TutorialPayModel>([](const TutorialPayModel& tutorial) {
    for (const auto* text : {&tutorial.paymentGuideCash, &tutorial.transferInstruction,
                             &tutorial.paymentGuide, &tutorial.noteTransfer}) {
      EXPECT_EQ(*text, "");
    }
  });
}

TEST(ModelDefaults, EnvelopeAndQRToken) {
  forBoth<MetaReponse>([](const MetaReponse& reply) {
    EXPECT_EQ(reply.resultCode, -1);  // no code read is not a success
    EXPECT_EQ(reply.resultDesc, "");
    EXPECT_EQ(reply.secure, "");
    EXPECT_EQ(reply.cost, 0);
    EXPECT_FALSE(reply.body.has_value());
    EXPECT_EQ(reply.restHeader, nullptr);
  });
  forBoth<RedisMetaModel>([](const RedisMetaModel& header) {
    EXPECT_EQ(header.clientId, "");
    EXPECT_EQ(header.contentType, "");
  });
  forBoth<MyCodeQRCodeModel>([](const MyCodeQRCodeModel& qr) {
    EXPECT_EQ(qr.cost, 0);
    EXPECT_EQ(qr.resultCode, 0);
    EXPECT_EQ(qr.resultDesc, "");
    EXPECT_EQ(qr.timeToken, 0);
    EXPECT_EQ(qr.token, "");
  });
}

TEST(ModelDefaults, PaymentModelsStartAbsent) {
  forBoth<PaymentModel>([](const PaymentModel& order) {
    EXPECT_FALSE(order.cost || order.customerName || order.customerMobilePhone || order.defCardName ||
                 order.cardNo || order.amount || order.amountVnd || order.orderNo || order.usageTerms ||
                 order.providerDTOs);
  });
  forBoth<WaitPayment>([](const WaitPayment& wait) {
    EXPECT_FALSE(wait.cost || wait.orderNo || wait.amount || wait.paymentGuide || wait.providerIds ||
                 wait.expirationDate || wait.expirationTime);
  });
}

TEST(ModelDefaults, HistoryAndProviderPages) {
  forBoth<HistoryModel>([](const HistoryModel& history) {
    EXPECT_EQ(history.serviceName, "");
    EXPECT_EQ(history.status, "");
    EXPECT_EQ(history.type, TypeDetailCard::UnPaid);
    EXPECT_EQ(history.expirationDate, "");
    EXPECT_FALSE(history.usageDescription.has_value());
    EXPECT_EQ(history.unitType, UnitType::Day);
    EXPECT_TRUE(history.ownAccountDtos.empty());
    EXPECT_TRUE(history.accountEntryDtos.empty());
    EXPECT_EQ(history.searchType, SearchType::Tran5);
    EXPECT_EQ(history.fromDateFilter, "");
    EXPECT_EQ(history.toDateFilter, "");
  });
  forBoth<AccountEntryDtos>([](const AccountEntryDtos& entry) {
    EXPECT_EQ(entry.id, 0);
    EXPECT_EQ(entry.transactionId, 0);
    for (const auto* text : {&entry.amountUnit, &entry.availableAfterUnit, &entry.providerName,
                             &entry.entryTime, &entry.entryTimeDetail}) {
      EXPECT_EQ(*text, "");
    }
    EXPECT_EQ(entry.transType, TranType::Payment);
  });
  forBoth<ProvideInforModel>([](const ProvideInforModel& provider) {
    for (const auto* text : {&provider.name, &provider.logo, &provider.image, &provider.email,
                             &provider.website, &provider.facebook, &provider.introduction,
                             &provider.headquarterAddress, &provider.headquarterPhone}) {
      EXPECT_EQ(*text, "");
    }
  });
  forBoth<BranchModel>([](const BranchModel& branch) {
    expectBaseDefaults(branch);
    for (const auto* text :
         {&branch.fullAddress, &branch.businessHourDisplay, &branch.phone, &branch.openStatus}) {
      EXPECT_EQ(*text, "");
    }
    EXPECT_EQ(branch.location, nullptr);
    EXPECT_FALSE(branch.distance.has_value());
  });
  forBoth<AreaModel>([](const AreaModel& area) {
    EXPECT_EQ(area.id, 0);
    for (const auto* text :
         {&area.areaType, &area.areaCode, &area.province, &area.district, &area.precinct, &area.fullName}) {
      EXPECT_EQ(*text, "");
    }
  });
}

}  // namespace
}  // namespace kerbelin
