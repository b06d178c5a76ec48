// The customer's endpoints: owned cards, ordering (bill -> card waiting for
// payment), the payment wait and guide, QR tokens and the usage history. The
// server's clock is fixed at Wednesday 9 December 2026, 10:30 in Vietnam.

#include <set>
#include <thread>

#include "BackendTestSupport.h"

namespace kerbelin::backend::testing {
namespace {

using nlohmann::json;
const std::string kPhone = "0912345678";

class MyCardTest : public BackendTest {
 protected:
  json ownCards(bool isPaid, int pageIndex = 1, int pageSize = 100) {
    const Reply reply = call("/v1/own-card/search/req", {{"isPaid", isPaid},
                                                         {"keySearch", ""},
                                                         {"mobilePhone", kPhone},
                                                         {"pageIndex", pageIndex},
                                                         {"pageSize", pageSize}});
    EXPECT_EQ(reply.resultCode(), 0);
    return reply.body;
  }

  Reply history(const std::string& code, const std::string& type, const std::string& from = "",
                const std::string& to = "") {
    return call("/transaction/history/req", {{"mobilePhone", kPhone},
                                             {"ownServiceCode", code},
                                             {"pageIndex", 0},
                                             {"pageSize", 10},
                                             {"searchEndTime", to},
                                             {"searchStartTime", from},
                                             {"searchType", type}});
  }

  json detail(const std::string& cardNo, bool isPaid = false) {
    return call("/own-card/detail/req", {{"cardNo", cardNo}, {"mobilePhone", kPhone}, {"isPaid", isPaid}})
        .body;
  }

