#include <Foundation/Bundle.h>
#include <UIKit/Nib/UINib.h>
#include <UIKit/UIView.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

using namespace ios;

// fixtures/embedded is compiled into this binary by kerbelin_embed_resources (see CMakeLists.txt).
TEST(EmbeddedResources, TheFolderIsABundleFoundByIdentifierWithTheSameBytes) {
  auto bundle = Bundle::withIdentifier("Halvet.NibTests.Embedded");
  ASSERT_TRUE(bundle);
  EXPECT_FALSE(bundle->bundlePath());
  EXPECT_EQ(bundle->resourceNames(),
            (std::vector<std::string>{"Badge.nib.json", "Nested/Hello.txt", "blob.bin"}));
  EXPECT_EQ(bundle->data("Nested/Hello.txt", ""), "hello\n");
  EXPECT_EQ(bundle->data("Hello", "txt"), "hello\n");
  EXPECT_EQ(bundle->data("blob", "bin"), std::string("\0\1\2\xff\0\"\\\n", 8));

  std::filesystem::path folder = std::filesystem::path(NIB_FIXTURES_DIR) / "embedded";
  for (const auto& name : bundle->resourceNames()) {
    std::ifstream in(folder / name, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    EXPECT_EQ(bundle->data(name, ""), bytes.str()) << name;
  }
}

TEST(EmbeddedResources, NibsLoadFromAnEmbeddedBundle) {
  auto nib = UINib::create("Badge", Bundle::withIdentifier("Halvet.NibTests.Embedded"));
  ASSERT_TRUE(nib);
  auto result = nib->instantiate(nullptr);
  ASSERT_TRUE(result) << result.error->message();
  auto badge = std::dynamic_pointer_cast<UIView>(result.objects.at(0));
  ASSERT_TRUE(badge);
  EXPECT_EQ(badge->frame(), CGRect(0, 0, 40, 20));
  ASSERT_TRUE(badge->backgroundColor());
  EXPECT_EQ(badge->backgroundColor()->cgColor(), CGColor::rgb(0xF2 / 255.0, 0x67 / 255.0, 0x39 / 255.0, 1));
}

}  // namespace
