#pragma once

#include <CoreGraphics/CGImage.h>
#include <Foundation/RunLoop.h>
#include <Foundation/URL.h>
#include <Network/FakeTransport.h>
#include <Network/HTTPClient.h>
#include <UIKit/UIImage.h>
#include <WebImage/SDImageCache.h>
#include <WebImage/SDWebImageManager.h>
#include <support/ScratchDirectory.h>
#include <support/VirtualTime.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace ios::test {

// PNG bytes of a width x height image in one colour: tests tell images apart by their size.
inline std::string pngOf(int width, int height, std::uint32_t color = 0xff336699) {
  auto bitmap = CGImage::create(width, height,
                                std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height, color));
  return UIImage::create(bitmap)->pngData()->bytes;
}

inline URL urlOf(const std::string& text) {
  return *URL::fromString(text);
}

inline int widthOf(const std::shared_ptr<UIImage>& image) {
  return image && image->cgImage() ? image->cgImage()->width() : -1;
}

// What a load's completion reported, and how often.
struct Result {
  int calls = 0;
  std::shared_ptr<UIImage> image;
  std::optional<SDWebImageError> error;
  SDImageCacheType cacheType = SDImageCacheType::none;
  std::optional<URL> url;
  bool onMainThread = false;
};

inline SDExternalCompletionBlock recordInto(Result& result) {
  return [&result](const std::shared_ptr<UIImage>& image, const std::optional<SDWebImageError>& error,
                   SDImageCacheType cacheType, const std::optional<URL>& url) {
    result = {result.calls + 1, image, error, cacheType, url, RunLoop::isMainThread()};
  };
}

// A manager on a fake transport and a scratch cache directory, installed as the shared one.
class WebImageTest : public MainLoopTest {
 protected:
  void SetUp() override {
    MainLoopTest::SetUp();
    ASSERT_FALSE(directory.path().empty());
    transport = FakeTransport::create();
    cache = SDImageCache::create(directory.path() + "/WebImage");
    manager = SDWebImageManager::create(cache, HTTPClient::create(transport));
    SDWebImageManager::setShared(manager);
  }
  void TearDown() override {
    SDWebImageManager::setShared(nullptr);
    MainLoopTest::TearDown();
  }

  // Answers the request at `index` with a PNG of the given width (square) and runs the loop.
  bool deliverPNG(std::size_t index, int width) {
    const bool held = transport->respond(index, FakeTransport::reply(200, pngOf(width, width)));
    runUntilIdle();
    return held;
  }

  ScratchDirectory directory;
  std::shared_ptr<FakeTransport> transport;
  std::shared_ptr<SDImageCache> cache;
  std::shared_ptr<SDWebImageManager> manager;
};

}  // namespace ios::test
