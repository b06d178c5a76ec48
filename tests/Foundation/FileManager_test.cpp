#include <Foundation/FileManager.h>
#include <Foundation/ProcessInfo.h>

#include <gtest/gtest.h>
#include <support/ScratchDirectory.h>

#include <cstdlib>
#include <filesystem>

namespace ios {
namespace {

namespace fs = std::filesystem;

class FileManagerTest : public ::testing::Test {
 protected:
  void TearDown() override {
    manager.setDocumentsDirectory("");
    manager.setCachesDirectory("");
    ProcessInfo::processInfo().removeEnvironmentOverrides();
  }
  FileManager& manager = FileManager::defaultManager();
  test::ScratchDirectory scratch;
  fs::path root = scratch.path();
};

TEST_F(FileManagerTest, DocumentsFolderIsTheConfiguredOneCreatedOnDemand) {
  manager.setDocumentsDirectory((root / "app/Documents").string());
  std::string documents = manager.documentsDirectory();
  EXPECT_EQ(fs::path(documents), root / "app/Documents");
  bool isDirectory = false;
  EXPECT_TRUE(manager.fileExists(documents, isDirectory));
  EXPECT_TRUE(isDirectory);
}

TEST_F(FileManagerTest, DefaultFoldersFollowTheXdgVariables) {
  ProcessInfo::processInfo().setEnvironmentValue("XDG_DATA_HOME", (root / "data").string());
  ProcessInfo::processInfo().setEnvironmentValue("XDG_CACHE_HOME", (root / "cache").string());
  EXPECT_EQ(fs::path(manager.documentsDirectory()), root / "data/KerbelinSDK/Documents");
  EXPECT_EQ(fs::path(manager.cachesDirectory()), root / "cache/KerbelinSDK");
  EXPECT_TRUE(fs::is_directory(root / "data/KerbelinSDK/Documents"));

  ProcessInfo::processInfo().setEnvironmentValue("XDG_DATA_HOME", std::nullopt);
  ProcessInfo::processInfo().setEnvironmentValue("HOME", (root / "home").string());
  EXPECT_EQ(fs::path(manager.documentsDirectory()), root / "home/.local/share/KerbelinSDK/Documents");
}

TEST_F(FileManagerTest, CreateReadAndRemoveFiles) {
  manager.setDocumentsDirectory(root.string());
  std::string file = manager.documentsDirectory() + "/qr.png";
  EXPECT_FALSE(manager.fileExists(file));
  EXPECT_FALSE(manager.contents(file));
  EXPECT_TRUE(manager.createFile(file, std::string("\x89PNG\0data", 9)));
  EXPECT_TRUE(manager.fileExists(file));
  EXPECT_EQ(manager.contents(file), std::string("\x89PNG\0data", 9));
  EXPECT_TRUE(manager.removeItem(file));
  EXPECT_FALSE(manager.fileExists(file));
  EXPECT_FALSE(manager.removeItem(file));

  std::string nested = (root / "a/b/c").string();
  EXPECT_FALSE(manager.createDirectory(nested, false));
  EXPECT_TRUE(manager.createDirectory(nested));
  EXPECT_TRUE(manager.createFile(nested + "/x", "x"));
  EXPECT_FALSE(manager.contents(nested));  // a directory has no contents
  EXPECT_TRUE(manager.removeItem((root / "a").string()));
  EXPECT_FALSE(manager.fileExists(nested));
  EXPECT_FALSE(manager.createFile((root / "missing/dir/file").string(), "x"));
}

TEST(ProcessInfo, OverridesShadowTheRealEnvironmentWithoutChangingIt) {
  auto& info = ProcessInfo::processInfo();
  ASSERT_EQ(std::getenv("SIMULATOR_MODEL_IDENTIFIER"), nullptr);
  info.setEnvironmentValue("SIMULATOR_MODEL_IDENTIFIER", "iPhone10,3");
  EXPECT_EQ(info.environment().at("SIMULATOR_MODEL_IDENTIFIER"), "iPhone10,3");
  EXPECT_EQ(info.environmentValue("SIMULATOR_MODEL_IDENTIFIER"), "iPhone10,3");
  EXPECT_EQ(std::getenv("SIMULATOR_MODEL_IDENTIFIER"), nullptr);

  ASSERT_NE(std::getenv("PATH"), nullptr);
  info.setEnvironmentValue("PATH", std::nullopt);
  EXPECT_FALSE(info.environment().contains("PATH"));
  EXPECT_FALSE(info.environmentValue("PATH"));
  info.removeEnvironmentOverrides();
  EXPECT_TRUE(info.environment().contains("PATH"));
  EXPECT_FALSE(info.environment().contains("SIMULATOR_MODEL_IDENTIFIER"));
}

TEST(ProcessInfo, SystemVersionComparesPartByPart) {
  auto& info = ProcessInfo::processInfo();
  info.setOperatingSystemVersion({14, 2, 1});
  EXPECT_EQ(info.operatingSystemVersionString(), "14.2.1");
  EXPECT_TRUE(info.isOperatingSystemAtLeast({14, 2, 0}));
  EXPECT_FALSE(info.isOperatingSystemAtLeast({14, 10, 0}));
  info.setOperatingSystemVersion({});
  EXPECT_EQ(info.operatingSystemVersionString(), "12.0");
}

}  // namespace
}  // namespace ios
