#include <UIKit/UIImage.h>

#include <Foundation/Bundle.h>
#include <ImageIO/GifTestWriter.h>
#include <UIKit/UIGraphics.h>
#include <UIKit/UIScreen.h>

#include <gtest/gtest.h>
#include <support/Pixels.h>
#include <support/ScratchDirectory.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace ios {
namespace {

namespace fs = std::filesystem;

using test::kBlue;
using test::kGreen;
using test::kRed;

using test::solid;

std::string pngOf(int width, int height, std::uint32_t color) {
  return solid(width, height, color)->pngData()->bytes;
}

// A 10 x 6 point drawing, blue all over.
const std::string kBlueSVG =
    R"(<svg xmlns="http://www.w3.org/2000/svg" width="10" height="6"><rect width="10" height="6" fill="#0000ff"/></svg>)";

// A directory bundle in a fresh temporary folder, removed with the fixture.
class UIImageNamed : public ::testing::Test {
 protected:
  void SetUp() override {
    write("Icons/icon.png", pngOf(10, 10, kRed));
    write("Icons/icon@2x.png", pngOf(20, 20, kGreen));
    write("Icons/icon@3x.png", pngOf(30, 30, kBlue));
    write("only2x@2x.png", pngOf(8, 8, kGreen));
    write("vector.svg", kBlueSVG);
    write("both.png", pngOf(4, 4, kRed));
    write("both.svg", kBlueSVG);
    write("viewbox.svg",
          R"(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 4 2"><rect width="4" height="2"/></svg>)");
    write("broken.svg", "<svg");
    write("broken.png", pngOf(10, 10, kRed).substr(0, 30));
    bundle_ = Bundle::create("images.test", directory_);
  }
  void write(const std::string& name, const std::string& bytes) { scratch_.write(name, bytes); }

  test::ScratchDirectory scratch_;
  fs::path directory_ = scratch_.path();
  std::shared_ptr<Bundle> bundle_;
};

TEST_F(UIImageNamed, PicksTheBitmapMadeForTheDisplayScale) {
  struct Expect {
    CGFloat displayScale;
    int pixels;
    std::uint32_t color;
  };
  for (const Expect& e : {Expect{1, 10, kRed}, Expect{2, 20, kGreen}, Expect{3, 30, kBlue}}) {
    auto image = UIImage::named("icon", bundle_, e.displayScale);
    ASSERT_TRUE(image) << e.displayScale;
    EXPECT_EQ(image->scale(), e.displayScale);
    EXPECT_EQ(image->size(), (CGSize{10, 10}));
    EXPECT_EQ(image->cgImage()->width(), e.pixels);
    EXPECT_EQ(image->cgImage()->pixel(0, 0), e.color);
  }
  // Only a @2x file: used at any scale, with its own scale.
  auto only = UIImage::named("only2x", bundle_, 1);
  ASSERT_TRUE(only);
  EXPECT_EQ(only->scale(), 2);
  EXPECT_EQ(only->size(), (CGSize{4, 4}));
  // A name with its extension finds the same family.
  EXPECT_EQ(UIImage::named("icon.png", bundle_, 3)->cgImage()->width(), 30);
}

TEST_F(UIImageNamed, RendersVectorDrawingsAtTheDisplayScale) {
  for (CGFloat scale : {1.0, 2.0, 3.0}) {
    auto image = UIImage::named("vector", bundle_, scale);
    ASSERT_TRUE(image) << scale;
    EXPECT_EQ(image->scale(), scale);
    EXPECT_EQ(image->size(), (CGSize{10, 6}));
    EXPECT_EQ(image->cgImage()->width(), static_cast<int>(10 * scale));
    EXPECT_EQ(image->cgImage()->height(), static_cast<int>(6 * scale));
    EXPECT_EQ(image->cgImage()->pixel(image->cgImage()->width() / 2, image->cgImage()->height() / 2), kBlue);
  }
  // A drawing beats a bitmap made for another scale, not one made for this scale.
  EXPECT_EQ(UIImage::named("both", bundle_, 1)->cgImage()->pixel(0, 0), kRed);
  EXPECT_EQ(UIImage::named("both", bundle_, 2)->cgImage()->pixel(0, 0), kBlue);
  // Without width and height the view box gives the size.
  auto boxed = UIImage::named("viewbox", bundle_, 2);
  ASSERT_TRUE(boxed);
  EXPECT_EQ(boxed->size(), (CGSize{4, 2}));
  EXPECT_FALSE(UIImage::named("broken", bundle_, 2));
}

TEST_F(UIImageNamed, MissingEmptyAndDamagedNamesGiveNothing) {
  EXPECT_FALSE(UIImage::named("", bundle_));
  EXPECT_FALSE(UIImage::named(""));
  EXPECT_FALSE(UIImage::named("absent", bundle_));
  EXPECT_FALSE(UIImage::named("broken.png", bundle_));
  EXPECT_FALSE(UIImage::named("../icon", bundle_));
}

TEST_F(UIImageNamed, CachesPerBundleAndDescribesItself) {
  auto first = UIImage::named("icon", bundle_, 2);
  EXPECT_EQ(UIImage::named("icon", bundle_, 2), first);
  EXPECT_NE(UIImage::named("icon", bundle_, 3), first);
  EXPECT_NE(first->description().find("named(images.test: icon) {10, 10}"), std::string::npos)
      << first->description();

  // Another bundle, in memory, with the same identifier and asset name has its own image.
  auto other = Bundle::create("images.test", Bundle::ResourceMap{{"icon.png", pngOf(6, 6, kBlue)}});
  auto fromOther = UIImage::named("icon", other, 2);
  ASSERT_TRUE(fromOther);
  EXPECT_EQ(fromOther->size(), (CGSize{6, 6}));
}

TEST_F(UIImageNamed, NoBundleMeansTheMainBundleAtTheScreensScale) {
  Bundle::setMainBundle(bundle_);
  auto image = UIImage::named("icon");
  Bundle::setMainBundle(nullptr);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->scale(), UIScreen::main()->scale());
  EXPECT_NE(image->description().find("named(main: icon)"), std::string::npos) << image->description();
  EXPECT_FALSE(UIImage::named("icon"));  // the empty main bundle again
}

