#include "ServiceTestSupport.h"

#include <Service/BuyCardService.h>
#include <Service/DetailCardService.h>
#include <Service/MyCardService.h>
#include <Ultilities/Constants/Constants.h>

#include <functional>

namespace kerbelin::test {
namespace {

using ios::Dictionary;

struct Operation {
  const char* name;
  const char* path;
  std::function<void(const Dictionary&, APIService::CompletionHandler, APIService::Failure)> call;
};

// Every operation of the three services. Each hands its parameters on untouched, so any will do.
std::vector<Operation> allOperations() {
  return {
      {"getListCategoryBuyCard", "/category/req",
       [](auto p, auto c, auto f) { BuyCardService().getListCategoryBuyCard(p, c, f); }},
      {"getListBuyCard", "/v1/def-card/search/req",
       [](auto p, auto c, auto f) { BuyCardService().getListBuyCard(p, c, f); }},
      {"getListMyCard", "/v1/own-card/search/req",
       [](auto p, auto c, auto f) { MyCardService().getListMyCard(p, c, f); }},
      {"generateQRCard", "/generate-qr/req",
       [](auto p, auto c, auto f) { MyCardService().generateQRCard(p, c, f); }},
      {"getDetailMyCard", "/own-card/detail/req",
       [](auto p, auto c, auto f) { MyCardService().getDetailMyCard(p, c, f); }},
      {"getInforService", "/provider/req",
       [](auto p, auto c, auto f) { MyCardService().getInforService(p, c, f); }},
      {"getListBranch", "/branch/req",
       [](auto p, auto c, auto f) { MyCardService().getListBranch(p, c, f); }},
      {"getArea", "/area/req", [](auto p, auto c, auto f) { MyCardService().getArea(p, c, f); }},
      {"initializationCard", "/initialization-bill/req",
       [](auto p, auto c, auto f) { DetailCardService().initializationCard(p, c, f); }},
      {"waitPayment", "/payment-wait/req",
       [](auto p, auto c, auto f) { DetailCardService().waitPayment(p, c, f); }},
      {"getHistoryService", "/transaction/history/req",
       [](auto p, auto c, auto f) { DetailCardService().getHistoryService(p, c, f); }},
      {"getTutorialPay", "/payment-guide/req",
       [](auto p, auto c, auto f) { DetailCardService().getTutorialPay(p, c, f); }},
  };
}

using ServiceEndpointTest = FakeBackendTest;

// Each operation is sent twice: the answered call must reach only the completion, the failed one only
// the failure closure.
TEST_F(ServiceEndpointTest, EachOperationPostsItsParametersToItsPathAndHandsOnItsOutcome) {
  for (const Operation& operation : allOperations()) {
    SCOPED_TRACE(operation.name);
    const Dictionary params = {{"mobilePhone", phoneUser}, {"pageIndex", 0}, {"operation", operation.name}};
    Outcome answered, failed;
    operation.call(params, answered.completion(), answered.failure());
    operation.call(params, failed.completion(), failed.failure());
    const std::size_t last = fake->requests().size() - 1;
    const ios::HTTPRequest& sent = fake->requests()[last - 1];
    EXPECT_EQ(sent.url, std::string(kTestBaseURL) + "/kerbelin-app" + operation.path);
    EXPECT_EQ(sent.method, "POST");
    EXPECT_EQ(sent.headers.at("Authorization"), authorHeader);
    EXPECT_EQ(sentParams(last - 1), params);

    ASSERT_TRUE(fake->respond(
        last - 1, ios::FakeTransport::reply(200, replyText(Dictionary{{"echo", operation.name}}))));
    ASSERT_TRUE(fake->fail(last, {ios::HTTPError::Kind::connectionRefused, ""}));
    runUntilIdle();
    ASSERT_EQ(answered.replies.size(), 1u);
    EXPECT_EQ(answered.replies[0]["body"]["echo"], operation.name);
    EXPECT_TRUE(answered.failures.empty());
    EXPECT_TRUE(failed.replies.empty());
    EXPECT_EQ(failed.failures, std::vector<std::string>{"Không thể kết nối tới máy chủ."});
  }
}

TEST_F(ServiceEndpointTest, CardDetailGoesToTheOwnedCardOnlyFromMyListsOrCodes) {
  const std::vector<std::pair<std::optional<TypeController>, std::string>> cases = {
      {TypeController::MyCard, "/own-card/detail/req"},
      {TypeController::MyCode, "/own-card/detail/req"},
      {TypeController::BuyCard, "/def-card/detail/req"},
      {std::nullopt, "/def-card/detail/req"},
  };
  for (std::size_t i = 0; i < cases.size(); ++i) {
    Outcome outcome;
    Dictionary params = {{"code", "GOI-0" + std::to_string(i)}};
    DetailCardService().getDetailCard(params, cases[i].first, outcome.completion(), outcome.failure());
    EXPECT_EQ(fake->requests().at(i).url, std::string(kTestBaseURL) + "/kerbelin-app" + cases[i].second) << i;
    EXPECT_EQ(sentParams(i), params);
  }
}

TEST_F(ServiceEndpointTest, ServiceObjectNeedNotOutliveItsRequest) {
  Outcome outcome;
  {
    std::shared_ptr<MyCardService> service = MyCardService::create();
    service->getListMyCard({{"pageIndex", 0}}, outcome.completion(), outcome.failure());
  }
  answer(0, Dictionary{{"ownCardDtos", Dictionary::array()}});
  ASSERT_EQ(outcome.replies.size(), 1u);
  EXPECT_EQ(outcome.replies[0]["body"]["ownCardDtos"], Dictionary::array());
}

}  // namespace
}  // namespace kerbelin::test
