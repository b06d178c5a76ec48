#include <WebImage/SDDiskCache.h>
#include <WebImage/SDImageCoderHelper.h>
#include <WebImage/SDMemoryCache.h>
#include <WebImage/Sha256.h>

#include <gtest/gtest.h>

#include "WebImageTestSupport.h"

#include <chrono>
#include <filesystem>
#include <fstream>

namespace ios {
namespace {

std::shared_ptr<UIImage> imageOfWidth(int width) {
  return UIImage::create(CGImage::create(width, 1));
}

TEST(SDMemoryCache, EvictsTheLeastRecentlyUsedBeyondTheCostLimit) {
  SDMemoryCache cache(30);
  cache.setObject(imageOfWidth(1), "a", 10);
  cache.setObject(imageOfWidth(2), "b", 10);
  cache.setObject(imageOfWidth(3), "c", 10);
  ASSERT_TRUE(cache.object("a"));  // "b" is now the least recently used
  cache.setObject(imageOfWidth(4), "d", 10);
  EXPECT_FALSE(cache.object("b"));
  EXPECT_TRUE(cache.object("a"));
  EXPECT_TRUE(cache.object("c"));
  EXPECT_EQ(cache.totalCost(), 30u);

  // Replacing keeps one entry with the new cost.
  cache.setObject(imageOfWidth(5), "a", 5);
  EXPECT_EQ(cache.count(), 3u);
  EXPECT_EQ(cache.totalCost(), 25u);
  EXPECT_EQ(test::widthOf(cache.object("a")), 5);

  // Too big alone: not kept, and nothing else is lost for it beyond what the limit needs.
  cache.setObject(imageOfWidth(6), "huge", 31);
  EXPECT_FALSE(cache.object("huge"));
  EXPECT_LE(cache.totalCost(), 30u);
  // Without a given cost an image costs the bytes of its bitmap.
  EXPECT_EQ(SDMemoryCache::cost(*UIImage::create(CGImage::create(10, 3))), 120u);
}

TEST(Sha256, MatchesTheStandardTestVectors) {
  EXPECT_EQ(sha256Hex(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
  EXPECT_EQ(sha256Hex("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
  EXPECT_EQ(sha256Hex("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
            "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
  EXPECT_EQ(sha256Hex(std::string(1000000, 'a')),
            "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
}

class SDDiskCacheTest : public ::testing::Test {
 protected:
  test::ScratchDirectory scratch;
  std::string directory = scratch.path() + "/images";

  static void age(const std::string& path, std::chrono::seconds by) {
    std::filesystem::last_write_time(path, std::filesystem::file_time_type::clock::now() - by);
  }
};

TEST_F(SDDiskCacheTest, StoresUnderTheKeysHashAndReadsBack) {
  SDDiskCache cache(directory);
  EXPECT_FALSE(cache.data("http://img.test/a.png"));
  ASSERT_TRUE(cache.setData(Data("bytes"), "http://img.test/a.png"));
  EXPECT_EQ(cache.cachePath("http://img.test/a.png"), directory + "/" + sha256Hex("http://img.test/a.png"));
  EXPECT_EQ(cache.data("http://img.test/a.png"), Data("bytes"));
  EXPECT_FALSE(cache.data("http://img.test/b.png"));
  // No temporary file is left behind by the atomic write.
  EXPECT_EQ(
      std::distance(std::filesystem::directory_iterator(directory), std::filesystem::directory_iterator()),
      1);

  // Another instance on the directory sees it.
  SDDiskCache other(directory);
  EXPECT_TRUE(other.containsData("http://img.test/a.png"));
  other.removeData("http://img.test/a.png");
  EXPECT_FALSE(cache.containsData("http://img.test/a.png"));
}

TEST_F(SDDiskCacheTest, TrimsOldFilesThenTheLeastRecentlyUsedToHalfTheBound) {
  SDDiskCache cache(directory);
  cache.maxSize = 0;
  for (const char* key : {"k1", "k2", "k3", "k4"})
    ASSERT_TRUE(cache.setData(Data(std::string(100, 'x')), key));
  age(cache.cachePath("k1"), std::chrono::seconds(400));
  age(cache.cachePath("k2"), std::chrono::seconds(300));
  age(cache.cachePath("k3"), std::chrono::seconds(200));
  age(cache.cachePath("k4"), std::chrono::seconds(100));
  ASSERT_TRUE(cache.data("k1"));  // a read makes k1 the most recently used
  EXPECT_EQ(cache.totalSize(), 400u);

  cache.maxSize = 450;
  ASSERT_TRUE(cache.setData(Data(std::string(100, 'y')), "k5"));  // 500 bytes > 450: down to <= 225
  EXPECT_FALSE(cache.containsData("k2"));
  EXPECT_FALSE(cache.containsData("k3"));
  EXPECT_FALSE(cache.containsData("k4"));
  EXPECT_TRUE(cache.containsData("k1"));
  EXPECT_TRUE(cache.containsData("k5"));
  EXPECT_EQ(cache.totalCount(), 2u);

  cache.maxAge = 60;
  age(cache.cachePath("k1"), std::chrono::seconds(120));
  cache.trim();
  EXPECT_FALSE(cache.containsData("k1"));
  EXPECT_TRUE(cache.containsData("k5"));

  // Abandoned temporaries go after an hour; fresh ones (a write under way) stay.
  const std::string abandoned = directory + "/" + sha256Hex("k6") + ".Ab12Cd", fresh = abandoned + "x";
  std::ofstream(abandoned) << "partial";
  std::ofstream(fresh) << "partial";
  age(abandoned, std::chrono::hours(2));
  cache.trim();
  EXPECT_FALSE(std::filesystem::exists(abandoned));
  EXPECT_TRUE(std::filesystem::exists(fresh));
  EXPECT_EQ(cache.totalCount(), 1u);
  cache.removeAllData();
  EXPECT_EQ(cache.totalCount(), 0u);
}

// The cache looks at the directory once, then counts what it writes: small writes that together
// pass the bound still trim, also after everything was removed.
TEST_F(SDDiskCacheTest, SmallWritesThatTogetherPassTheBoundTrim) {
  SDDiskCache cache(directory);
  cache.maxSize = 450;
  for (int round = 0; round < 2; ++round) {
    for (const char* key : {"k1", "k2", "k3", "k4"})
      ASSERT_TRUE(cache.setData(Data(std::string(100, 'x')), key));
    EXPECT_EQ(cache.totalCount(), 4u);
    age(cache.cachePath("k1"), std::chrono::seconds(400));
    age(cache.cachePath("k2"), std::chrono::seconds(300));
    age(cache.cachePath("k3"), std::chrono::seconds(200));
    age(cache.cachePath("k4"), std::chrono::seconds(100));
    ASSERT_TRUE(cache.setData(Data(std::string(100, 'y')), "k5"));
    EXPECT_EQ(cache.totalSize(), 200u) << "round " << round;
    EXPECT_TRUE(cache.containsData("k4"));
    EXPECT_TRUE(cache.containsData("k5"));
    cache.removeAllData();
  }
}

TEST(SDImageCoderHelper, ScaleComesFromTheLastPathComponent) {
  EXPECT_EQ(SDImageScaleFactorForKey("http://x.test/a/logo@2x.png"), 2);
  EXPECT_EQ(SDImageScaleFactorForKey("http://x.test/logo@3x.jpg?v=1"), 3);
  EXPECT_EQ(SDImageScaleFactorForKey("http://x.test/a@2x/logo.png"), 1);
  EXPECT_EQ(SDImageScaleFactorForKey("http://x.test/logo.png#@2x"), 1);
  EXPECT_EQ(SDImageScaleFactorForKey("http://x.test/logo@2x"), 2);
  EXPECT_FALSE(SDImageDecode(Data(), "k"));
  EXPECT_FALSE(SDImageDecode(Data("\x89PNG\r\n\x1a\n broken"), "k"));
  EXPECT_EQ(test::widthOf(SDImageDecode(Data(test::pngOf(3, 3)), "k")), 3);
}

}  // namespace
}  // namespace ios
