#include "support/ScratchDirectory.h"
#include "support/VirtualTime.h"

#include <Foundation/ProcessInfo.h>
#include <Photos/MobileCoreServices.h>
#include <Photos/PHAsset.h>
#include <Photos/PHPhotoLibrary.h>
#include <Photos/UIImageWriteToSavedPhotosAlbum.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace ios {
namespace {

struct SaveResult {
  std::shared_ptr<UIImage> image;
  std::optional<std::string> error;
  bool onMainThread = false;
};

class PhotoLibraryTest : public test::MainLoopTest {
 protected:
  void SetUp() override {
    MainLoopTest::SetUp();
    PHPhotoLibrary::setLibraryDirectory((root / "Library").string());
    PHPhotoLibrary::setAuthorizationPrompt(nullptr);
    PHPhotoLibrary::setAuthorizationStatus(PHAuthorizationStatus::authorized);
  }
  void TearDown() override {
    PHPhotoLibrary::setLibraryDirectory("");
    PHPhotoLibrary::setAuthorizationPrompt(nullptr);
    PHPhotoLibrary::setAuthorizationStatus(PHAuthorizationStatus::notDetermined);
    MainLoopTest::TearDown();
  }

  static std::shared_ptr<UIImage> picture(std::uint32_t color = 0xff336699u) {
    auto bitmap = CGImage::create(8, 6);
    std::fill_n(bitmap->mutablePixels(), 48, color);
    return UIImage::create(bitmap);
  }

  std::vector<SaveResult> results;
  UIImageSaveCompletion record = [this](const std::shared_ptr<UIImage>& image,
                                        const std::optional<std::string>& error) {
    results.push_back({image, error, RunLoop::isMainThread()});
  };
  test::ScratchDirectory scratch;
  std::filesystem::path root = scratch.path();
};

TEST_F(PhotoLibraryTest, SavedPicturesBecomeNewFilesThatDecode) {
  auto first = picture(0xffff0000u), second = picture(0xff00ff00u);
  UIImageWriteToSavedPhotosAlbum(first, record);
  UIImageWriteToSavedPhotosAlbum(second, record);
  EXPECT_TRUE(results.empty());  // never inside the call
  runUntilIdle();
  ASSERT_EQ(results.size(), 2u);
  EXPECT_EQ(results[0].image, first);
  EXPECT_EQ(results[0].error, std::nullopt);
  EXPECT_TRUE(results[0].onMainThread);
  const auto assets = PHAsset::fetchAssets();
  ASSERT_EQ(assets.size(), 2u);
  EXPECT_EQ(assets[0]->localIdentifier(), "IMG_0001.png");
  EXPECT_EQ(assets[1]->localIdentifier(), "IMG_0002.png");
  auto decoded = UIImage::contentsOfFile(assets[1]->path());
  ASSERT_NE(decoded, nullptr);
  EXPECT_EQ(decoded->size(), (CGSize{8, 6}));
  EXPECT_EQ(decoded->cgImage()->pixel(3, 3), 0xff00ff00u);
  // No half-written or temporary file is left beside them.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(root / "Library"), {}), 2);
}

TEST_F(PhotoLibraryTest, ExistingFilesAreNeverReplaced) {
  std::filesystem::create_directories(root / "Library");
  std::ofstream(root / "Library" / "IMG_0001.png") << "someone else's";
  UIImageWriteToSavedPhotosAlbum(picture(), record);
  runUntilIdle();
  ASSERT_EQ(results.size(), 1u);
  EXPECT_EQ(results[0].error, std::nullopt);
  std::ifstream kept(root / "Library" / "IMG_0001.png");
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "someone else's");
  EXPECT_TRUE(std::filesystem::exists(root / "Library" / "IMG_0002.png"));
}

TEST_F(PhotoLibraryTest, AnUnusableFolderGivesAnErrorOnTheMainQueue) {
  std::ofstream(root / "file") << "x";
  PHPhotoLibrary::setLibraryDirectory((root / "file" / "Library").string());  // under a plain file
  UIImageWriteToSavedPhotosAlbum(picture(), record);
  runUntilIdle();
  ASSERT_EQ(results.size(), 1u);
  ASSERT_TRUE(results[0].error);
  EXPECT_NE(results[0].error->find("Could not save the photo"), std::string::npos);
  EXPECT_TRUE(results[0].onMainThread);
}

TEST_F(PhotoLibraryTest, FirstSaveAsksForAccessAndARefusalIsAnError) {
  PHPhotoLibrary::setAuthorizationStatus(PHAuthorizationStatus::notDetermined);
  int prompts = 0;
  PHPhotoLibrary::setAuthorizationPrompt([&](std::function<void(bool)> answer) {
    ++prompts;
    answer(false);
  });
  UIImageWriteToSavedPhotosAlbum(picture(), record);
  UIImageWriteToSavedPhotosAlbum(picture(), record);
  runUntilIdle();
  ASSERT_EQ(results.size(), 2u);
  EXPECT_TRUE(results[0].error);
  EXPECT_TRUE(results[1].error);
  EXPECT_EQ(prompts, 1);
  EXPECT_EQ(PHPhotoLibrary::authorizationStatus(), PHAuthorizationStatus::denied);
  EXPECT_FALSE(std::filesystem::exists(root / "Library"));
}

TEST_F(PhotoLibraryTest, WithoutAPromptTheFirstSaveIsRefusedUnlessTheHostAllowsIt) {
  PHPhotoLibrary::setAuthorizationStatus(PHAuthorizationStatus::notDetermined);
  ProcessInfo::processInfo().setEnvironmentValue("KERBELIN_PHOTOS_ACCESS", std::nullopt);
  UIImageWriteToSavedPhotosAlbum(picture(), record);
  runUntilIdle();
  ASSERT_EQ(results.size(), 1u);
  EXPECT_TRUE(results[0].error);
  EXPECT_EQ(PHPhotoLibrary::authorizationStatus(), PHAuthorizationStatus::denied);
}

TEST_F(PhotoLibraryTest, DefaultFolderFollowsTheEnvironment) {
  PHPhotoLibrary::setLibraryDirectory("");
  auto& info = ProcessInfo::processInfo();
  info.setEnvironmentValue("XDG_PICTURES_DIR", "/srv/pictures");
  EXPECT_EQ(PHPhotoLibrary::libraryDirectory(), "/srv/pictures/KerbelinSDK");
  info.setEnvironmentValue("XDG_PICTURES_DIR", std::nullopt);
  info.setEnvironmentValue("HOME", "/home/tester");
  EXPECT_EQ(PHPhotoLibrary::libraryDirectory(), "/home/tester/Pictures/KerbelinSDK");
  info.removeEnvironmentOverrides();
}

TEST_F(PhotoLibraryTest, AssetsOfFilesTakeTheirTypeFromTheExtension) {
  EXPECT_TRUE(PHAssetResource::assetResources(nullptr).empty());
  auto photo = PHAsset::fromFile("/x/IMG_7.HEIC");
  EXPECT_EQ(photo->mediaType(), PHAssetMediaType::image);
  EXPECT_EQ(PHAssetResource::assetResources(photo)[0]->uniformTypeIdentifier, "public.heic");
  auto odd = PHAsset::fromFile("/x/notes.xyz");
  EXPECT_EQ(PHAssetResource::assetResources(odd)[0]->uniformTypeIdentifier, "public.data");
  EXPECT_EQ(odd->mediaType(), PHAssetMediaType::unknown);
}

}  // namespace
}  // namespace ios
