#include <Network/CurlTransport.h>
#include <UIKit/UIImageView.h>
#include <WebImage/UIImageViewWebCache.h>

#include <gtest/gtest.h>
#include <httplib.h>

#include "WebImageTestSupport.h"

#include <thread>

namespace ios {
namespace {

// One real transfer end to end: libcurl on its I/O thread, a server on 127.0.0.1 started here.
class WebImageLoopback : public test::MainLoopTest {
 protected:
  void SetUp() override {
    MainLoopTest::SetUp();
    png_ = test::pngOf(5, 5);
    server_.Get("/images/card.png", [this](const httplib::Request&, httplib::Response& response) {
      response.set_content(png_, "image/png");
    });
    server_.Get("/moved.png", [](const httplib::Request&, httplib::Response& response) {
      response.set_redirect("/images/card.png");
    });
    server_.Get("/missing.png", [](const httplib::Request&, httplib::Response& response) {
      response.status = 404;
      response.set_content("no such image", "text/plain");
    });
    port_ = server_.bind_to_any_port("127.0.0.1");
    ASSERT_GT(port_, 0);
    thread_ = std::thread([this] { server_.listen_after_bind(); });
    manager_ = SDWebImageManager::create(SDImageCache::create(directory_.path()),
                                         HTTPClient::create(CurlTransport::create()));
    SDWebImageManager::setShared(manager_);
  }

  void TearDown() override {
    SDWebImageManager::setShared(nullptr);
    manager_.reset();
    server_.stop();
    if (thread_.joinable()) thread_.join();
    MainLoopTest::TearDown();
  }

  URL url(const std::string& path) const {
    return test::urlOf("http://127.0.0.1:" + std::to_string(port_) + path);
  }

  std::string png_;
  test::ScratchDirectory directory_;
  httplib::Server server_;
  std::thread thread_;
  int port_ = 0;
  std::shared_ptr<SDWebImageManager> manager_;
};

TEST_F(WebImageLoopback, LoadsARealImageThroughARedirectAndFailsOnA404) {
  auto view = UIImageView::create(CGRect(0, 0, 20, 20));
  std::optional<SDWebImageError> error;
  bool done = false;
  sd_setImage(*view, url("/moved.png"), [&](const auto&, const auto& e, SDImageCacheType, const auto&) {
    error = e;
    done = true;
  });
  ASSERT_TRUE(loop().runUntil([&] { return done; }, 20.0));
  EXPECT_FALSE(error) << error->localizedDescription();
  EXPECT_EQ(test::widthOf(view->image()), 5);

  done = false;
  auto missing = UIImageView::create();
  sd_setImage(*missing, url("/missing.png"), [&](const auto&, const auto& e, SDImageCacheType, const auto&) {
    error = e;
    done = true;
  });
  ASSERT_TRUE(loop().runUntil([&] { return done; }, 20.0));
  ASSERT_TRUE(error);
  EXPECT_EQ(error->code, SDWebImageError::Code::invalidDownloadStatusCode);
  EXPECT_EQ(error->statusCode, 404);
  EXPECT_EQ(missing->image(), nullptr);
}

}  // namespace
}  // namespace ios
