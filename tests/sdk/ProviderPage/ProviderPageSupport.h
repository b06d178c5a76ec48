#pragma once

// A provider's page as the router opens it, over the store fixture: the page's requests (provider,
// branches, areas, the embedded store's) go to the fake transport, which the test answers.

#include <Class/MyCode/Cell/AddressServiceTableViewCell.h>
#include <Class/MyCode/ShopServiceViewController.h>
#include <Desktop/RecordingURLOpener.h>
#include <Ultilities/Handle/HandlePush.h>
#include <sdk/Store/StoreTestSupport.h>

namespace kerbelin::test {

inline const char kProviderPath[] = "/kerbelin-app/provider/req";
inline const char kBranchPath[] = "/kerbelin-app/branch/req";
inline const char kAreaPath[] = "/kerbelin-app/area/req";

inline ios::Dictionary branchJSON(int n, std::string openStatus = "1") {
  return {{"id", n},
          {"name", "Chi nhánh " + std::to_string(n)},
          {"fullAddress", std::to_string(n) + " Lê Lợi, Quận 1"},
          {"businessHourDisplay", "08:00 - 22:00"},
          {"phone", "0281234567"},
          {"openStatus", std::move(openStatus)},
          {"location", {{"latitude", "10.7769"}, {"longitude", "106.7009"}}}};
}

inline ios::Dictionary areaJSON(int id, const std::string& type, const std::string& name) {
  ios::Dictionary area = {{"id", id}, {"areaType", type}, {"areaCode", type + std::to_string(id)}, {"fullName", name}};
  area[type == "P" ? "province" : type == "D" ? "district" : "precinct"] = name;
  return area;
}

class ProviderPageTest : public StoreTest {
 protected:
  void SetUp() override {
    StoreTest::SetUp();
    opener = ios::RecordingURLOpener::create();
    ios::UIApplication::shared()->setURLOpener(opener);
    showHostStore();
  }
  void TearDown() override {
    page.reset();
    ios::UIApplication::shared()->setURLOpener(nullptr);
    StoreTest::TearDown();
  }

  // Opens the page from the store, as its card-cover row does.
  void open(std::optional<std::string> providerId = "12") {
    page = std::dynamic_pointer_cast<ShopServiceViewController>(
        shareInstanceMyCodeStoryboard()->instantiateViewController("ShopServiceViewController"));
    page->providerId = std::move(providerId);
    navigation->pushViewController(page, false);
    runUntilIdle();
  }
  // Answers the provider request with `records` (names), then lets the tabs load.
  void answerProvider(const std::vector<std::string>& names, int resultCode = 0) {
    ios::Dictionary list = ios::Dictionary::array();
    for (const auto& name : names)
      list.push_back({{"name", name}, {"email", "lienhe@" + name + ".vn"}, {"website", "https://" + name + ".vn"},
                      {"facebook", "facebook.com/" + name}, {"introduction", "<b>" + name + "</b> phục vụ bạn."}});
    answerLast(kProviderPath, ios::Dictionary{{"list", list}}, resultCode);
    settle();
  }
  void answerBranches(std::size_t request, int first, int count, int resultCode = 0) {
    ios::Dictionary list = ios::Dictionary::array();
    for (int i = 0; i < count; ++i) list.push_back(branchJSON(first + i));
    answer(request, ios::Dictionary{{"list", list}}, resultCode);
    page->viewBranch->tableView.lock()->layoutIfNeeded();
  }
  std::vector<std::size_t> branchRequests() const { return requestsTo(kBranchPath); }
  ios::Dictionary branchParams(std::size_t nth) const { return sentParams(branchRequests().at(nth)); }

  ios::CGFloat topOffset() const { return page->topViewTop.lock()->constant(); }

  std::shared_ptr<ios::RecordingURLOpener> opener;
  std::shared_ptr<ShopServiceViewController> page;
};

}  // namespace kerbelin::test
