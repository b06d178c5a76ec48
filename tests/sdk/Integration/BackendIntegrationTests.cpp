#include <BackendServer.h>
#include <Foundation/RunLoop.h>
#include <Network/HTTPClient.h>
#include <Service/APIService.h>
#include <Service/BuyCardService.h>
#include <Service/DetailCardService.h>
#include <Service/Domain.h>
#include <Service/MyCardService.h>
#include <Ultilities/Constants/Constants.h>
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace kerbelin {
namespace {

using ios::Dictionary;
using Call = std::function<void(APIService::CompletionHandler, APIService::Failure)>;

// What one request ended with: the reply, or the failure message.
struct Answer {
  std::optional<Dictionary> reply;
  std::optional<std::string> failure;
  int callbacks = 0;
};

class BackendIntegrationTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    ios::RunLoop::main().resetForTesting();
    backend::BackendServer::Options options;
    options.port = 0;
    server = std::make_unique<backend::BackendServer>(options);
    ASSERT_TRUE(server->start());
    ios::HTTPClient::shared()->setTransport(nullptr);  // the real transport
    APIService::setBaseURL(server->baseURL());
  }

  static void TearDownTestSuite() {
    ios::HTTPClient::shared()->setTransport(nullptr);
    ios::RunLoop::main().runUntilIdle();
    APIService::setBaseURL("https://api.halvet.vn");
    server->stop();
    server.reset();
  }

  // Sends one request and runs the main loop until its answer arrives.
  static Answer send(const Call& call) {
    auto answer = std::make_shared<Answer>();
    call(
        [answer](const Dictionary& reply) {
          answer->reply = reply;
          ++answer->callbacks;
        },
        [answer](const std::string& message) {
          answer->failure = message;
          ++answer->callbacks;
        });
    EXPECT_TRUE(ios::RunLoop::main().runUntil([&] { return answer->callbacks > 0; }, 20.0)) << "no answer";
    ios::RunLoop::main().runUntilIdle();
    EXPECT_EQ(answer->callbacks, 1);
    return *answer;
  }

  // Sends a request that must succeed and returns its decoded body.
  static Dictionary body(const Call& call) {
    Answer answer = send(call);
    EXPECT_FALSE(answer.failure.has_value()) << answer.failure.value_or("");
    if (!answer.reply) return Dictionary::object();
    EXPECT_EQ((*answer.reply)["resultCode"], 0) << answer.reply->dump();
    EXPECT_EQ((*answer.reply)["resultDesc"], "Thành công");
    EXPECT_EQ((*answer.reply)["restHeader"], APIService::restHeader());
    EXPECT_TRUE((*answer.reply)["body"].is_object());
    return (*answer.reply)["body"];
  }

  static Dictionary firstCategory() {
    Dictionary reply = body([](auto c, auto f) {
      BuyCardService().getListCategoryBuyCard({{"providerId", ""}, {"type", "PKG"}}, c, f);
    });
    return reply["lstCate"].at(0);
  }

  static Dictionary firstCardForSale() {
    Dictionary category = firstCategory();
    Dictionary reply = body([&](auto c, auto f) {
      BuyCardService().getListBuyCard({{"categoryId", category["id"]},
                                       {"keywordQuery", ""},
                                       {"mobilePhone", phoneUser},
                                       {"pageIndex", 1},
                                       {"pageSize", 5},
                                       {"sort", "LASTEST"}},
                                      c, f);
    });
    return reply["defCardDtos"].at(0);
  }

  static Dictionary paidCards() {
    return body([](auto c, auto f) {
      MyCardService().getListMyCard({{"isPaid", true},
                                     {"keySearch", ""},
                                     {"mobilePhone", phoneUser},
                                     {"pageIndex", 0},
                                     {"pageSize", 10}},
                                    c, f);
    })["ownCardDtos"];
  }

  static inline std::unique_ptr<backend::BackendServer> server;
};

