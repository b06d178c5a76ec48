#include <CoreImage/CIContext.h>
#include <CoreImage/CIDetector.h>
#include <CoreImage/CIFilter.h>
#include <gtest/gtest.h>

#include <string>

namespace ios {
namespace {

std::shared_ptr<CIImage> qrImage(const std::string& text) {
  auto filter = CIFilter::create("CIQRCodeGenerator");
  EXPECT_TRUE(filter->setValue(Data::fromText(text), "inputMessage"));
  return filter->outputImage();
}

std::optional<std::string> decode(const std::shared_ptr<CIImage>& image) {
  auto detector = CIDetector::create(CIDetectorTypeQRCode, CIContext::create(),
                                     {{CIDetectorAccuracy, CIDetectorAccuracyHigh}});
  const auto features = detector->features(image);
  if (features.size() != 1) return std::nullopt;
  auto qr = std::dynamic_pointer_cast<CIQRCodeFeature>(features[0]);
  return qr ? qr->messageString : std::nullopt;
}

std::string token(std::size_t length) {
  const std::string alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_.";
  std::string text;
  for (std::size_t i = 0; i < length; ++i) text += alphabet[(i * 7 + 3) % alphabet.size()];
  return text;
}

TEST(CIFilterTest, GeneratedCodesDecodeBackToTheirText) {
  for (const std::string& text : {std::string("A"), std::string("hello"), std::string("1234567890"),
                                  std::string("https://example.com/pay?id=42&amount=100000"), token(100),
                                  std::string("~!@#$%^&*()_+{}|:\"<>? `")}) {
    SCOPED_TRACE(text);
    auto image = qrImage(text);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(decode(image), text);
    EXPECT_EQ(decode(image->transformed(CGAffineTransform::scale(3, 3))), text);
  }
}

TEST(CIFilterTest, OutputIsOnePixelPerModuleWithAOneModuleQuietZoneAtLevelM) {
  // 30 bytes need version 3 at the default level M (version 2 would do at L).
  EXPECT_EQ(qrImage(token(30))->extent().size.width, 29 + 2);
  auto image = qrImage("A");  // version 1: 21 modules
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->extent(), CGRect(0, 0, 23, 23));
  const CGImage& bitmap = *image->bitmap();
  for (int i = 0; i < 23; ++i) {
    EXPECT_EQ(bitmap.pixel(i, 0), 0xffffffffu);
    EXPECT_EQ(bitmap.pixel(0, i), 0xffffffffu);
    EXPECT_EQ(bitmap.pixel(i, 22), 0xffffffffu);
  }
  // The top-left finder pattern starts right inside the quiet zone with a dark 7-module ring.
  for (int i = 1; i <= 7; ++i) EXPECT_EQ(bitmap.pixel(i, 1), 0xff000000u);
  EXPECT_EQ(bitmap.pixel(2, 2), 0xffffffffu);
}

TEST(CIFilterTest, RejectsUnknownFiltersAndMissingOrOversizedMessages) {
  EXPECT_EQ(CIFilter::create("CIGaussianBlur"), nullptr);
  auto filter = CIFilter::create("CIQRCodeGenerator");
  EXPECT_EQ(filter->outputImage(), nullptr);
  EXPECT_TRUE(filter->setValue(std::optional<Data>(), "inputMessage"));
  EXPECT_EQ(filter->outputImage(), nullptr);
  // More than version 40 holds at the default level M.
  EXPECT_TRUE(filter->setValue(Data(std::string(3000, '\x7f')), "inputMessage"));
  EXPECT_EQ(filter->outputImage(), nullptr);
}

TEST(CIFilterTest, BytesAboveAsciiRoundTripAsLatin1) {
  auto filter = CIFilter::create("CIQRCodeGenerator");
  filter->setValue(Data(std::string("caf\xe9")), "inputMessage");
  EXPECT_EQ(decode(filter->outputImage()), "caf\xc3\xa9");
}

}  // namespace
}  // namespace ios
