#include "CoreImageTestImages.h"

#include <CoreImage/CIContext.h>
#include <CoreImage/CIDetector.h>
#include <CoreImage/CIFilter.h>
#include <gtest/gtest.h>

namespace ios {
namespace {

std::shared_ptr<CIImage> qrImage(const std::string& text, int scale) {
  auto filter = CIFilter::create("CIQRCodeGenerator");
  filter->setValue(Data::fromText(text), "inputMessage");
  return filter->outputImage()->transformed(CGAffineTransform::scale(scale, scale));
}

class CIDetectorTest : public ::testing::Test {
 protected:
  std::shared_ptr<CIDetector> detector = CIDetector::create(CIDetectorTypeQRCode, CIContext::create(),
                                                            {{CIDetectorAccuracy, CIDetectorAccuracyHigh}});
};

TEST_F(CIDetectorTest, OnlyTheQRTypeExistsAndAccuracyIsReadFromTheOptions) {
  EXPECT_EQ(CIDetector::create("CIDetectorTypeFace", CIContext::create()), nullptr);
  ASSERT_NE(detector, nullptr);
  EXPECT_TRUE(detector->isHighAccuracy());
  EXPECT_FALSE(CIDetector::create(CIDetectorTypeQRCode, nullptr)->isHighAccuracy());
  EXPECT_FALSE(
      CIDetector::create(CIDetectorTypeQRCode, nullptr, {{CIDetectorAccuracy, 3}})->isHighAccuracy());
}

TEST_F(CIDetectorTest, ImagesWithoutACodeGiveNoFeatures) {
  EXPECT_TRUE(detector->features(nullptr).empty());
  EXPECT_TRUE(detector->features(CIImage::create(CGImage::create(64, 48))).empty());  // transparent
  auto white = CGImage::create(64, 48);
  std::fill_n(white->mutablePixels(), 64 * 48, 0xffffffffu);
  EXPECT_TRUE(detector->features(CIImage::create(white)).empty());
  EXPECT_TRUE(detector->features(CIImage::create(test::noiseImage(320, 240))).empty());
  EXPECT_TRUE(detector->features(CIImage::create(test::photoLikeImage(640, 480))).empty());
  EXPECT_TRUE(detector->features(CIImage::create(CGImage::create(1, 1))).empty());
}

TEST_F(CIDetectorTest, FindsACodePastedIntoAPhoto) {
  auto photo = test::photoLikeImage(1280, 960);
  auto code = qrImage("https://example.com/pay?id=42", 6);
  test::paste(*photo, *code->bitmap(), 700, 200);
  const auto features = detector->features(CIImage::create(photo), {{CIDetectorImageOrientation, 1}});
  ASSERT_EQ(features.size(), 1u);
  auto qr = std::dynamic_pointer_cast<CIQRCodeFeature>(features[0]);
  ASSERT_NE(qr, nullptr);
  EXPECT_EQ(qr->type, CIFeatureTypeQRCode);
  EXPECT_EQ(qr->messageString, "https://example.com/pay?id=42");
}

TEST_F(CIDetectorTest, FindsEveryCodeAndReadsRotatedOnes) {
  auto photo = test::photoLikeImage(900, 500);
  test::paste(*photo, *qrImage("left", 5)->bitmap(), 40, 60);
  auto turned = qrImage("right", 5)->transformed(CGAffineTransform::rotation(M_PI / 2));
  ASSERT_NE(turned, nullptr);
  test::paste(*photo, *turned->bitmap(), 500, 100);
  std::vector<std::string> texts;
  for (const auto& feature : detector->features(CIImage::create(photo))) {
    texts.push_back(*std::dynamic_pointer_cast<CIQRCodeFeature>(feature)->messageString);
  }
  std::sort(texts.begin(), texts.end());
  EXPECT_EQ(texts, (std::vector<std::string>{"left", "right"}));
}

TEST_F(CIDetectorTest, TransparentCodesReadAsIfOnWhitePaper) {
  // Black modules on a transparent background, as a drawing with no fill would give.
  auto code = qrImage("ink only", 4)->bitmap();
  auto ink = CGImage::create(code->width(), code->height());
  for (int i = 0; i < code->width() * code->height(); ++i) {
    ink->mutablePixels()[i] = code->pixels()[i] == 0xff000000u ? 0xff000000u : 0u;
  }
  const auto features = detector->features(CIImage::create(ink));
  ASSERT_EQ(features.size(), 1u);
  EXPECT_EQ(std::dynamic_pointer_cast<CIQRCodeFeature>(features[0])->messageString, "ink only");
}

}  // namespace
}  // namespace ios
