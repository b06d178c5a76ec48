#include <WebImage/SDWebImageManager.h>

#include <gtest/gtest.h>

#include "WebImageTestSupport.h"

#include <string>

namespace ios {
namespace {

using test::recordInto;
using test::Result;
using test::urlOf;
using test::widthOf;

class SDWebImageManagerTest : public test::WebImageTest {};

TEST_F(SDWebImageManagerTest, ADownloadIsKeptInMemoryAndOnDiskWhereAFreshCacheFindsIt) {
  const std::string key = "http://img.test/a@2x.png";
  Result first;
  manager->loadImage(urlOf(key), 0, recordInto(first));
  runUntilIdle();
  ASSERT_EQ(transport->requests().size(), 1u);
  EXPECT_EQ(transport->requests()[0].url, key);
  EXPECT_EQ(manager->runningCount(), 1u);
  deliverPNG(0, 4);
  ASSERT_EQ(first.calls, 1);
  EXPECT_EQ(widthOf(first.image), 4);
  EXPECT_EQ(first.image->scale(), 2);
  EXPECT_EQ(first.cacheType, SDImageCacheType::none);
  EXPECT_EQ(manager->runningCount(), 0u);
  EXPECT_EQ(widthOf(cache->imageFromMemoryCache(key)), 4);

  // A second manager on the same folder (as after a relaunch) reads the file, not the network.
  auto otherTransport = FakeTransport::create();
  auto other = SDWebImageManager::create(SDImageCache::create(directory.path() + "/WebImage"),
                                         HTTPClient::create(otherTransport));
  Result second;
  other->loadImage(urlOf(key), 0, recordInto(second));
  EXPECT_EQ(second.calls, 0);  // the disk is read off the main thread, so later
  runUntilIdle();
  ASSERT_EQ(second.calls, 1);
  EXPECT_EQ(widthOf(second.image), 4);
  EXPECT_EQ(second.cacheType, SDImageCacheType::disk);
  EXPECT_TRUE(otherTransport->requests().empty());

  // Now in that manager's memory too.
  Result third;
  other->loadImage(urlOf(key), 0, recordInto(third));
  EXPECT_EQ(third.cacheType, SDImageCacheType::memory);
}

TEST_F(SDWebImageManagerTest, CompletionsRunOnTheMainThreadWhileDecodingRunsOffIt) {
  DispatchQueue::setGlobalInline(false);
  Result result;
  manager->loadImage(urlOf("http://img.test/a.png"), 0, recordInto(result));
  ASSERT_TRUE(loop().runUntil([&] { return transport->requests().size() == 1; }, 20.0));
  ASSERT_TRUE(transport->respond(0, FakeTransport::reply(200, test::pngOf(4, 4))));
  EXPECT_EQ(result.calls, 0);
  ASSERT_TRUE(loop().runUntil([&] { return result.calls > 0; }, 20.0));
  EXPECT_TRUE(result.onMainThread);
  EXPECT_EQ(widthOf(result.image), 4);

  // A failure too.
  Result failed;
  manager->loadImage(urlOf("http://img.test/b.png"), 0, recordInto(failed));
  ASSERT_TRUE(loop().runUntil([&] { return transport->requests().size() == 2; }, 20.0));
  ASSERT_TRUE(transport->respond(1, FakeTransport::reply(200, "garbage")));
  ASSERT_TRUE(loop().runUntil([&] { return failed.calls > 0; }, 20.0));
  EXPECT_TRUE(failed.onMainThread);
  EXPECT_EQ(failed.error->code, SDWebImageError::Code::badImageData);
}

// The library's failed-URL list is off: a URL that failed is asked for again the next time.
TEST_F(SDWebImageManagerTest, AFailedURLIsAskedForAgainNextTime) {
  const auto url = urlOf("http://img.test/missing.png");
  for (std::size_t attempt = 0; attempt < 2; ++attempt) {
    Result result;
    manager->loadImage(url, 0, recordInto(result));
    runUntilIdle();
    ASSERT_EQ(transport->requests().size(), attempt + 1);
    ASSERT_TRUE(transport->respond(attempt, FakeTransport::reply(404, "")));
    runUntilIdle();
    EXPECT_EQ(result.error->localizedDescription(),
              "Download marked as failed because of invalid response status code 404");
  }
}

TEST_F(SDWebImageManagerTest, CancellingReportsOnceOnALaterTurnAndDropsTheDiskResult) {
  Result stored;
  manager->loadImage(urlOf("http://img.test/a.png"), 0, recordInto(stored));
  runUntilIdle();
  deliverPNG(0, 4);
  cache->clearMemory();

  Result result;
  // Cancelled while the disk is being read: the image found there is dropped.
  auto operation = manager->loadImage(urlOf("http://img.test/a.png"), 0, recordInto(result));
  operation->cancel();
  operation->cancel();
  EXPECT_EQ(result.calls, 0);
  EXPECT_TRUE(operation->isCancelled());
  runUntilIdle();
  ASSERT_EQ(result.calls, 1);
  EXPECT_EQ(result.error->code, SDWebImageError::Code::cancelled);
  EXPECT_EQ(result.image, nullptr);
  EXPECT_EQ(manager->runningCount(), 0u);
}

}  // namespace
}  // namespace ios
