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
  Dictionary params;
  std::function<void(const Dictionary&, APIService::CompletionHandler, APIService::Failure)> call;
};

// Every operation of the three services with parameters shaped as its screens send them.
std::vector<Operation> allOperations() {
  return {
      {"getListCategoryBuyCard",
       "/category/req",
       {{"providerId", ""}, {"type", "PKG"}},
       [](auto p, auto c, auto f) { BuyCardService().getListCategoryBuyCard(p, c, f); }},
      {"getListBuyCard",
       "/v1/def-card/search/req",
       {{"categoryId", 3},
        {"keywordQuery", ""},
        {"mobilePhone", phoneUser},
        {"pageIndex", 1},
        {"pageSize", 5},
        {"sort", "LASTEST"},
        {"providerId", "12"}},
       [](auto p, auto c, auto f) { BuyCardService().getListBuyCard(p, c, f); }},
      {"getListMyCard",
       "/v1/own-card/search/req",
       {{"isPaid", true}, {"keySearch", ""}, {"mobilePhone", phoneUser}, {"pageIndex", 0}, {"pageSize", 10}},
       [](auto p, auto c, auto f) { MyCardService().getListMyCard(p, c, f); }},
      {"generateQRCard",
       "/generate-qr/req",
       {{"mobilePhone", phoneUser}, {"ownServiceCode", ""}},
       [](auto p, auto c, auto f) { MyCardService().generateQRCard(p, c, f); }},
      {"getDetailMyCard",
       "/own-card/detail/req",
       {{"isPaid", true}, {"cardNo", "KB0001"}, {"mobilePhone", phoneUser}},
       [](auto p, auto c, auto f) { MyCardService().getDetailMyCard(p, c, f); }},
      {"getInforService",
       "/provider/req",
       {{"providerCode", ""}, {"providerId", "12"}},
       [](auto p, auto c, auto f) { MyCardService().getInforService(p, c, f); }},
      {"getListBranch",
       "/branch/req",
       {{"areaCode", "01"},
        {"areaType", "P"},
        {"pageIndex", 5},
        {"providerId", "12"},
        {"rowCount", 5},
        {"containProvider", false}},
       [](auto p, auto c, auto f) { MyCardService().getListBranch(p, c, f); }},
      {"getArea",
       "/area/req",
       {{"parentCode", ""}, {"areaType", "P"}},
       [](auto p, auto c, auto f) { MyCardService().getArea(p, c, f); }},
      {"initializationCard",
       "/initialization-bill/req",
       {{"customerName", nameUser}, {"defCardCode", "GOI-01"}, {"mobilePhone", phoneUser}},
       [](auto p, auto c, auto f) { DetailCardService().initializationCard(p, c, f); }},
      {"waitPayment",
       "/payment-wait/req",
       {{"amount", int64_t{1500000}},
        {"defCardNo", "KB0001"},
        {"mobilePhone", phoneUser},
        {"orderNo", "OD1"}},
       [](auto p, auto c, auto f) { DetailCardService().waitPayment(p, c, f); }},
      {"getHistoryService",
       "/transaction/history/req",
       {{"mobilePhone", phoneUser},
        {"ownServiceCode", "SV1"},
        {"pageIndex", 0},
        {"pageSize", 10},
        {"searchEndTime", "31/12/2026"},
        {"searchStartTime", "01/12/2026"},
        {"searchType", "RANGE_TIME"}},
       [](auto p, auto c, auto f) { DetailCardService().getHistoryService(p, c, f); }},
      {"getTutorialPay",
       "/payment-guide/req",
       {{"transId", ""}},
       [](auto p, auto c, auto f) { DetailCardService().getTutorialPay(p, c, f); }},
  };
}

class ServiceEndpointTest : public FakeServerTest {};

TEST_F(ServiceEndpointTest, EachOperationPostsItsParametersToItsPath) {
  std::vector<Operation> operations = allOperations();
  for (std::size_t i = 0; i < operations.size(); ++i) {
    const Operation& operation = operations[i];
    Outcome outcome;
    operation.call(operation.params, outcome.completion(), outcome.failure());
    ASSERT_EQ(fake->requests().size(), i + 1) << operation.name;
    EXPECT_EQ(request(i).url, kTestBaseURL + "/kerbelin-app" + operation.path) << operation.name;
    EXPECT_EQ(request(i).method, "POST") << operation.name;
    EXPECT_EQ(request(i).headers.at("Authorization"), authorHeader) << operation.name;
    EXPECT_EQ(sentParams(i), operation.params) << operation.name;
  }
}

// Each operation is sent twice: the answered call must reach only the completion, the failed one only
// the failure closure.
TEST_F(ServiceEndpointTest, EachOperationHandsRepliesAndFailuresToTheRightClosure) {
  for (const Operation& operation : allOperations()) {
    Outcome answered, failed;
    operation.call(operation.params, answered.completion(), answered.failure());
    operation.call(operation.params, failed.completion(), failed.failure());
    const std::size_t last = fake->requests().size() - 1;
    ASSERT_TRUE(fake->respond(last - 1, ios::FakeTransport::reply(200, replyText({{"echo", operation.name}}))));
    ASSERT_TRUE(fake->fail(last, {ios::HTTPError::Kind::connectionRefused, ""}));
    runMainLoop();
    ASSERT_EQ(answered.replies.size(), 1u) << operation.name;
    EXPECT_EQ(answered.replies[0]["body"]["echo"], operation.name);
    EXPECT_TRUE(answered.failures.empty()) << operation.name;
    EXPECT_TRUE(failed.replies.empty()) << operation.name;
    EXPECT_EQ(failed.failures, std::vector<std::string>{"Không thể kết nối tới máy chủ."}) << operation.name;
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
    ASSERT_EQ(fake->requests().size(), i + 1);
    EXPECT_EQ(request(i).url, kTestBaseURL + "/kerbelin-app" + cases[i].second) << i;
    EXPECT_EQ(sentParams(i), params);
  }
}

TEST_F(ServiceEndpointTest, ServiceObjectNeedNotOutliveItsRequest) {
  Outcome outcome;
  {
    std::shared_ptr<MyCardService> service = MyCardService::create();
    service->getListMyCard({{"pageIndex", 0}}, outcome.completion(), outcome.failure());
  }
  ASSERT_TRUE(
      fake->respond(0, ios::FakeTransport::reply(200, replyText({{"ownCardDtos", Dictionary::array()}}))));
  runMainLoop();
  ASSERT_EQ(outcome.replies.size(), 1u);
  EXPECT_EQ(outcome.replies[0]["body"]["ownCardDtos"], Dictionary::array());
}

}  // namespace
}  // namespace kerbelin::test
