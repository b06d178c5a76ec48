// The store's three endpoints: categories, the search of cards for sale with
// its paging, sorting and filters, and a card's detail.

#include <set>

#include "BackendTestSupport.h"

namespace kerbelin::backend::testing {
namespace {

using nlohmann::json;

class StoreTest : public BackendTest {
 protected:
  json search(json params) {
    if (!params.contains("mobilePhone")) params["mobilePhone"] = "0912345678";
    if (!params.contains("keywordQuery")) params["keywordQuery"] = "";
    const Reply reply = call("/v1/def-card/search/req", params);
    EXPECT_EQ(reply.resultCode(), 0) << reply.envelope.dump();
    return reply.body;
  }

  // Every card of a category, walking the pages as the store does.
  std::vector<json> allPages(int64_t categoryId, const std::string& sort, int pageSize = 5) {
    std::vector<json> cards;
    for (int page = 1; page < 50; ++page) {
      const json body =
          search({{"categoryId", categoryId}, {"pageIndex", page}, {"pageSize", pageSize}, {"sort", sort}});
      if (body["defCardDtos"].empty()) break;
      for (const auto& card : body["defCardDtos"]) cards.push_back(card);
    }
    return cards;
  }
};

TEST_F(StoreTest, CategoriesCarryTheFieldsTheCategoryBarReads) {
  const Reply reply = call("/category/req", {{"providerId", ""}, {"type", "PKG"}});
  ASSERT_EQ(reply.resultCode(), 0);
  const json& list = reply.body["lstCate"];
  ASSERT_GE(list.size(), 5u);
  std::set<int64_t> orderNos;
  for (const auto& category : list) {
    EXPECT_TRUE(category["id"].is_number_integer());
    EXPECT_TRUE(category["orderNo"].is_number_integer());
    orderNos.insert(category["orderNo"].get<int64_t>());
    EXPECT_FALSE(category["name"].get<std::string>().empty());
    EXPECT_EQ(category["objectType"], "PKG");
    for (const char* key : {"status", "code"}) EXPECT_TRUE(category[key].is_string()) << key;
    EXPECT_EQ(category["icon"].get<std::string>().rfind(server->baseURL() + "/images/", 0), 0u);
  }
  EXPECT_EQ(orderNos.size(), list.size()) << "orderNo values are distinct, so the bar order is defined";
  EXPECT_EQ(call("/category/req", {{"type", "OTHER"}}).body["lstCate"].size(), 0u);
  // A provider's categories are those with its cards.
  const json spa = call("/category/req", {{"providerId", "102"}, {"type", "PKG"}}).body["lstCate"];
  ASSERT_EQ(spa.size(), 1u);
  EXPECT_EQ(spa[0]["name"], "Làm đẹp & Spa");
}

TEST_F(StoreTest, CardsForSaleCarryTheFieldsTheStoreAndDetailRead) {
  const json body = search({{"categoryId", 1}, {"pageIndex", 1}, {"pageSize", 5}, {"sort", "LASTEST"}});
  ASSERT_FALSE(body["defCardDtos"].empty());
  for (const auto& card : body["defCardDtos"]) {
    for (const char* key : {"code", "name", "image", "price", "listedPrice", "discountValue", "discount",
                            "usageTerms", "description", "templatePromotion"}) {
      EXPECT_TRUE(card[key].is_string()) << key;
    }
    for (const char* key : {"priceNumber", "listedPriceNumber", "discountValueNumber"}) {
      EXPECT_TRUE(card[key].is_number()) << key;
    }
    EXPECT_TRUE(card["id"].is_number_integer());
    EXPECT_FALSE(card.contains("status")) << "a card for sale has no status letter, so it reads as unpaid";
    EXPECT_EQ(card["discountValueNumber"].get<int64_t>(),
              card["listedPriceNumber"].get<int64_t>() - card["priceNumber"].get<int64_t>());
    EXPECT_NE(card["price"].get<std::string>().find(" đ"), std::string::npos);
    ASSERT_EQ(card["providerDtos"].size(), 1u);
    EXPECT_TRUE(card["providerDtos"][0]["id"].is_number_integer());
    EXPECT_TRUE(card["providerDtos"][0]["logo"].is_string());
    ASSERT_FALSE(card["defServiceDtos"].empty());
    EXPECT_EQ(card["rootService"], card["defServiceDtos"][0]);
    for (const auto& service : card["defServiceDtos"]) {
      for (const char* key :
           {"code", "name", "namDefService", "unitPrice", "expiryDate", "limitDetailDescription"}) {
        EXPECT_TRUE(service[key].is_string()) << key;
      }
      const std::string unit = service["unitType"];
      EXPECT_TRUE(unit == "TIMES" || unit == "LIMIT" || unit == "DAY") << unit;
      ASSERT_EQ(service["defServiceUnitDtos"].size(), 1u);
      EXPECT_TRUE(service["defServiceUnitDtos"][0]["displayLimitUnit"].is_string());
    }
    for (const auto& promotion : card["promotionDtos"]) {
      EXPECT_TRUE(promotion["urlIcon"].is_string());
      EXPECT_NE(promotion["description"].get<std::string>().find('<'), std::string::npos) << "HTML text";
    }
    EXPECT_EQ(card["styleDto"]["rgb"].get<std::string>()[0], '#');
  }
}

TEST_F(StoreTest, SampleDataCoversEveryPromotionCountAndUnitKind) {
  std::set<size_t> promotionCounts;
  std::set<std::string> units;
  size_t total = 0;
  const json categories = call("/category/req", {{"type", "PKG"}}).body["lstCate"];
  for (const auto& category : categories) {
    for (const auto& card : allPages(category["id"], "LASTEST")) {
      ++total;
      promotionCounts.insert(card["promotionDtos"].size());
      for (const auto& service : card["defServiceDtos"]) units.insert(service["unitType"].get<std::string>());
    }
  }
  EXPECT_GE(total, 25u);
  for (size_t n : {0u, 1u, 4u, 5u, 6u}) EXPECT_TRUE(promotionCounts.count(n)) << n << " promotions";
  EXPECT_EQ(units, (std::set<std::string>{"DAY", "LIMIT", "TIMES"}));
}

TEST_F(StoreTest, PagesSplitTheCategoryWithoutOverlap) {
  const json first = search({{"categoryId", 1}, {"pageIndex", 1}, {"pageSize", 5}, {"sort", "LASTEST"}});
  const int64_t total = first["totalRecord"];
  ASSERT_GT(total, 5) << "the gym category needs more than one page";
  EXPECT_EQ(first["defCardDtos"].size(), 5u);
  const auto cards = allPages(1, "LASTEST");
  EXPECT_EQ(int64_t(cards.size()), total);
  std::set<std::string> codes;
  for (const auto& card : cards) codes.insert(card["code"].get<std::string>());
  EXPECT_EQ(int64_t(codes.size()), total);
  for (const auto& card : cards) EXPECT_EQ(card["categoryId"], 1);
  // Page 0 is the first page too; a page past the end is empty.
  EXPECT_EQ(search({{"categoryId", 1}, {"pageIndex", 0}, {"pageSize", 5}})["defCardDtos"],
            first["defCardDtos"]);
  EXPECT_TRUE(search({{"categoryId", 1}, {"pageIndex", 40}, {"pageSize", 5}})["defCardDtos"].empty());
}

TEST_F(StoreTest, EachSortCodeOrdersTheWholeList) {
  auto numbers = [](const std::vector<json>& cards, const char* key) {
    std::vector<int64_t> out;
    for (const auto& c : cards) out.push_back(c[key].get<int64_t>());
    return out;
  };
  const auto ascending = numbers(allPages(1, "PASC"), "priceNumber");
  EXPECT_TRUE(std::is_sorted(ascending.begin(), ascending.end()));
  const auto descending = numbers(allPages(1, "PDESC"), "priceNumber");
  EXPECT_TRUE(std::is_sorted(descending.rbegin(), descending.rend()));
  EXPECT_NE(ascending, descending);
  const auto savings = numbers(allPages(1, "SAVING"), "discountValueNumber");
  EXPECT_TRUE(std::is_sorted(savings.rbegin(), savings.rend()));
  std::vector<std::string> dates;
  for (const auto& card : allPages(1, "LASTEST")) {
    const std::string d = card["publishedDate"];  // dd/MM/yyyy
    dates.push_back(d.substr(6, 4) + d.substr(3, 2) + d.substr(0, 2));
  }
  EXPECT_TRUE(std::is_sorted(dates.rbegin(), dates.rend()));
  // Without "sort" the newest come first.
  EXPECT_EQ(search({{"categoryId", 1}})["defCardDtos"][0], allPages(1, "LASTEST")[0]);
}

TEST_F(StoreTest, ProviderAndKeywordNarrowTheSearch) {
  const json mine = search({{"categoryId", 1}, {"pageSize", 100}, {"providerId", "103"}});
  ASSERT_EQ(mine["defCardDtos"].size(), 1u);
  EXPECT_EQ(mine["defCardDtos"][0]["providerDtos"][0]["id"], 103);
  EXPECT_EQ(search({{"categoryId", 1}, {"providerId", ""}, {"pageSize", 100}})["totalRecord"],
            search({{"categoryId", 1}, {"pageSize", 100}})["totalRecord"])
      << "an empty providerId does not filter";
  const json yoga = search({{"categoryId", 0}, {"keywordQuery", "YOGA"}, {"pageSize", 100}});
  ASSERT_GE(yoga["defCardDtos"].size(), 1u);
  for (const auto& card : yoga["defCardDtos"]) {
    std::string text = card["name"].get<std::string>() + card["code"].get<std::string>();
    std::transform(text.begin(), text.end(), text.begin(), ::tolower);
    EXPECT_NE(text.find("yoga"), std::string::npos);
  }
  EXPECT_EQ(search({{"categoryId", 999}})["defCardDtos"].size(), 0u);
}

TEST_F(StoreTest, DetailReturnsTheSameCardAsTheSearch) {
  const json listed = search({{"categoryId", 2}, {"pageSize", 1}})["defCardDtos"][0];
  const Reply detail = call("/def-card/detail/req", {{"code", listed["code"]}});
  ASSERT_EQ(detail.resultCode(), 0);
  EXPECT_EQ(detail.body["defCardDto"], listed);
  const Reply missing = call("/def-card/detail/req", {{"code", "NO-SUCH-CARD"}});
  EXPECT_EQ(missing.httpStatus, 404);
  EXPECT_EQ(missing.resultCode(), 40402);
  EXPECT_EQ(call("/def-card/detail/req", {{"code", ""}}).resultCode(), 40402);
}

}  // namespace
}  // namespace kerbelin::backend::testing