TEST_F(BackendIntegrationTest, StoreListsCategoriesAndCardsWhoseDetailMatchesTheListing) {
  Dictionary categories = body([](auto c, auto f) {
    BuyCardService().getListCategoryBuyCard({{"providerId", ""}, {"type", "PKG"}}, c, f);
  })["lstCate"];
  ASSERT_TRUE(categories.is_array());
  ASSERT_FALSE(categories.empty());
  for (const Dictionary& category : categories) {
    EXPECT_TRUE(category["id"].is_number_integer()) << category.dump();
    EXPECT_TRUE(category["orderNo"].is_number_integer()) << category.dump();
    EXPECT_TRUE(category["name"].is_string()) << category.dump();
  }

  Dictionary card = firstCardForSale();
  Dictionary detail = body([&](auto c, auto f) {
    DetailCardService().getDetailCard({{"code", card["code"]}}, TypeController::BuyCard, c, f);
  })["defCardDto"];
  EXPECT_EQ(detail["code"], card["code"]);
  EXPECT_EQ(detail["name"], card["name"]);
}

TEST_F(BackendIntegrationTest, OrderingACardCreatesAPaymentToWaitFor) {
  Dictionary card = firstCardForSale();
  Dictionary bill = body([&](auto c, auto f) {
    DetailCardService().initializationCard(
        {{"customerName", nameUser}, {"defCardCode", card["code"]}, {"mobilePhone", phoneUser}}, c, f);
  });
  EXPECT_EQ(bill["customerName"], nameUser);
  EXPECT_EQ(bill["customerMobilePhone"], phoneUser);
  ASSERT_TRUE(bill["orderNo"].is_string());
  ASSERT_TRUE(bill["cardNo"].is_string());
  ASSERT_TRUE(bill["amount"].is_number_integer());

  Dictionary waiting = body([&](auto c, auto f) {
    DetailCardService().waitPayment({{"amount", bill["amount"]},
                                     {"defCardNo", bill["cardNo"]},
                                     {"mobilePhone", phoneUser},
                                     {"orderNo", bill["orderNo"]}},
                                    c, f);
  });
  EXPECT_EQ(waiting["orderNo"], bill["orderNo"]);
  EXPECT_TRUE(waiting["paymentGuide"].is_string());

  // The new card waits for payment: it is the customer's, but not among the paid ones.
  Dictionary owned = body([&](auto c, auto f) {
    DetailCardService().getDetailCard(
        {{"cardNo", bill["cardNo"]}, {"mobilePhone", phoneUser}, {"isPaid", false}}, TypeController::MyCard,
        c, f);
  })["ownCardDto"];
  EXPECT_EQ(owned["status"], "W");
  for (const Dictionary& paid : paidCards()) EXPECT_NE(paid["cardNo"], bill["cardNo"]);

  Dictionary guide = body([&](auto c, auto f) {
    DetailCardService().getTutorialPay({{"transId", bill.value("transactionCode", "")}}, c, f);
  });
  EXPECT_TRUE(guide["paymentGuide"].is_string());
}

TEST_F(BackendIntegrationTest, PaidCardsOpenWithTheirServicesAndHistory) {
  Dictionary cards = paidCards();
  ASSERT_FALSE(cards.empty()) << "the sample customer owns no paid card";
  Dictionary card = cards[0];

  Dictionary detail = body([&](auto c, auto f) {
    MyCardService().getDetailMyCard(
        {{"isPaid", true}, {"cardNo", card["cardNo"]}, {"mobilePhone", phoneUser}}, c, f);
  })["ownCardDto"];
  EXPECT_EQ(detail["cardNo"], card["cardNo"]);
  ASSERT_FALSE(detail["ownServiceDtos"].empty());
  std::string serviceCode = detail["ownServiceDtos"][0]["code"];

  Dictionary history = body([&](auto c, auto f) {
    DetailCardService().getHistoryService({{"mobilePhone", phoneUser},
                                           {"ownServiceCode", serviceCode},
                                           {"pageIndex", 0},
                                           {"pageSize", 10},
                                           {"searchEndTime", ""},
                                           {"searchStartTime", ""},
                                           {"searchType", "5TRAN"}},
                                          c, f);
  });
  EXPECT_TRUE(history["serviceName"].is_string());
  ASSERT_TRUE(history["accountEntryDtos"].is_array());
  EXPECT_LE(history["accountEntryDtos"].size(), 5u);
}

