// What the entry points say about a host's main bundle that lacks what the SDK looks up there.

#include <Application/AppDelegate.h>
#include <Foundation/Bundle.h>
#include <Foundation/Console.h>
#include <Manager.h>
#include <UIKit/UIApplication.h>
#include <gtest/gtest.h>
#include <sdk/Entry/EntryTestSupport.h>
#include <support/ScratchDirectory.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace kerbelin::test {
namespace {

using HostBundleTest = EntryTest;

// The simulator's host resources but for the files named in `omitted`.
ios::Bundle::ResourceMap hostResourcesWithout(const std::set<std::string>& omitted) {
  ios::Bundle::ResourceMap resources;
  for (const auto& file : std::filesystem::directory_iterator(kHostResources)) {
    const std::string name = file.path().filename().string();
    if (omitted.count(name)) continue;
    std::ostringstream bytes;
    bytes << std::ifstream(file.path(), std::ios::binary).rdbuf();
    resources[name] = bytes.str();
  }
  return resources;
}

// The same resources as the folder `directory`.
std::string written(const ios::test::ScratchDirectory& directory, const ios::Bundle::ResourceMap& resources) {
  for (const auto& [name, bytes] : resources) directory.write(name, bytes);
  return directory.path();
}

const std::function<void()> kBundleUsers[] = {
    [] { Manager().viewController(); },
    [] {
      auto delegate = AppDelegate::create();
      delegate->didFinishLaunchingWithOptions(*ios::UIApplication::shared(), ios::Dictionary::object());
    },
};

// One line for each main bundle that lacks something, naming its folder and what it lacks, however
// often the entry points run; none for a complete one. Costs about 50 ms under ASan.
TEST_F(HostBundleTest, AMainBundleThatLacksWhatTheSDKLooksUpGetsOneLineNamingIt) {
  const ios::test::ScratchDirectory scratch;
  const std::string partial = written(
      scratch,
      hostResourcesWithout({"Icon_sapxep.svg", "Icon_quetma_active.svg", "ViewAlertNoInternet.nib.json"}));
  // A PNG made for any one scale stands for a drawing.
  auto pngOnly = hostResourcesWithout({"Icon_hanmucdacap.svg", "icon_chot.svg"});
  pngOnly["Icon_hanmucdacap@3x.png"] = pngOnly["icon_chot.png"] = "any bytes";
  struct Case {
    const char* name;
    std::function<std::shared_ptr<ios::Bundle>()> bundle;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"complete folder",
       [] { return ios::Bundle::create("main", std::filesystem::path(kHostResources)); },
       {}},
      {"complete in memory, some images as PNG",
       [&] { return ios::Bundle::create("Host.App", pngOnly); },
       {}},
      {"folder lacking three",
       [&] { return ios::Bundle::create("main", std::filesystem::path(partial)); },
       {"KerbelinSDK: the main bundle's folder " + partial +
        " lacks Icon_quetma_active, Icon_sapxep, ViewAlertNoInternet (nib)"}},
      {"missing folder",
       [&] { return ios::Bundle::create("main", std::filesystem::path(partial) / "gone"); },
       {"KerbelinSDK: the main bundle's folder " + partial +
        "/gone does not exist; the SDK looks up there its tab icons, sort marks, row icons, badge icons "
        "and the nib ViewAlertNoInternet"}},
      {"in memory, lacking one",
       [] { return ios::Bundle::create("Host.App", hostResourcesWithout({"icon_chot.svg"})); },
       {"KerbelinSDK: the main bundle \"Host.App\" lacks icon_chot"}},
      {"none given",
       []() -> std::shared_ptr<ios::Bundle> { return nullptr; },
       {"KerbelinSDK: no main bundle was given (ios::Bundle::setMainBundle); the SDK looks up there its "
        "tab icons, sort marks, row icons, badge icons and the nib ViewAlertNoInternet"}},
  };
  for (const auto& entry : kBundleUsers) {
    for (const Case& c : cases) {
      SCOPED_TRACE(c.name);
      ios::Bundle::setMainBundle(c.bundle());
      ios::ConsoleCapture capture;
      entry();
      entry();
      runUntilIdle();
      EXPECT_EQ(capture.logMessages(), c.lines);
    }
  }
}

}  // namespace
}  // namespace kerbelin::test
