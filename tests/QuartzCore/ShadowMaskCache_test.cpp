#include <QuartzCore/Renderer.h>
#include <QuartzCore/ShadowMaskCache.h>

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace ios {
namespace {

std::shared_ptr<CALayer> shadowedCard(CGFloat cornerRadius) {
  auto root = CALayer::create();
  root->setFrame(CGRect(0, 0, 80, 80));
  auto card = CALayer::create();
  card->setFrame(CGRect(20, 20, 40, 40));
  card->setBackgroundColor(CGColor::rgb(1, 1, 1, 1));
  card->setCornerRadius(cornerRadius);
  card->setShadowOpacity(0.5f);
  card->setShadowRadius(4);
  card->setShadowOffset(CGSize{0, 3});
  root->addSublayer(card);
  return root;
}

bool samePixels(const CGImage& a, const CGImage& b) {
  if (a.width() != b.width() || a.height() != b.height()) return false;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      if (a.pixel(x, y) != b.pixel(x, y)) return false;
    }
  }
  return true;
}

TEST(ShadowMaskCache, ARepeatedShapeReusesItsBlurAndDrawsTheSamePixels) {
  auto& cache = ShadowMaskCache::shared();
  cache.clear();
  auto first = Renderer::renderImage(*shadowedCard(8), 2);
  EXPECT_EQ(cache.hits(), 0u);
  auto second = Renderer::renderImage(*shadowedCard(8), 2);
  EXPECT_EQ(cache.hits(), 1u);
  ASSERT_TRUE(first && second);
  EXPECT_TRUE(samePixels(*first, *second));

  // Another shape is blurred afresh, and its shadow differs from the first.
  auto square = Renderer::renderImage(*shadowedCard(0), 2);
  EXPECT_EQ(cache.hits(), 1u);
  EXPECT_FALSE(samePixels(*first, *square));
}

TEST(ShadowMaskCache, MatchesTheAlphaItselfAndDropsTheLeastRecentlyUsed) {
  ShadowMaskCache cache(3 * 2 * 16);  // room for three 4x4 entries (source and result each)
  int blurs = 0;
  auto run = [&](unsigned char fill) {
    std::vector<unsigned char> buffer(8 * 4, 0);  // stride 8, width 4: bytes past the width are ignored
    for (int y = 0; y < 4; ++y) std::memset(buffer.data() + y * 8, fill, 4);
    buffer[5] = 0xEE;  // padding noise must not matter
    cache.blur(buffer.data(), 4, 4, 8, 1.0, [&](unsigned char* data) {
      ++blurs;
      for (int y = 0; y < 4; ++y) std::memset(data + y * 8, fill / 2, 4);
    });
    EXPECT_EQ(buffer[0], fill / 2);
    EXPECT_EQ(buffer[5], 0xEE);
  };
  run(10);
  run(20);
  run(30);
  run(10);  // a hit, and now the most recent
  EXPECT_EQ(blurs, 3);
  run(40);  // evicts 20, the least recently used
  EXPECT_EQ(cache.entries(), 3u);
  run(10);
  EXPECT_EQ(blurs, 4);
  run(20);
  EXPECT_EQ(blurs, 5);
  EXPECT_EQ(cache.hits(), 2u);
}

}  // namespace
}  // namespace ios
