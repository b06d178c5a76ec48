// A provider's branch list against the 16.7 ms frame budget of a 60 Hz screen, replies from a fake
// transport: frames of the page's kept frame as a finger flings the list and as whole points move
// it, each beside the floor of a frame (one frame copied into cache-cold memory), and the time from
// opening the tab to its first frame with branches.

#include <Class/MyCode/BranchServiceViewController.h>
#include <Class/MyCode/ShopServiceViewController.h>
#include <Network/FakeTransport.h>
#include <Network/HTTPClient.h>
#include <Service/APIService.h>
#include <UIKit/UINavigationController.h>
#include <Ultilities/Constants/Storyboards.h>

#include <benchmark/benchmark.h>
#include <support/ScrollFrames.h>

#include <memory>
#include <string>

namespace {

using kerbelin::bench::envelope;

ios::Dictionary branch(int n) {
  return {{"id", n},
          {"name", "Chi nhánh " + std::to_string(n)},
          {"fullAddress", std::to_string(n) + " Lê Lợi, Phường Bến Nghé, Quận 1, Thành phố Hồ Chí Minh"},
          {"businessHourDisplay", "08:00 - 22:00"},
          {"phone", "0281234567"},
          {"openStatus", n % 3 ? "1" : "0"},
          {"location", {{"latitude", "10.7769"}, {"longitude", "106.7009"}}}};
}

// The rows the request asks for (from `pageIndex`, `rowCount` of them) out of `count` branches.
std::string branchReply(const ios::HTTPRequest& request, int count) {
  auto params = ios::Dictionary::parse(
      *ios::base64Decode(ios::Dictionary::parse(request.body)["body"].get<std::string>()));
  const int from = params["pageIndex"].get<int>();
  const int rows = params["rowCount"].get<int>();
  ios::Dictionary list = ios::Dictionary::array();
  for (int i = from; i < from + rows && i < count; ++i) list.push_back(branch(i + 1));
  return envelope({{"list", list}});
}

std::optional<ios::HTTPResult> answer(const ios::HTTPRequest& request, int count) {
  if (request.url.find("/branch/req") != std::string::npos)
    return ios::FakeTransport::reply(200, branchReply(request, count));
  if (request.url.find("/provider/req") != std::string::npos)
    return ios::FakeTransport::reply(
        200, envelope({{"list", ios::Dictionary::array({{{"name", "Mộc Lan"}, {"introduction", "<b>Mộc Lan</b>"}}})}}));
  return ios::FakeTransport::reply(200, envelope({{"lstCate", ios::Dictionary::array()},
                                                  {"defCardDtos", ios::Dictionary::array()},
                                                  {"listArea", ios::Dictionary::array()}}));
}

// A provider's page on a window, its branches tab showing `count` branches, every page fetched.
struct Branches {
  std::shared_ptr<ios::FakeTransport> fake = ios::FakeTransport::create();
  std::shared_ptr<ios::UIWindow> window = ios::UIWindow::create();
  std::shared_ptr<kerbelin::ShopServiceViewController> page;
  std::shared_ptr<ios::UITableView> table;

  explicit Branches(int count) {
    fake->setHandler([count](const ios::HTTPRequest& request) { return answer(request, count); });
    ios::HTTPClient::shared()->setTransport(fake);
    kerbelin::APIService::setBaseURL("http://127.0.0.1:18086");
    window->makeKeyAndVisible();
    if (!open()) return;
    auto& list = *page->viewBranch;
    auto& loop = ios::RunLoop::main();
    // The next page each time, as building the last row asks for it.
    while (list.arrayBranch.size() < static_cast<std::size_t>(count)) {
      const auto before = list.arrayBranch.size();
      list.loadMoreListBranch();
      if (!loop.runUntil([&] { return list.arrayBranch.size() > before; }, 10.0)) break;
    }
    if (list.arrayBranch.size() != static_cast<std::size_t>(count)) table = nullptr;
    if (!table) return;
    table->setContentOffset({0, 0});
    window->layoutIfNeeded();
  }
  ~Branches() {
    window->setRootViewController(nullptr);
    ios::RunLoop::main().runUntilIdle();
    ios::HTTPClient::shared()->setTransport(nullptr);
    kerbelin::APIService::setBaseURL("https://api.halvet.vn");
  }

  // A new page, to its branches tab with the first page of branches laid out.
  bool open() {
    auto& loop = ios::RunLoop::main();
    page = std::dynamic_pointer_cast<kerbelin::ShopServiceViewController>(
        kerbelin::shareInstanceMyCodeStoryboard()->instantiateViewController("ShopServiceViewController"));
    page->providerId = "12";
    auto navigation = ios::UINavigationController::create(page);
    navigation->setNavigationBarHidden(true);
    window->setRootViewController(navigation);
    if (!loop.runUntil([&] { return page->viewBranch != nullptr; }, 10.0)) return false;
    page->didPressedBranch();
    auto& list = *page->viewBranch;
    if (!loop.runUntil([&] { return !list.arrayBranch.empty(); }, 10.0)) return false;
    table = list.tableView.lock();
    return true;
  }
  void settle() {
    ios::RunLoop::main().runUntil([] { return false; }, 0.5);
    window->layoutIfNeeded();
  }
};

// 10, 100 or 1,000 branches flung as a finger flings them, and moved by whole points, 37 a frame.
void BM_BranchListFlungFrame(benchmark::State& state) { kerbelin::bench::flungFrames<Branches>(state); }
void BM_BranchListWholePointFrame(benchmark::State& state) { kerbelin::bench::wholePointFrames<Branches>(state, 37); }
BENCHMARK(BM_BranchListFlungFrame)->Apply(kerbelin::bench::threeFlingsOfTenToAThousandRows)->ArgNames({"branches"});
BENCHMARK(BM_BranchListWholePointFrame)
    ->Apply(kerbelin::bench::tenToAThousandRows)->ArgNames({"branches"});

// From a new provider page to the first kept frame of its branches tab with branches.
void BM_BranchListTimeToFirstFrameWithData(benchmark::State& state) {
  Branches host(10);
  auto close = [&] {
    host.window->setRootViewController(nullptr);
    ios::RunLoop::main().runUntil([] { return false; }, 0.35);
  };
  close();
  kerbelin::bench::timeToFirstFrame(state, *host.window, [&] { return host.open(); }, close);
}
BENCHMARK(BM_BranchListTimeToFirstFrameWithData)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
