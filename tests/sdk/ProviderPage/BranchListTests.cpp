// The branches tab: five branches a page, never two requests at once, filters by province, district
// and ward through the picker sheet, and each row's badge and directions.

#include "ProviderPageSupport.h"

#include <Class/MyCode/ChoiceAddressViewController.h>
#include <Class/MyCode/ContainerFloatingChoiceAddressViewController.h>
#include <Class/MyCode/Model/BranchModel.h>
#include <Class/MyCode/Model/LocationModel.h>
#include <ObjectMapper/Mapper.h>

#include <gtest/gtest.h>

#include <functional>

namespace kerbelin::test {
namespace {

class BranchListTest : public ProviderPageTest {
 protected:
  void SetUp() override {
    ProviderPageTest::SetUp();
    open("12");
    answerProvider({"Mộc Lan"});
    touches->tap(centerOf(*page->labelBranch.lock()));
    settle();
  }
  BranchServiceViewController& list() const { return *page->viewBranch; }
  int rows() const { return list().tableView.lock()->numberOfRows(0); }
  // Scrolls the branch list to `row`, which builds it.
  void showRow(int row) {
    auto table = list().tableView.lock();
    table->scrollToRow({0, row}, ios::UITableViewScrollPosition::top, false);
    table->layoutIfNeeded();
  }

