#include <QuartzCore/ScaledPictures.h>
#include <QuartzCore/SharedShadows.h>

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

namespace ios {
namespace {

// The caches find keys by hash: keys that compare equal though written differently must still meet.
TEST(CacheKeys, PicturesShownTheSameWayMeetWhateverTheirRectanglesSpelling) {
  const double inf = INFINITY;
  PixelPlacement negativeZero;
  negativeZero.phaseX = -0.0;
  const struct {
    const char* label;
    ScaledPictures::Key first, second;
    bool same;
  } cases[] = {
      {"flipped rectangle", {1, CGRect(10, 10, -5, -5), {}}, {1, CGRect(5, 5, 5, 5), {}}, true},
      {"null rectangles", {1, CGRect(inf, 3, 1, 1), {}}, {1, CGRect::null, {}}, true},
      {"negative zero", {1, CGRect(-0.0, 0, 4, 4), negativeZero}, {1, CGRect(0, 0, 4, 4), {}}, true},
      {"another picture", {1, CGRect(0, 0, 4, 4), {}}, {2, CGRect(0, 0, 4, 4), {}}, false},
  };
  for (const auto& c : cases) {
    ScaledPictures cache(1 << 20);
    auto draw = [] { return SurfaceRef(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 4, 4)); };
    cache.picture(c.first, draw);
    cache.picture(c.second, draw);
    EXPECT_EQ(cache.hits(), c.same ? 1u : 0u) << c.label;
  }
}

TEST(CacheKeys, ShadowsOfOneShapeMeetWhateverItsPathsSpelling) {
  auto keyed = [](CGFloat zero, CGFloat y, CGFloat cornerRadius) {
    SharedShadows::Key key;
    key.path = CGPath::rect(CGRect(zero, y, 8, 8));
    key.cornerRadius = cornerRadius;
    return key;
  };
  const struct {
    const char* label;
    SharedShadows::Key first, second;
    bool same;
  } cases[] = {
      {"negative zero", keyed(-0.0, 0, -0.0), keyed(0, 0, 0), true},
      {"another path", keyed(0, 0, 0), keyed(0, 1, 0), false},
  };
  for (const auto& c : cases) {
    SharedShadows cache(1 << 20);
    auto make = [] { return SurfaceRef(cairo_image_surface_create(CAIRO_FORMAT_A8, 8, 8)); };
    cache.alpha(c.first, make);
    cache.alpha(c.second, make);
    EXPECT_EQ(cache.hits(), c.same ? 1u : 0u) << c.label;
  }
}

}  // namespace
}  // namespace ios
