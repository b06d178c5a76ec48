// The calls a host makes into the SDK, off the declared main thread and on it: off it each one stops
// with a message naming the call and the main thread; on it none does.

#include <Application/AppDelegate.h>
#include <Foundation/Console.h>
#include <Foundation/NotificationCenter.h>
#include <Manager.h>
#include <Reachability/FakeReachabilitySource.h>
#include <Service/APIService.h>
#include <Ultilities/Common/Network.h>
#include <gtest/gtest.h>
#include <sdk/Entry/EntryTestSupport.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <thread>

namespace kerbelin::test {
namespace {

// Each call as a host's step makes it; `name` is how the stop message names it, as a regex.
struct EntryPoint {
  const char* name;
  std::function<void()> call;
};

const EntryPoint kEntryPoints[] = {
    {"kerbelin::Manager\\(\\)\\.viewController\\(\\)", [] { Manager().viewController(); }},
    {"kerbelin::APIService::setBaseURL", [] { APIService::setBaseURL("http://127.0.0.1:9"); }},
    {"kerbelin::Network::internet\\(\\)", [] { Network::internet(); }},
    {"kerbelin::Network::reachabilityChanged",
     [] { ios::NotificationCenter::defaultCenter().post(kNetworkConnectionChangedNotification); }},
    {"kerbelin::AppDelegate::didFinishLaunchingWithOptions",
     [] { AppDelegate::create()->didFinishLaunchingWithOptions(*ios::UIApplication::shared(), {}); }},
};

// The banner's handler is routed to the notification as README step 5 has a host do it, on a fake
// link so that no test reads the machine's network.
class MainThreadTest : public EntryTest {
 protected:
  void SetUp() override {
    // A child forked from this process would inherit the locks of any thread an earlier test left
    // running, as they were; a child that starts the binary afresh has none.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EntryTest::SetUp();
    ios::ReachabilitySource::setDefaultSource(ios::FakeReachabilitySource::create(ios::ReachabilityConnection::wifi));
    monitor = Network::create();
    ios::NotificationCenter::defaultCenter().addObserver(monitor, "reachabilityChangedWithNotification:",
                                                         kNetworkConnectionChangedNotification);
  }

  void TearDown() override {
    ios::NotificationCenter::defaultCenter().removeObserver(monitor);
    ios::ReachabilitySource::setDefaultSource(nullptr);
    EntryTest::TearDown();
  }

  std::shared_ptr<Network> monitor;
  ios::ConsoleCapture console;  // the monitor's own lines
};

// On the main thread in a child process too, so that the process-wide monitor and the changed address
// stay out of the other tests; _Exit, as what the calls leave behind is not this test's business.
TEST_F(MainThreadTest, EachEntryPointRunsOnTheMainThreadAndStopsOffItNamingTheCallAndTheMainThread) {
  for (const auto& entry : kEntryPoints) {
    EXPECT_EXIT((entry.call(), runUntilIdle(), std::_Exit(0)), testing::ExitedWithCode(0), "") << entry.name;
    EXPECT_DEATH(
        std::thread(entry.call).join(),
        std::string("Fatal error: ") + entry.name +
            " called on thread [0-9]+, off the main thread [0-9]+ \\(the one that called "
            "ios::RunLoop::main\\(\\)\\.declareMainThread\\(\\)\\)\\. The SDK runs only on the main "
            "thread: call it there, or post the call to it with ios::DispatchQueue::main\\(\\)\\.async")
        << entry.name;
  }
}

}  // namespace
}  // namespace kerbelin::test
