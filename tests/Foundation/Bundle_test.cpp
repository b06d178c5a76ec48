#include <Foundation/Bundle.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <support/ScratchDirectory.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace ios {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;

// Registered during static initialisation, as the SDK registers its framework bundle.
const BundleRegistration kStaticBundle("Test.StaticBundle", {{"Hello.txt", "hello"}});

TEST(Bundle, StaticallyRegisteredBundleIsFoundByIdentifier) {
  auto bundle = Bundle::withIdentifier("Test.StaticBundle");
  ASSERT_TRUE(bundle);
  EXPECT_EQ(bundle->bundleIdentifier, "Test.StaticBundle");
  EXPECT_EQ(bundle->data("Hello", "txt"), "hello");
  EXPECT_FALSE(Bundle::withIdentifier("Test.NoSuchBundle"));
}

TEST(Bundle, InMemoryLookupByPathThenByFileName) {
  auto bundle = Bundle::create("Test.Memory", Bundle::ResourceMap{{"MyCard.json", "{}"},
                                                                  {"Nibs/CardCell.json", "[1]"},
                                                                  {"Images/icon.svg", "<svg/>"}});
  EXPECT_EQ(bundle->data("MyCard", "json"), "{}");
  EXPECT_EQ(bundle->data("CardCell", "json"), "[1]");
  EXPECT_EQ(bundle->data("Nibs/CardCell", "json"), "[1]");
  EXPECT_EQ(bundle->data("CardCell.json", ""), "[1]");
  EXPECT_FALSE(bundle->data("CardCell", "png"));
  EXPECT_FALSE(bundle->data("Other/CardCell", "json"));
  EXPECT_FALSE(bundle->data("../MyCard", "json"));
  EXPECT_FALSE(bundle->path("MyCard", "json"));  // no file behind it
  EXPECT_FALSE(bundle->bundlePath());
  EXPECT_THAT(bundle->resourceNames("json"), ElementsAre("MyCard.json", "Nibs/CardCell.json"));
}

TEST(Bundle, InMemoryUrlsReadBackThroughTheRegistry) {
  Bundle::registerBundle(
      Bundle::create("Test.Urls", Bundle::ResourceMap{{"anim/loading dot.gif", "GIF89a"}}));
  auto url = Bundle::withIdentifier("Test.Urls")->urlForResource("loading dot", "gif");
  ASSERT_TRUE(url);
  EXPECT_EQ(*url, "bundle://Test.Urls/anim/loading%20dot.gif");
  EXPECT_EQ(Bundle::contentsOfURL(*url), "GIF89a");
  EXPECT_FALSE(Bundle::contentsOfURL("bundle://Test.Unknown/x.gif"));
  EXPECT_FALSE(Bundle::contentsOfURL("https://example.invalid/x.gif"));
}

TEST(Bundle, DirectoryLookupGivesRealPaths) {
  test::ScratchDirectory root;
  root.write("Main.json", "main");
  root.write("Assets/Icon_check_fill.svg", "<svg/>");
  auto bundle = Bundle::create("Test.Directory", fs::path(root.path()));
  EXPECT_EQ(bundle->bundlePath(), fs::path(root.path()));
  auto path = bundle->path("Icon_check_fill", "svg");
  ASSERT_TRUE(path);
  EXPECT_EQ(fs::path(*path), fs::path(root.path()) / "Assets/Icon_check_fill.svg");
  EXPECT_EQ(bundle->data("Main", "json"), "main");
  EXPECT_EQ(bundle->data("Icon_check_fill", "svg"), "<svg/>");
  EXPECT_FALSE(bundle->data("Missing", "json"));
  EXPECT_FALSE(bundle->data("Assets", ""));  // directories are not resources

  auto url = bundle->urlForResource("Main", "json");
  ASSERT_TRUE(url);
  EXPECT_TRUE(url->starts_with("file:///"));
  EXPECT_EQ(Bundle::contentsOfURL(*url), "main");
  EXPECT_EQ(Bundle::contentsOfURL(*path), "<svg/>");
  EXPECT_THAT(bundle->resourceNames(), ElementsAre("Assets/Icon_check_fill.svg", "Main.json"));
}

TEST(Bundle, MainBundleIsEmptyUntilTheHostSetsIt) {
  EXPECT_FALSE(Bundle::main()->data("Hello", "txt"));
  auto host = Bundle::create("Test.Host", Bundle::ResourceMap{{"Hello.txt", "from host"}});
  Bundle::setMainBundle(host);
  EXPECT_EQ(Bundle::main(), host);
  EXPECT_EQ(Bundle::withIdentifier("Test.Host"), host);
  Bundle::setMainBundle(nullptr);
  EXPECT_FALSE(Bundle::main()->data("Hello", "txt"));
}

}  // namespace
}  // namespace ios