TEST_F(UIImageNamed, ContentsOfFileReadsTheScaleFromTheName) {
  auto image = UIImage::contentsOfFile((directory_ / "Icons/icon@2x.png").string());
  ASSERT_TRUE(image);
  EXPECT_EQ(image->scale(), 2);
  EXPECT_EQ(image->size(), (CGSize{10, 10}));
  EXPECT_EQ(UIImage::contentsOfFile((directory_ / "Icons/icon.png").string())->scale(), 1);
  EXPECT_FALSE(UIImage::contentsOfFile((directory_ / "nothing.png").string()));
  EXPECT_FALSE(UIImage::contentsOfFile((directory_ / "broken.png").string()));
}

TEST(UIImage, PNGRoundTripKeepsEveryPixel) {
  std::vector<std::uint32_t> pixels = {kRed, kGreen, kBlue, 0x80402010, 0, 0x01010101};
  auto image = UIImage::create(CGImage::create(3, 2, pixels), 2);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->size(), (CGSize{1.5, 1}));
  const auto png = image->pngData();
  ASSERT_TRUE(png);
  auto back = UIImage::fromData(*png, 2);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->scale(), 2);
  EXPECT_EQ(std::vector<std::uint32_t>(back->cgImage()->pixels(), back->cgImage()->pixels() + 6), pixels);
}

TEST(UIImage, JPEGQualityMapsOntoTheEncodersScale) {
  std::vector<std::uint32_t> pixels;
  for (int i = 0; i < 32 * 32; ++i)
    pixels.push_back(0xFF000000u | static_cast<std::uint32_t>((i * 7) % 256) << 16 |
                     static_cast<std::uint32_t>((i * 3) % 256) << 8);
  auto image = UIImage::create(CGImage::create(32, 32, pixels));
  const auto best = image->jpegData(1.0), low = image->jpegData(0.1), zero = image->jpegData(0),
             negative = image->jpegData(-3), beyond = image->jpegData(7);
  ASSERT_TRUE(best && low && zero && negative && beyond);
  EXPECT_EQ(*zero, *negative);  // both at the encoder's lowest quality
  EXPECT_EQ(*beyond, *best);
  EXPECT_LT(zero->count(), low->count());
  EXPECT_LT(low->count(), best->count());
  auto decoded = UIImage::fromData(*best);
  ASSERT_TRUE(decoded);
  EXPECT_EQ(decoded->size(), (CGSize{32, 32}));
}

TEST(UIImage, EncoderFailuresAndMissingBitmapsGiveNoData) {
  auto image = solid(4, 4, kRed);
  UIImage::failNextJPEGEncodings();
  EXPECT_FALSE(image->jpegData(0.5));
  EXPECT_TRUE(image->jpegData(0.5));
  EXPECT_FALSE(UIImageJPEGRepresentation(nullptr, 1));

  auto unbacked = UIImage::createWithoutBitmap(CGSize{0.5, 10});
  ASSERT_TRUE(unbacked);
  EXPECT_FALSE(unbacked->cgImage());
  EXPECT_EQ(unbacked->size(), (CGSize{0.5, 10}));
  EXPECT_FALSE(unbacked->jpegData(1));
  EXPECT_FALSE(UIImagePNGRepresentation(unbacked));
  EXPECT_NE(unbacked->description().find("anonymous {0.5, 10}"), std::string::npos)
      << unbacked->description();
  EXPECT_FALSE(UIImage::create(nullptr));
  EXPECT_FALSE(solid(1, 1, kRed, 0));
}