TEST_F(BackendIntegrationTest, QrTokensAreIssuedForTheCustomer) {
  const Call generate = [](auto c, auto f) {
    MyCardService().generateQRCard({{"mobilePhone", phoneUser}, {"ownServiceCode", ""}}, c, f);
  };
  Dictionary first = body(generate);
  Dictionary second = body(generate);
  ASSERT_TRUE(first["token"].is_string());
  EXPECT_FALSE(first["token"].get<std::string>().empty());
  EXPECT_GT(first["timeToken"].get<int>(), 0);
  EXPECT_NE(first["token"], second["token"]);
}

TEST_F(BackendIntegrationTest, ProviderPagesFindTheProviderItsAreasAndBranches) {
  Dictionary card = firstCardForSale();
  ASSERT_FALSE(card["providerDtos"].empty()) << card.dump();
  std::string providerId = std::to_string(card["providerDtos"][0]["id"].get<int64_t>());

  Dictionary providers = body([&](auto c, auto f) {
    MyCardService().getInforService({{"providerCode", ""}, {"providerId", providerId}}, c, f);
  })["list"];
  ASSERT_EQ(providers.size(), 1u);

  Dictionary provinces = body([](auto c, auto f) {
    MyCardService().getArea({{"parentCode", ""}, {"areaType", "P"}}, c, f);
  })["listArea"];
  ASSERT_FALSE(provinces.empty());
  EXPECT_EQ(provinces[0]["areaType"], "P");

  Dictionary branches = body([&](auto c, auto f) {
    MyCardService().getListBranch({{"areaCode", ""},
                                   {"areaType", ""},
                                   {"pageIndex", 0},
                                   {"providerId", providerId},
                                   {"rowCount", 5},
                                   {"containProvider", false}},
                                  c, f);
  })["list"];
  ASSERT_TRUE(branches.is_array());
  EXPECT_LE(branches.size(), 5u);
}

// An unknown card and an unknown path both come back as replies with an error code, not failures.
TEST_F(BackendIntegrationTest, ServerErrorsArriveAsRepliesWithTheirCode) {
  const Call calls[] = {
      [](auto c, auto f) { DetailCardService().getDetailCard({{"code", "KHONG-CO"}}, TypeController::BuyCard, c, f); },
      [](auto c, auto f) {
        APIService::sharedInstance()->httpBodyRequestAPI(Domain::url("/khong-co/req"), Dictionary::object(),
                                                         MethodApi::POST, c, f);
      }};
  for (const auto& call : calls) {
    Answer answer = send(call);
    ASSERT_TRUE(answer.reply.has_value()) << answer.failure.value_or("");
    EXPECT_NE((*answer.reply)["resultCode"], 0);
    EXPECT_TRUE((*answer.reply)["resultDesc"].is_string());
  }
}

TEST_F(BackendIntegrationTest, ServerThatIsGoneFailsWithTheTransportsDescription) {
  backend::BackendServer::Options options;
  options.port = 0;
  backend::BackendServer stopped(options);
  ASSERT_TRUE(stopped.start());
  std::string address = stopped.baseURL();
  stopped.stop();

  APIService::setBaseURL(address);
  Answer answer = send([](auto c, auto f) {
    BuyCardService().getListCategoryBuyCard({{"providerId", ""}, {"type", "PKG"}}, c, f);
  });
  APIService::setBaseURL(server->baseURL());
  EXPECT_FALSE(answer.reply.has_value());
  EXPECT_EQ(answer.failure, "Không thể kết nối tới máy chủ.");
}

}  // namespace
}  // namespace kerbelin
