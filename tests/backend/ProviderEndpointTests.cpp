// Provider pages: the provider record, its branches by area with row-offset
// paging, and the three levels of areas.

#include <set>

#include <httplib.h>

#include "BackendTestSupport.h"
#include "DisplayText.h"

namespace kerbelin::backend::testing {
namespace {

using nlohmann::json;

class ProviderTest : public BackendTest {
 protected:
  json branches(const std::string& areaCode, const std::string& areaType, int offset, int rowCount = 5) {
    const Reply reply = call("/branch/req", {{"areaCode", areaCode},
                                             {"areaType", areaType},
                                             {"pageIndex", offset},
                                             {"providerId", "101"},
                                             {"rowCount", rowCount},
                                             {"containProvider", false}});
    EXPECT_EQ(reply.resultCode(), 0) << reply.envelope.dump();
    return reply.body["list"];
  }
  json areas(const std::string& parent, const std::string& type) {
    const Reply reply = call("/area/req", {{"parentCode", parent}, {"areaType", type}});
    EXPECT_EQ(reply.resultCode(), 0) << reply.envelope.dump();
    return reply.body["listArea"];
  }
};

TEST_F(ProviderTest, ProviderRecordHasEveryFieldOfTheIntroduction) {
  const Reply reply = call("/provider/req", {{"providerCode", ""}, {"providerId", "101"}});
  ASSERT_EQ(reply.resultCode(), 0);
  ASSERT_EQ(reply.body["list"].size(), 1u);
  const json& provider = reply.body["list"][0];
  EXPECT_EQ(provider["name"], "Trung tâm Thể hình Sao Việt");
  for (const char* key : {"logo", "image", "email", "website", "facebook", "introduction",
                          "headquarterAddress", "headquarterPhone"}) {
    EXPECT_FALSE(provider[key].get<std::string>().empty()) << key;
  }
  EXPECT_NE(provider["introduction"].get<std::string>().find("<p>"), std::string::npos);
  EXPECT_EQ(provider["logo"].get<std::string>().rfind(server->baseURL(), 0), 0u);
  EXPECT_EQ(call("/provider/req", {{"providerId", "999"}}).resultCode(), 40402);
  EXPECT_EQ(call("/provider/req", {{"providerCode", "SENSPA"}}).body["list"][0]["id"], 102);
  EXPECT_GE(call("/provider/req", json::object()).body["list"].size(), 5u);
}

TEST_F(ProviderTest, BranchesPageByRowOffset) {
  const json first = branches("", "", 0), second = branches("", "", 5), third = branches("", "", 10);
  EXPECT_EQ(first.size(), 5u);
  EXPECT_EQ(second.size(), 5u);
  EXPECT_EQ(third.size(), 2u) << "a short page ends the list";
  EXPECT_TRUE(branches("", "", 12).empty());
  std::set<int64_t> ids;
  for (const json* page : {&first, &second, &third}) {
    for (const auto& b : *page) ids.insert(b["id"].get<int64_t>());
  }
  EXPECT_EQ(ids.size(), 12u);
  EXPECT_EQ(branches("", "", 3, 2)[0], first[3]) << "the offset counts rows, not pages";
  const json& branch = first[0];
  for (const char* key : {"name", "fullAddress", "businessHourDisplay", "phone", "openStatus"}) {
    EXPECT_FALSE(branch[key].get<std::string>().empty()) << key;
  }
  EXPECT_TRUE(branch["location"]["latitude"].is_string());
  EXPECT_TRUE(branch["location"]["longitude"].is_string());
  EXPECT_TRUE(branch["distance"].is_number());
  EXPECT_FALSE(branch.contains("providerDto"));
  EXPECT_TRUE(call("/branch/req", {{"providerId", "101"}, {"containProvider", true}})
                  .body["list"][0]
                  .contains("providerDto"));
}

TEST_F(ProviderTest, BranchesNarrowToProvinceDistrictAndWard) {
  const json hanoi = branches("01", "P", 0, 100);
  EXPECT_EQ(hanoi.size(), 6u);
  for (const auto& b : hanoi) {
    EXPECT_EQ(b["provinceCode"], "01");
    EXPECT_NE(b["fullAddress"].get<std::string>().find("Hà Nội"), std::string::npos);
  }
  const json hoanKiem = branches("002", "D", 0, 100);
  EXPECT_EQ(hoanKiem.size(), 2u);
  for (const auto& b : hoanKiem) EXPECT_EQ(b["districtCode"], "002");
  const json ward = branches("00163", "C", 0, 100);
  ASSERT_EQ(ward.size(), 1u);
  EXPECT_EQ(ward[0]["name"], "Sao Việt Cầu Giấy");
  EXPECT_TRUE(branches("31", "P", 0).empty()) << "this provider has no branch in Hải Phòng";
  EXPECT_EQ(call("/branch/req", {{"providerId", "101"}, {"areaType", "Q"}}).resultCode(), 40007);
  EXPECT_EQ(call("/branch/req", {{"providerId", "999"}}).resultCode(), 40402);
  EXPECT_EQ(call("/branch/req", json::object()).resultCode(), 40005);
}

TEST_F(ProviderTest, OpenStatusFollowsTheServersClock) {
  for (const auto& b : branches("", "", 0, 100))
    EXPECT_EQ(b["openStatus"], "1") << "10:30 is inside every club's hours";
  BackendServer::Options late;
  late.clock = [] { return DisplayText::fromVietnamTime(2026, 12, 9, 22, 45); };
  BackendServer night(late);
  ASSERT_TRUE(night.start());
  httplib::Client client("127.0.0.1", night.port());
  auto result = client.Post("/kerbelin-app/branch/req", {{"Authorization", BackendServer::authorization()}},
                            envelopeFor({{"providerId", "101"}, {"rowCount", 100}}), "application/json");
  ASSERT_TRUE(result);
  const Reply reply = decodeReply(result->status, result->body);
  std::map<std::string, std::string> status;
  for (const auto& b : reply.body["list"]) status[b["code"]] = b["openStatus"];
  EXPECT_EQ(status["SV-BT"], "1");  // open until 23:00
  EXPECT_EQ(status["SV-HK"], "0");  // closed at 22:00
  night.stop();
}

TEST_F(ProviderTest, AreasByLevelAndParent) {
  const json provinces = areas("", "P");
  ASSERT_GE(provinces.size(), 3u);
  for (const auto& p : provinces) {
    EXPECT_EQ(p["areaType"], "P");
    EXPECT_FALSE(p["province"].get<std::string>().empty());
    EXPECT_EQ(p["district"], "");
    EXPECT_EQ(p["precinct"], "");
    EXPECT_TRUE(p["id"].is_number_integer());
  }
  const json districts = areas("01", "D");
  ASSERT_EQ(districts.size(), 4u);
  for (const auto& d : districts) {
    EXPECT_EQ(d["parentCode"], "01");
    EXPECT_FALSE(d["district"].get<std::string>().empty());
    EXPECT_EQ(d["precinct"], "");
  }
  const json wards = areas("002", "C");
  ASSERT_EQ(wards.size(), 4u);
  std::set<int64_t> ids;
  for (const auto& w : wards) {
    EXPECT_EQ(w["areaType"], "C");
    EXPECT_EQ(w["precinct"], w["fullName"]) << "a ward is recognised by its precinct";
    EXPECT_EQ(w["district"], "Quận Hoàn Kiếm");
    ids.insert(w["id"].get<int64_t>());
  }
  EXPECT_EQ(ids.size(), wards.size());
  EXPECT_TRUE(areas("", "D").empty());
  EXPECT_TRUE(areas("01", "C").empty()) << "wards hang under districts, not provinces";
  EXPECT_EQ(call("/area/req", {{"parentCode", ""}}).resultCode(), 40005);
}

}  // namespace
}  // namespace kerbelin::backend::testing