TEST(UIImage, CorruptOrTruncatedDataOfEachFormatGivesNothing) {
  const std::string png = pngOf(16, 16, kGreen);
  const std::string jpeg = solid(16, 16, kGreen)->jpegData(0.9)->bytes;
  testing::GifFrame blue;
  blue.width = blue.height = 2;
  blue.indices = {0, 0, 0, 0};
  const std::string gif = testing::GifTestWriter::write(2, 2, {{0, 0, 255}}, {blue});
  ASSERT_TRUE(UIImage::fromData(Data(png)));
  ASSERT_TRUE(UIImage::fromData(Data(jpeg)));
  auto gifImage = UIImage::fromData(Data(gif));
  ASSERT_TRUE(gifImage);
  EXPECT_EQ(gifImage->cgImage()->pixel(1, 1), kBlue);
  for (const std::string* whole : {&png, &jpeg, &gif}) {
    EXPECT_FALSE(UIImage::fromData(Data(whole->substr(0, whole->size() / 2))));
    EXPECT_FALSE(UIImage::fromData(Data(whole->substr(0, 10))));
  }
  EXPECT_FALSE(UIImage::fromData(Data()));
  EXPECT_FALSE(UIImage::fromData(Data::fromText("<html>not an image</html>")));
}

TEST(UIImage, AnimatedImagesKeepTheirFramesAndShowTheFirst) {
  auto a = solid(4, 2, kRed, 2), b = solid(4, 2, kBlue, 2);
  auto animated = UIImage::animatedImage({a, b, b}, 0.3);
  ASSERT_TRUE(animated);
  EXPECT_EQ(animated->images(), (std::vector<std::shared_ptr<UIImage>>{a, b, b}));
  EXPECT_EQ(animated->cgImage(), a->cgImage());
  EXPECT_EQ(animated->size(), (CGSize{2, 1}));
  EXPECT_TRUE(a->images().empty());
  EXPECT_FALSE(UIImage::animatedImage({}, 1));
}

TEST(UIImage, RenderingModeMakesATwinSharingTheBitmap) {
  auto image = solid(2, 2, kRed);
  auto original = image->withRenderingMode(UIImageRenderingMode::alwaysOriginal);
  EXPECT_NE(original, image);
  EXPECT_EQ(original->renderingMode(), UIImageRenderingMode::alwaysOriginal);
  EXPECT_EQ(original->cgImage(), image->cgImage());
  EXPECT_EQ(image->renderingMode(), UIImageRenderingMode::automatic);
  EXPECT_EQ(original->withRenderingMode(UIImageRenderingMode::alwaysOriginal), original);
  EXPECT_EQ(original->withRenderingMode(UIImageRenderingMode::alwaysTemplate)->renderingMode(),
            UIImageRenderingMode::alwaysTemplate);
}

TEST(UIImage, DrawsIntoTheCurrentImageContext) {
  auto red = solid(4, 4, kRed, 2);  // 2 x 2 points
  UIGraphicsBeginImageContextWithOptions(CGSize{6, 6}, false, 1);
  red->draw(CGPoint{1, 1});
  solid(1, 1, kBlue)->draw(CGRect(4, 0, 2, 6));
  auto drawn = UIGraphicsGetImageFromCurrentImageContext();
  UIGraphicsEndImageContext();
  ASSERT_TRUE(drawn);
  EXPECT_EQ(drawn->scale(), 1);
  const CGImage& px = *drawn->cgImage();
  EXPECT_EQ(px.pixel(0, 0), 0u);
  EXPECT_EQ(px.pixel(1, 1), kRed);
  EXPECT_EQ(px.pixel(2, 2), kRed);
  EXPECT_EQ(px.pixel(3, 3), 0u);
  EXPECT_EQ(px.pixel(4, 0), kBlue);
  EXPECT_EQ(px.pixel(5, 5), kBlue);
  EXPECT_FALSE(UIGraphicsGetImageFromCurrentImageContext());
}

TEST(UIImage, NestedImageContextsEachGiveTheirOwnImage) {
  UIGraphicsBeginImageContextWithOptions(CGSize{2, 2}, false, 3);
  UIGraphicsGetCurrentContext()->setFillColor(CGColor::rgb(0, 1, 0));
  UIGraphicsGetCurrentContext()->fill(CGRect(0, 0, 2, 2));
  UIGraphicsBeginImageContextWithOptions(CGSize{1, 1}, false, 0);
  auto inner = UIGraphicsGetImageFromCurrentImageContext();
  UIGraphicsEndImageContext();
  auto outer = UIGraphicsGetImageFromCurrentImageContext();
  UIGraphicsEndImageContext();
  ASSERT_TRUE(inner && outer);
  EXPECT_EQ(inner->scale(), UIScreen::main()->scale());
  EXPECT_EQ(inner->cgImage()->pixel(0, 0), 0u);
  EXPECT_EQ(outer->scale(), 3);
  EXPECT_EQ(outer->cgImage()->width(), 6);
  EXPECT_EQ(outer->cgImage()->pixel(5, 5), kGreen);
}

}  // namespace
}  // namespace ios
