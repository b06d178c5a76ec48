#include <Ultilities/Common/Common.h>
#include <Ultilities/Constants/Color.h>
#include <Ultilities/Constants/Screen.h>

#include <CoreImage/CIDetector.h>
#include <CoreImage/CIImage.h>
#include <CoreImage/CIQRCodeFeature.h>
#include <Foundation/Console.h>
#include <Foundation/FileManager.h>
#include <UIKit/UIApplication.h>
#include <UIKit/UIGraphics.h>
#include <UIKit/UIScreen.h>
#include <UIKit/UIWindow.h>

#include <gtest/gtest.h>
#include <support/ScratchDirectory.h>

#include <filesystem>
#include <string>

namespace kerbelin {
namespace {

TEST(CommonViews, ShadowAndCornerStyleEndsUnclippedWithTheShadowValues) {
  auto view = ios::UIView::create(ios::CGRect(0, 0, 100, 40));
  Common::SetShadowAndcornerRadiusView(*view, 5);
  const auto& layer = *view->layer();
  EXPECT_EQ(layer.cornerRadius(), 5);
  EXPECT_FALSE(layer.masksToBounds());
  EXPECT_TRUE(view->backgroundColor()->isEqual(*ios::UIColor::white()));
  EXPECT_EQ(layer.shadowColor(), ios::CGColor::black());
  EXPECT_EQ(layer.shadowOpacity(), 0.2f);
  EXPECT_EQ(layer.shadowOffset(), ios::CGSize::zero);
  EXPECT_EQ(layer.shadowRadius(), 1.5);

  Common::SetShadowAndcornerRadiusView(*view, 0, ios::CGSize{0, 2}, nullptr);
  EXPECT_TRUE(view->backgroundColor()->isEqual(*ios::UIColor::white()));  // none given: white
  EXPECT_EQ(layer.shadowOffset(), (ios::CGSize{0, 2}));
}

TEST(CommonViews, PaddingsFollowTheKeyWindowAndAreZeroWithoutOne) {
  ios::UIApplication::shared()->setKeyWindow(nullptr);
  EXPECT_EQ(Common::getBottomPadding(), 0);
  EXPECT_EQ(Common::getTopPadding(), 0);
  auto window = ios::UIWindow::create();
  window->makeKeyAndVisible();
  EXPECT_EQ(Common::getBottomPadding(), ios::UIScreen::main()->safeAreaInsets().bottom);
  EXPECT_EQ(Common::getTopPadding(), ios::UIScreen::main()->safeAreaInsets().top);
  ios::UIApplication::shared()->setKeyWindow(nullptr);
}

TEST(CommonViews, AttributedMessagesJoinBoldAndRegularPieces) {
  auto text = Common::createAttributeMessageSimple({{"Mã sản phẩm: ", false}, {"ABC", true}}, 14,
                                                   ios::UIColor::red());
  EXPECT_EQ(text->string(), "Mã sản phẩm: ABC");
  const auto regular = text->attributes(0);
  const auto bold = text->attributes(text->length() - 1);
  EXPECT_FALSE(regular.at(ios::NSAttributedStringKey::font).font()->isBold());
  EXPECT_TRUE(bold.at(ios::NSAttributedStringKey::font).font()->isBold());
  EXPECT_EQ(bold.at(ios::NSAttributedStringKey::foregroundColor).color(), ios::UIColor::red()->cgColor());
  EXPECT_EQ(regular.at(ios::NSAttributedStringKey::foregroundColor).color(), ios::CGColor::black());

  auto countdown = Common::SetAttribuedText("00:59", ios::UIFont::systemFont(12), ios::UIColor::black(),
                                            ios::UIColor::red(), ios::UIColor::clear());
  const auto attributes = countdown->attributes(0);
  EXPECT_EQ(attributes.size(), 5u);
  EXPECT_EQ(attributes.at(ios::NSAttributedStringKey::strokeWidth).number(), 0);
}

TEST(CommonViews, QRCodeIsThreePixelsAModuleAndDecodesBack) {
  auto qr = Common::generateQRCode("KB-TOKEN-0012");
  ASSERT_TRUE(qr);
  ASSERT_TRUE(qr->cgImage());
  const int side = qr->cgImage()->width();
  EXPECT_EQ(side % 3, 0);
  auto ci = ios::CIImage::create(qr);
  auto detector =
      ios::CIDetector::create(ios::CIDetectorTypeQRCode, nullptr,
                              ios::Dictionary{{ios::CIDetectorAccuracy, ios::CIDetectorAccuracyHigh}});
  ASSERT_TRUE(detector);
  const auto features = detector->features(ci);
  ASSERT_EQ(features.size(), 1u);
  auto feature = std::dynamic_pointer_cast<ios::CIQRCodeFeature>(features[0]);
  ASSERT_TRUE(feature);
  EXPECT_EQ(feature->messageString, "KB-TOKEN-0012");
  EXPECT_EQ(Common::generateQRCode("mã"), nullptr);  // not ASCII
}

class SavedImage : public ::testing::Test {
 protected:
  void SetUp() override { ios::FileManager::defaultManager().setDocumentsDirectory(dir.string()); }
  ios::test::ScratchDirectory scratch;
  std::filesystem::path dir = scratch.path();
};

std::shared_ptr<ios::UIImage> redSquare() {
  ios::UIGraphicsBeginImageContextWithOptions(ios::CGSize{8, 8}, true, 1);
  auto* context = ios::UIGraphicsGetCurrentContext();
  context->setFillColor(ios::CGColor::rgb(1, 0, 0, 1));
  context->fill(ios::CGRect(0, 0, 8, 8));
  auto image = ios::UIGraphicsGetImageFromCurrentImageContext();
  ios::UIGraphicsEndImageContext();
  return image;
}

TEST_F(SavedImage, SaveReplacesTheFileAndLoadReadsItBack) {
  auto image = redSquare();
  ASSERT_TRUE(image);
  ios::ConsoleCapture console;
  const std::string path = Common::saveImage("imageqr", *image);
  EXPECT_EQ(path, (dir / "imageqr").string());
  EXPECT_TRUE(console.output().empty());
  EXPECT_EQ(Common::saveImage("imageqr", *image), path);
  EXPECT_EQ(console.output(), "Removed old image\n");
  auto loaded = Common::loadImageFromDiskWith("imageqr");
  ASSERT_TRUE(loaded);
  EXPECT_EQ(loaded->size(), (ios::CGSize{8, 8}));
  EXPECT_EQ(Common::loadImageFromDiskWith("missing"), nullptr);
}

TEST_F(SavedImage, AFailedEncodingKeepsTheOlderFile) {
  auto image = redSquare();
  const std::string path = Common::saveImage("imageqr", *image);
  ASSERT_FALSE(path.empty());
  ios::UIImage::failNextJPEGEncodings(1);
  EXPECT_EQ(Common::saveImage("imageqr", *image), "");
  EXPECT_TRUE(std::filesystem::exists(path));
}

}  // namespace
}  // namespace kerbelin