  // Opens a filter by its box, answers its area request with `areas` and lets the sheet slide up.
  std::shared_ptr<ContainerFloatingChoiceAddressViewController> openFilter(const std::weak_ptr<ios::UIView>& box,
                                                                           const ios::Dictionary& areas) {
    tap(*box.lock());
    answerLast(kAreaPath, ios::Dictionary{{"listArea", areas}});
    settle();
    return std::dynamic_pointer_cast<ContainerFloatingChoiceAddressViewController>(page->presentedViewController());
  }
  // Taps the sheet's row with `name` and waits for the sheet to slide down and report.
  void pick(const std::string& name) {
    touches->tap(centerOf(*findLabel(*window, name)));
    settle();
    advance(1);
    runUntilIdle();
  }
};

TEST_F(BranchListTest, PagesFiveAtATimeByRowOffsetUntilAShortPage) {
  answerBranches(branchRequests().at(0), 1, 5);
  EXPECT_EQ(rows(), 5);
  showRow(4);  // building the last row asks for the next page
  ASSERT_EQ(branchRequests().size(), 2u);
  EXPECT_EQ(branchParams(1)["pageIndex"], 5);
  showRow(4);  // never two at once
  EXPECT_EQ(branchRequests().size(), 2u);
  answerBranches(branchRequests().at(1), 6, 2);
  EXPECT_EQ(rows(), 7);
  list().tableView.lock()->layoutIfNeeded();
  showRow(6);
  EXPECT_EQ(branchRequests().size(), 2u);  // a short page ended paging
  EXPECT_TRUE(list().viewLostData.lock()->isHidden());
}

TEST_F(BranchListTest, APickDuringARequestDropsItsReplyAndReloadsForThePickWhenItEnds) {
  auto sheet = openFilter(list().viewTinhTP, ios::Dictionary::array({areaJSON(1, "P", "Hà Nội"), areaJSON(2, "P", "TP Hồ Chí Minh")}));
  ASSERT_NE(sheet, nullptr);
  pick("TP Hồ Chí Minh");
  EXPECT_EQ(list().labelChoiceTinhTP.lock()->text(), "TP Hồ Chí Minh");
  EXPECT_EQ(branchRequests().size(), 1u);  // the first page is still out
  answerBranches(branchRequests().at(0), 1, 5);
  EXPECT_EQ(rows(), 0);  // its list was for every area: dropped
  ASSERT_EQ(branchRequests().size(), 2u);
  EXPECT_EQ(branchParams(1)["areaCode"], "P2");
  EXPECT_EQ(branchParams(1)["areaType"], "P");
  EXPECT_EQ(branchParams(1)["pageIndex"], 0);
  answerBranches(branchRequests().at(1), 1, 0);
  EXPECT_FALSE(list().viewLostData.lock()->isHidden());
}

TEST_F(BranchListTest, AFailedFirstPageIsAskedForAgainFromTheStart) {
  const std::vector<std::pair<const char*, std::function<void(std::size_t)>>> failures = {
      {"transport", [&](std::size_t request) { failRequest(request); }},
      {"refused", [&](std::size_t request) { answerBranches(request, 1, 5, 1); }}};
  const auto provinces = ios::Dictionary::array({areaJSON(1, "P", "Hà Nội"), areaJSON(2, "P", "TP Hồ Chí Minh")});
  answerBranches(branchRequests().at(0), 1, 5);
  for (const auto& [name, fail] : failures) {
    SCOPED_TRACE(name);
    openFilter(list().viewTinhTP, provinces);
    pick("Hà Nội");
    fail(branchRequests().back());
    EXPECT_EQ(list().labelChoiceTinhTP.lock()->text(), "Hà Nội");
    EXPECT_EQ(rows(), 0);  // the other area's branches do not stay under the new caption
    EXPECT_TRUE(list().viewLostData.lock()->isHidden());  // nor does it claim the area has none

    const std::size_t sent = branchRequests().size();
    openFilter(list().viewTinhTP, provinces);
    pick("TP Hồ Chí Minh");
    ASSERT_EQ(branchRequests().size(), sent + 1);
    EXPECT_EQ(branchParams(sent)["pageIndex"], 0);
    EXPECT_EQ(branchParams(sent)["areaCode"], "P2");
    answerBranches(branchRequests().back(), 20, 5);
    EXPECT_EQ(rows(), 5);
  }
}

TEST_F(BranchListTest, FiltersNarrowFromProvinceToWardAndAHigherPickResetsTheLowerOnes) {
  answerBranches(branchRequests().at(0), 1, 5);
  tap(*list().viewQuanHuyen.lock());
  EXPECT_TRUE(requestsTo(kAreaPath).empty());  // no district before a province

  openFilter(list().viewTinhTP, ios::Dictionary::array({areaJSON(1, "P", "Hà Nội")}));
  EXPECT_EQ(sentParams(requestsTo(kAreaPath).back()), (ios::Dictionary{{"parentCode", ""}, {"areaType", "P"}}));
  pick("Hà Nội");
  answerBranches(branchRequests().back(), 1, 5);
  auto sheet = openFilter(list().viewQuanHuyen, ios::Dictionary::array({areaJSON(5, "D", "Ba Đình"), areaJSON(6, "D", "Hoàn Kiếm")}));
  EXPECT_EQ(sentParams(requestsTo(kAreaPath).back()), (ios::Dictionary{{"parentCode", "P1"}, {"areaType", "D"}}));
  EXPECT_EQ(sheet->indexChoiced, -1);
  pick("Hoàn Kiếm");
  answerBranches(branchRequests().back(), 1, 5);
  openFilter(list().viewXaPhuong, ios::Dictionary::array({areaJSON(9, "C", "Hàng Bạc")}));
  pick("Hàng Bạc");
  EXPECT_EQ(branchParams(branchRequests().size() - 1)["areaCode"], "C9");
  EXPECT_EQ(list().labelChoiceQuanHuyen.lock()->text(), "Hoàn Kiếm");  // a ward keeps its district
  answerBranches(branchRequests().back(), 1, 5);

  sheet = openFilter(list().viewQuanHuyen, ios::Dictionary::array({areaJSON(5, "D", "Ba Đình"), areaJSON(6, "D", "Hoàn Kiếm")}));
  EXPECT_EQ(sheet->indexChoiced, 1);  // the current district is checked
  pick("Ba Đình");
  EXPECT_EQ(list().labelChoiceXaPhuong.lock()->text(), "Xã/Phường");
  EXPECT_EQ(list().objPrecinct, nullptr);
  EXPECT_EQ(branchParams(branchRequests().size() - 1)["areaCode"], "D5");
}

TEST(BranchRow, TheBadgeFollowsTheOpenStatusAndDirectionsNeedDecimalCoordinates) {
  struct Case {
    std::string openStatus, latitude, longitude;
    bool mapsApp;
    const char* badge;
    ios::CGFloat width;
    std::string url;  // empty: nothing opens
  };
  const Case cases[] = {
      {"1", "10.7769", "106.7009", false, "Mở cửa", 58,
       "https://maps.google.com/maps?saddr=&daddr=10.7769,106.7009&directionsmode=driving"},
      {"0", "-33.5", "151", true, "Đóng cửa", 72,
       "comgooglemaps-x-callback://?saddr=&daddr=-33.5,151&directionsmode=driving"},
      {"", "10.7&x=1", "106", false, "Đóng cửa", 72, ""},
      {"2", "10 .7", "106", false, "Đóng cửa", 72, ""},
  };
  auto cell = fromNib<AddressServiceTableViewCell>();
  ASSERT_NE(cell, nullptr);
  auto opener = ios::RecordingURLOpener::create();
  ios::UIApplication::shared()->setURLOpener(opener);
  for (const auto& c : cases) {
    auto branch = branchJSON(1, c.openStatus);
    branch["location"] = {{"latitude", c.latitude}, {"longitude", c.longitude}};
    cell->getData(ios::mapObject<BranchModel>(branch));  // the same row, reused
    EXPECT_EQ(cell->labelOpen.lock()->text(), c.badge);
    EXPECT_EQ(cell->widthViewOpen.lock()->constant(), c.width);
    opener->opened.clear();
    opener->unhandledSchemes = c.mapsApp ? std::set<std::string>{} : std::set<std::string>{"comgooglemaps"};
    cell->didPressedGotoGoogleMap();
    EXPECT_EQ(opener->opened.empty() ? "" : opener->opened.front().absoluteString(), c.url) << c.latitude;
  }
  EXPECT_TRUE(cell->viewOpen.lock()->backgroundColor()->isEqual(*ios::UIColor::red()));
  ios::UIApplication::shared()->setURLOpener(nullptr);
}

}  // namespace
}  // namespace kerbelin::test