  json createBill(const std::string& code) {
    const Reply reply =
        call("/initialization-bill/req",
             {{"customerName", "Nguyễn Văn An"}, {"defCardCode", code}, {"mobilePhone", kPhone}});
    EXPECT_EQ(reply.resultCode(), 0) << reply.envelope.dump();
    return reply.body;
  }
};

TEST_F(MyCardTest, OwnedCardsCoverEveryStatusAndCarryTheirServices) {
  const json body = ownCards(false);
  std::set<std::string> statuses;
  for (const auto& card : body["ownCardDtos"]) {
    statuses.insert(card["status"].get<std::string>());
    for (const char* key : {"cardNo", "cardNoDisplay", "code", "defCardCode", "name", "image", "price",
                            "transactionCode", "paymentTime", "paymentExpirationDate"}) {
      EXPECT_TRUE(card[key].is_string()) << key;
    }
    EXPECT_EQ(card["styleDto"]["rgb"].get<std::string>()[0], '#');
    ASSERT_FALSE(card["ownServiceDtos"].empty());
    EXPECT_EQ(card["rootService"], card["ownServiceDtos"][0]);
    for (const auto& service : card["ownServiceDtos"]) {
      EXPECT_EQ(service["status"], card["status"]);
      EXPECT_TRUE(service["namDefService"].is_string());
      EXPECT_TRUE(service["expirationDate"].is_string());
      EXPECT_TRUE(service["providerDto"]["id"].is_number_integer());
      ASSERT_EQ(service["ownAccountDtos"].size(), 1u);
      EXPECT_TRUE(service["ownAccountDtos"][0]["allocatedUnit"].is_string());
      EXPECT_TRUE(service["ownAccountDtos"][0]["availableUnit"].is_string());
    }
    const bool waiting = card["status"] == "W";
    EXPECT_EQ(card["paymentTime"].get<std::string>().empty(), waiting);
    EXPECT_EQ(card["paymentExpirationDate"].get<std::string>().empty(), !waiting);
  }
  EXPECT_EQ(statuses, (std::set<std::string>{"A", "O", "E", "C", "W"}));
  EXPECT_GE(body["totalRecord"].get<int>(), 12);
  bool hasFiveServices = false;
  for (const auto& card : body["ownCardDtos"]) hasFiveServices |= card["ownServiceDtos"].size() >= 5;
  EXPECT_TRUE(hasFiveServices) << "the my-cards list has a card with a '+N' services row";
}

TEST_F(MyCardTest, PaidFilterLeavesOutCardsWaitingForPaymentAndPagesCountFromOne) {
  const json all = ownCards(false), paid = ownCards(true);
  size_t waiting = 0;
  for (const auto& card : all["ownCardDtos"]) waiting += card["status"] == "W";
  ASSERT_GT(waiting, 0u);
  EXPECT_EQ(paid["ownCardDtos"].size(), all["ownCardDtos"].size() - waiting);
  for (const auto& card : paid["ownCardDtos"]) EXPECT_NE(card["status"], "W");
  EXPECT_EQ(call("/v1/own-card/search/req", {{"mobilePhone", "0999999999"}}).body["ownCardDtos"].size(), 0u);

  // Pages count from one, and zero means the first.
  const json first = ownCards(false, 1, 5), zero = ownCards(false, 0, 5), second = ownCards(false, 2, 5);
  EXPECT_EQ(first["ownCardDtos"], zero["ownCardDtos"]);
  ASSERT_EQ(second["ownCardDtos"].size(), 5u);
  EXPECT_EQ(second["ownCardDtos"][0], all["ownCardDtos"][5]);
}

TEST_F(MyCardTest, BalancesFollowTheUsesAndTheUnit) {
  auto account = [&](const std::string& cardNo, size_t service) {
    return detail(cardNo)["ownCardDto"]["ownServiceDtos"][service]["ownAccountDtos"][0];
  };
  EXPECT_EQ(account("KB2611000102", 0)["allocatedUnit"], "20 lần");
  EXPECT_EQ(account("KB2611000102", 0)["availableUnit"], "6 lần");
  EXPECT_EQ(account("KB2610000103", 0)["allocatedUnit"], "1.000.000 đ");
  EXPECT_EQ(account("KB2610000103", 0)["availableUnit"], "330.000 đ");
  // A day pass counts the days left before it expires: paid 27/11 07:45, 30 days.
  EXPECT_EQ(account("KB2611000101", 0)["availableUnit"], "18 ngày");
  EXPECT_EQ(detail("KB2611000101")["ownCardDto"]["rootService"]["expirationDate"], "27/12/2026");
  EXPECT_EQ(account("KB2609000107", 0)["availableUnit"], "0 lần") << "an expired card has nothing left";
}

TEST_F(MyCardTest, DetailIsLimitedToTheCustomersCards) {
  EXPECT_EQ(detail("KB2611000102")["ownCardDto"]["cardNo"], "KB2611000102");
  EXPECT_EQ(
      call("/own-card/detail/req", {{"cardNo", "KB2611000102"}, {"mobilePhone", "0999999999"}}).resultCode(),
      40402);
  EXPECT_EQ(call("/own-card/detail/req", {{"cardNo", "NOPE"}, {"mobilePhone", kPhone}}).httpStatus, 404);
  // Paid-only detail does not show a card waiting for payment.
  EXPECT_EQ(detail("KB2612000110", false)["ownCardDto"]["status"], "W");
  EXPECT_EQ(
      call("/own-card/detail/req", {{"cardNo", "KB2612000110"}, {"mobilePhone", kPhone}, {"isPaid", true}})
          .resultCode(),
      40402);
}

TEST_F(MyCardTest, BillCreatesAnOwnedCardWaitingForPayment) {
  const json bill = createBill("SV-YOGA-12");
  EXPECT_EQ(bill["customerName"], "Nguyễn Văn An");
  EXPECT_EQ(bill["customerMobilePhone"], kPhone);
  EXPECT_EQ(bill["defCardName"], "Thẻ Yoga 12 buổi");
  ASSERT_TRUE(bill["amount"].is_number_integer()) << "amount maps into a 64-bit integer";
  EXPECT_EQ(bill["amount"], 720000);
  EXPECT_EQ(bill["amountVnd"], "720.000");
  EXPECT_TRUE(bill["cost"].is_number_integer());
  for (const char* key : {"orderNo", "cardNo", "usageTerms"})
    EXPECT_FALSE(bill[key].get<std::string>().empty()) << key;
  ASSERT_EQ(bill["providerDTOs"].size(), 1u);
  for (const char* key : {"name", "headquarterAddress", "logo", "headquarterPhone", "email"}) {
    EXPECT_FALSE(bill["providerDTOs"][0][key].get<std::string>().empty()) << key;
  }

  const json newest = ownCards(false)["ownCardDtos"][0];
  EXPECT_EQ(newest["cardNo"], bill["cardNo"]);
  EXPECT_EQ(newest["status"], "W");
  EXPECT_EQ(newest["defCardCode"], "SV-YOGA-12");
  EXPECT_EQ(newest["paymentExpirationDate"], "10:30 10/12/2026");
  EXPECT_EQ(detail(bill["cardNo"])["ownCardDto"]["orderNo"], bill["orderNo"]);

  const json second = createBill("SV-YOGA-12");
  EXPECT_NE(second["cardNo"], bill["cardNo"]);
  EXPECT_NE(second["orderNo"], bill["orderNo"]);

  const Reply unknown = call("/initialization-bill/req", {{"defCardCode", "NOPE"}, {"mobilePhone", kPhone}});
  EXPECT_EQ(unknown.resultCode(), 40402);
}

TEST_F(MyCardTest, PaymentWaitReturnsTheGuideOfTheOrder) {
  const json bill = createBill("SV-YOGA-12");
  const json params = {{"amount", bill["amount"]},
                       {"defCardNo", bill["cardNo"]},
                       {"mobilePhone", kPhone},
                       {"orderNo", bill["orderNo"]}};
  const Reply wait = call("/payment-wait/req", params);
  ASSERT_EQ(wait.resultCode(), 0) << wait.envelope.dump();
  EXPECT_EQ(wait.body["orderNo"], bill["orderNo"]);
  ASSERT_TRUE(wait.body["amount"].is_string()) << "the waiting payment's amount is display text";
  EXPECT_EQ(wait.body["amount"], "720.000 đ");
  EXPECT_EQ(wait.body["expirationDate"], "10/12/2026");
  EXPECT_EQ(wait.body["expirationTime"], "10:30");
  EXPECT_EQ(wait.body["providerIds"], json::array({"101"}));
  EXPECT_NE(wait.body["paymentGuide"].get<std::string>().find("Sao Việt"), std::string::npos);

  json wrongAmount = params;
  wrongAmount["amount"] = 1;
  EXPECT_EQ(call("/payment-wait/req", wrongAmount).resultCode(), 40007);
  json wrongCard = params;
  wrongCard["defCardNo"] = "KB2611000102";
  EXPECT_EQ(call("/payment-wait/req", wrongCard).resultCode(), 40007);
  json paidOrder = params;
  paidOrder["orderNo"] = "DH202611110002";
  paidOrder.erase("amount");
  paidOrder.erase("defCardNo");
  EXPECT_EQ(call("/payment-wait/req", paidOrder).resultCode(), 40402) << "that order is already paid";
  // Parameters are checked before records: a wrong type wins over an unknown order.
  paidOrder["amount"] = "720000";
  EXPECT_EQ(call("/payment-wait/req", paidOrder).resultCode(), 40006);
}

TEST_F(MyCardTest, WhatAnOrderKeepsIsBounded) {
  const std::string longText(201, '9');
  for (const char* key : {"customerName", "mobilePhone"}) {
    json params = {{"defCardCode", "SV-YOGA-12"}, {"mobilePhone", kPhone}, {"customerName", "An"}};
    params[key] = longText;
    const Reply reply = call("/initialization-bill/req", params);
    EXPECT_EQ(reply.resultCode(), 40007) << key;
    EXPECT_EQ(reply.body.value("field", ""), key);
  }
}

TEST_F(MyCardTest, EveryQrCallIssuesAFreshToken) {
  const json params = {{"mobilePhone", kPhone}, {"ownServiceCode", ""}};
  const Reply a = call("/generate-qr/req", params), b = call("/generate-qr/req", params);
  ASSERT_EQ(a.resultCode(), 0);
  EXPECT_EQ(a.body["timeToken"], qrValiditySeconds);
  EXPECT_EQ(a.body["resultCode"], 0);
  EXPECT_GE(a.body["token"].get<std::string>().size(), 20u);
  EXPECT_NE(a.body["token"], b.body["token"]);
  // For one service, and for a card as the card-detail row asks.
  EXPECT_EQ(
      call("/generate-qr/req", {{"mobilePhone", kPhone}, {"ownServiceCode", "KB2611000102-1"}}).resultCode(),
      0);
  EXPECT_EQ(call("/generate-qr/req",
                 {{"mobilePhone", kPhone}, {"ownServiceCode", "OCKB2611000102"}, {"cardNo", "KB2611000102"}})
                .resultCode(),
            0);
  EXPECT_EQ(
      call("/generate-qr/req", {{"mobilePhone", kPhone}, {"ownServiceCode", "KB2611000102-9"}}).resultCode(),
      40402);
  EXPECT_EQ(call("/generate-qr/req", {{"mobilePhone", kPhone}, {"cardNo", "KB0000"}}).resultCode(), 40402);
}

TEST_F(MyCardTest, HistoryCountsAndPeriodsSelectTheEntries) {
  const Reply five = history("KB2611000102-1", "5TRAN");
  ASSERT_EQ(five.resultCode(), 0) << five.envelope.dump();
  const json& entries = five.body["accountEntryDtos"];
  ASSERT_EQ(entries.size(), 5u);
  EXPECT_EQ(entries[0]["entryTime"], "09/12/2026") << "newest first";
  EXPECT_EQ(entries[0]["availableAfterUnit"], "6 lần");
  EXPECT_EQ(entries[0]["amountUnit"], "-1 lần");
  EXPECT_EQ(entries[0]["transType"], "USAGE");
  for (const char* key : {"providerName", "entryTimeDetail"})
    EXPECT_FALSE(entries[0][key].get<std::string>().empty());
  EXPECT_TRUE(entries[0]["id"].is_number_integer());
  EXPECT_TRUE(entries[0]["transactionId"].is_number_integer());
  EXPECT_EQ(five.body["serviceName"], "Đồ uống cỡ vừa");
  EXPECT_EQ(five.body["unitType"], "TIMES");
  EXPECT_EQ(five.body["status"], "A");
  EXPECT_EQ(five.body["ownAccountDtos"][0]["availableUnit"], "6 lần");

  EXPECT_EQ(history("KB2611000102-1", "10TRAN").body["accountEntryDtos"].size(), 10u);
  EXPECT_EQ(history("KB2611000102-1", "1W").body["accountEntryDtos"].size(), 3u);  // Mon 7 .. Wed 9 December
  EXPECT_EQ(history("KB2611000102-1", "1MONTH").body["accountEntryDtos"].size(), 6u);  // since 1 December
  const json range =
      history("KB2611000102-1", "RANGE_TIME", "14/11/2026", "16/11/2026").body["accountEntryDtos"];
  ASSERT_EQ(range.size(), 2u);
  EXPECT_EQ(range[1]["transType"], "PAYMENT") << "the purchase opens the history";
  EXPECT_EQ(range[1]["amountUnit"], "+20 lần");
  EXPECT_EQ(range[1]["availableAfterUnit"], "20 lần");
  EXPECT_EQ(range[0]["availableAfterUnit"], "19 lần");
  // An open end reaches today; dates only count for a range.
  EXPECT_EQ(history("KB2611000102-1", "RANGE_TIME", "08/12/2026", "").body["accountEntryDtos"].size(), 2u);
  EXPECT_EQ(history("KB2611000102-1", "5TRAN", "01/01/2020", "02/01/2020").body["accountEntryDtos"].size(),
            5u);
}

TEST_F(MyCardTest, HistoryInMoneyAndInDays) {
  const json money = history("KB2610000103-1", "10TRAN").body;
  EXPECT_EQ(money["unitType"], "LIMIT");
  ASSERT_EQ(money["accountEntryDtos"].size(), 4u);
  EXPECT_EQ(money["accountEntryDtos"][0]["amountUnit"], "-120.000 đ");
  EXPECT_EQ(money["accountEntryDtos"][0]["availableAfterUnit"], "330.000 đ");
  const json days = history("KB2611000101-1", "5TRAN").body;
  EXPECT_EQ(days["unitType"], "DAY");
  EXPECT_EQ(days["accountEntryDtos"][0]["amountUnit"], "1 lượt");
  EXPECT_TRUE(days.contains("usageDescription"));
  // A card waiting for payment has no history yet.
  EXPECT_TRUE(history("KB2612000110-1", "10TRAN").body["accountEntryDtos"].empty());
}

TEST_F(MyCardTest, HistoryRefusesBadFilters) {
  EXPECT_EQ(history("KB2611000102-1", "2W").resultCode(), 40007);
  EXPECT_EQ(history("KB2611000102-1", "RANGE_TIME", "2026-12-01").resultCode(), 40007);
  EXPECT_EQ(history("KB2611000102-1", "RANGE_TIME", "31/02/2026").resultCode(), 40007);
  EXPECT_EQ(history("KB2611000102-1", "RANGE_TIME", "09/12/2026", "01/12/2026").resultCode(), 40007);
  EXPECT_EQ(history("", "5TRAN").resultCode(), 40402);
  EXPECT_EQ(history("KB2611000102-7", "5TRAN").resultCode(), 40402);
}

TEST_F(MyCardTest, PaymentGuideByTransaction) {
  const json general = call("/payment-guide/req", {{"transId", ""}}).body;
  for (const char* key : {"paymentGuideCash", "transferInstruction", "paymentGuide", "noteTransfer"}) {
    EXPECT_FALSE(general[key].get<std::string>().empty()) << key;
  }
  const json provider = call("/payment-guide/req", {{"transId", "GD202612060010"}}).body;
  EXPECT_NE(provider["paymentGuide"], general["paymentGuide"]);
  EXPECT_NE(provider["paymentGuide"].get<std::string>().find("Sao Việt"), std::string::npos);
  EXPECT_EQ(call("/payment-guide/req", {{"transId", "GD-NOPE"}}).resultCode(), 40402);
}

TEST_F(MyCardTest, ConcurrentBillsAllGetTheirOwnCard) {
  constexpr int kThreads = 8, kEach = 5;
  std::vector<std::vector<std::string>> cardNos(kThreads);
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      for (int i = 0; i < kEach; ++i) {
        const Reply reply =
            call("/initialization-bill/req", {{"defCardCode", "ML-CAFE-20"}, {"mobilePhone", kPhone}});
        if (reply.resultCode() == 0) cardNos[t].push_back(reply.body["cardNo"]);
      }
    });
  }
  for (auto& thread : threads) thread.join();
  std::set<std::string> distinct;
  for (const auto& list : cardNos) distinct.insert(list.begin(), list.end());
  EXPECT_EQ(distinct.size(), size_t(kThreads * kEach));
  const json all = ownCards(false);
  size_t found = 0;
  for (const auto& card : all["ownCardDtos"]) found += distinct.count(card["cardNo"].get<std::string>());
  EXPECT_EQ(found, distinct.size());
}

}  // namespace
}  // namespace kerbelin::backend::testing
