#include <WebImage/UIImageViewWebCache.h>

#include <gtest/gtest.h>

#include "WebImageTestSupport.h"

namespace ios {
namespace {

using test::recordInto;
using test::Result;
using test::urlOf;
using test::widthOf;

class UIImageViewWebCache : public test::WebImageTest {
 protected:
  std::shared_ptr<UIImageView> view = UIImageView::create(CGRect(0, 0, 40, 40));
};

TEST_F(UIImageViewWebCache, AReusedViewShowsTheNewImageWhicheverReplyComesFirst) {
  for (bool newerFirst : {true, false}) {
    SCOPED_TRACE(newerFirst ? "newer reply first" : "older reply first");
    transport = FakeTransport::create();
    manager = SDWebImageManager::create(SDImageCache::create(directory.path() + (newerFirst ? "/a" : "/b")),
                                        HTTPClient::create(transport));
    SDWebImageManager::setShared(manager);
    Result first, second;
    // Each load asks the disk first (a later turn), then sends its request.
    sd_setImage(*view, urlOf("http://img.test/old.png"), recordInto(first));
    runUntilIdle();
    sd_setImage(*view, urlOf("http://img.test/new.png"), recordInto(second));
    runUntilIdle();
    ASSERT_EQ(transport->requests().size(), 2u);
    if (newerFirst) {
      EXPECT_TRUE(deliverPNG(1, 6));
      // The old request was cancelled with its load: its reply has nowhere to go.
      EXPECT_FALSE(deliverPNG(0, 4));
    } else {
      EXPECT_FALSE(deliverPNG(0, 4));
      EXPECT_EQ(view->image(), nullptr);
      EXPECT_TRUE(deliverPNG(1, 6));
    }
    EXPECT_EQ(widthOf(view->image()), 6);
    ASSERT_EQ(first.calls, 1);
    ASSERT_TRUE(first.error);
    EXPECT_EQ(first.error->code, SDWebImageError::Code::cancelled);
    ASSERT_EQ(second.calls, 1);
    EXPECT_EQ(widthOf(second.image), 6);
  }
}

TEST_F(UIImageViewWebCache, AnImageAlreadyDownloadedOrDecodingNeverLandsAfterANewLoad) {
  // The older reply arrives first and is mid-way (decoding, or its result queued for the main
  // thread) when the cell is reused.
  for (int turns : {1, 2}) {
    SCOPED_TRACE(turns);
    sd_setImage(*view, urlOf("http://img.test/late" + std::to_string(turns) + ".png"));
    runUntilIdle();
    const std::size_t old = transport->requests().size() - 1;
    ASSERT_TRUE(transport->respond(old, FakeTransport::reply(200, test::pngOf(4, 4))));
    for (int i = 0; i < turns; ++i) runOnce();
    ASSERT_EQ(view->image(), nullptr);

    sd_setImage(*view, urlOf("http://img.test/fresh" + std::to_string(turns) + ".png"));
    runUntilIdle();
    EXPECT_EQ(view->image(), nullptr);
    EXPECT_TRUE(deliverPNG(old + 1, 6));
    EXPECT_EQ(widthOf(view->image()), 6);
  }
}

TEST_F(UIImageViewWebCache, ANewLoadClearsTheOldImageAtOnce) {
  view->setImage(UIImage::create(CGImage::create(9, 9)));
  sd_setImage(*view, urlOf("http://img.test/b.png"));
  EXPECT_EQ(view->image(), nullptr);
}

TEST_F(UIImageViewWebCache, NoURLOrANonHTTPOneFailsAtOnceWithoutARequest) {
  view->setImage(UIImage::create(CGImage::create(9, 9)));
  for (const auto& url : {std::optional<URL>(), URL::fromString("www.img.test/a.png"),
                          URL::fromString("ftp://img.test/a.png"), URL::fromString("file:///etc/passwd")}) {
    Result outcomes;
    sd_setImage(*view, url, recordInto(outcomes));
    ASSERT_EQ(outcomes.calls, 1);  // before the call returned
    ASSERT_TRUE(outcomes.error);
    EXPECT_EQ(outcomes.error->code, SDWebImageError::Code::invalidURL);
    EXPECT_EQ(view->image(), nullptr);
  }
  runUntilIdle();
  EXPECT_TRUE(transport->requests().empty());
}

TEST_F(UIImageViewWebCache, AMemoryHitIsShownBeforeTheCallReturns) {
  sd_setImage(*view, urlOf("http://img.test/logo.png"));
  runUntilIdle();
  deliverPNG(0, 5);
  ASSERT_EQ(widthOf(view->image()), 5);

  auto reused = UIImageView::create();
  Result outcomes;
  sd_setImage(*reused, urlOf("http://img.test/logo.png"), recordInto(outcomes));
  EXPECT_EQ(reused->image(), view->image());
  ASSERT_EQ(outcomes.calls, 1);
  EXPECT_EQ(outcomes.cacheType, SDImageCacheType::memory);
  EXPECT_EQ(transport->requests().size(), 1u);
}

TEST_F(UIImageViewWebCache, FailuresLeaveNoImageAndReportWhy) {
  const auto cases = std::vector<std::pair<HTTPResponse, SDWebImageError::Code>>{
      {FakeTransport::reply(200, "<html>not an image</html>"), SDWebImageError::Code::badImageData},
      {FakeTransport::reply(200, test::pngOf(8, 8).substr(0, 40)), SDWebImageError::Code::badImageData},
      {FakeTransport::reply(200, ""), SDWebImageError::Code::badImageData},
      {FakeTransport::reply(404, test::pngOf(8, 8)), SDWebImageError::Code::invalidDownloadStatusCode},
      {FakeTransport::reply(500, ""), SDWebImageError::Code::invalidDownloadStatusCode},
  };
  for (std::size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE(i);
    Result outcomes;
    const auto url = urlOf("http://img.test/bad" + std::to_string(i) + ".png");
    sd_setImage(*view, url, recordInto(outcomes));
    runUntilIdle();
    ASSERT_TRUE(transport->respond(i, cases[i].first));
    runUntilIdle();
    ASSERT_EQ(outcomes.calls, 1);
    ASSERT_TRUE(outcomes.error);
    EXPECT_EQ(outcomes.error->code, cases[i].second);
    EXPECT_EQ(view->image(), nullptr);
    EXPECT_FALSE(cache->diskCache().containsData(url.absoluteString()));
  }
  EXPECT_EQ(cache->memoryCache().count(), 0u);
}

TEST_F(UIImageViewWebCache, AViewThatIsGoneGetsNothingAndNothingBreaks) {
  int calls = 0;
  sd_setImage(*view, urlOf("http://img.test/a.png"), [&](auto&&...) { ++calls; });
  runUntilIdle();
  view.reset();
  EXPECT_TRUE(deliverPNG(0, 4));
  EXPECT_EQ(calls, 0);
  // The image is still cached for the next view that asks.
  EXPECT_EQ(test::widthOf(cache->imageFromMemoryCache("http://img.test/a.png")), 4);
}

}  // namespace
}  // namespace ios
