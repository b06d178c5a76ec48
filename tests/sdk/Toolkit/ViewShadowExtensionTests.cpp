#include <QuartzCore/CAShapeLayer.h>
#include <UIKit/UIScreen.h>
#include <Ultilities/Extensions/UIViewShadowExtension.h>

#include <gtest/gtest.h>

namespace kerbelin {
namespace {

using ios::CGPoint;
using ios::CGRect;
using ios::CGSize;
using ios::UIRectCorner;
using ios::UIView;

// The default colour, opacity and radius are constants; what is checked is where the shadow falls and
// that given values reach the layer.
TEST(ViewShadow, ShadowAboveOrBelowOrAtAnOffset) {
  auto view = UIView::create(CGRect(0, 0, 50, 50));
  view->layer()->setMasksToBounds(true);
  addShadow(*view, VerticalLocation::top);
  const auto& layer = *view->layer();
  EXPECT_FALSE(layer.masksToBounds());
  EXPECT_EQ(layer.shadowOffset(), (CGSize{0, -1}));

  addShadow(*view, VerticalLocation::bottom, ios::UIColor::red(), 0.5f, 2);
  EXPECT_EQ(layer.shadowOffset(), (CGSize{0, 1}));
  ASSERT_TRUE(layer.shadowColor());
  EXPECT_TRUE(*layer.shadowColor() == ios::UIColor::red()->cgColor());
  EXPECT_EQ(layer.shadowOpacity(), 0.5f);
  EXPECT_EQ(layer.shadowRadius(), 2.0);

  addShadow(*view, CGSize{3, 4});
  EXPECT_EQ(layer.shadowOffset(), (CGSize{3, 4}));
}

TEST(ViewShadow, RoundCornersMasksWithTheBoundsOfTheMoment) {
  auto view = UIView::create(CGRect(0, 0, 100, 60));
  roundCorners(*view, UIRectCorner::topLeft | UIRectCorner::bottomRight, 20);
  auto mask = std::dynamic_pointer_cast<ios::CAShapeLayer>(view->layer()->mask());
  ASSERT_TRUE(mask);
  ASSERT_TRUE(mask->path());
  const ios::CGPath shape = *mask->path();
  EXPECT_FALSE(shape.contains(CGPoint{1, 1}));    // rounded top left
  EXPECT_TRUE(shape.contains(CGPoint{99, 1}));    // square top right
  EXPECT_TRUE(shape.contains(CGPoint{1, 59}));    // square bottom left
  EXPECT_FALSE(shape.contains(CGPoint{99, 59}));  // rounded bottom right
  EXPECT_EQ(shape.boundingBoxOfPath(), CGRect(0, 0, 100, 60));

  view->setFrame(CGRect(0, 0, 300, 200));  // the mask keeps the old shape
  EXPECT_EQ(mask->path()->boundingBoxOfPath(), CGRect(0, 0, 100, 60));

  roundCorners(*view, static_cast<UIRectCorner>(0), 20);
  auto plain = std::dynamic_pointer_cast<ios::CAShapeLayer>(view->layer()->mask());
  ASSERT_TRUE(plain && plain->path());
  EXPECT_TRUE(plain->path()->contains(CGPoint{0.5, 0.5}));
  EXPECT_TRUE(plain->path()->contains(CGPoint{299.5, 199.5}));
  EXPECT_EQ(plain->path()->boundingBoxOfPath(), CGRect(0, 0, 300, 200));
}

TEST(ViewShadow, PicturesAtScreenScaleAndAtOnePixelAPoint) {
  ASSERT_EQ(ios::UIScreen::main()->scale(), 2);
  auto view = UIView::create(CGRect(0, 0, 100, 50));
  view->setBackgroundColor(ios::UIColor::red());

  auto onePerPoint = imageFromView(*view);
  ASSERT_TRUE(onePerPoint && onePerPoint->cgImage());
  EXPECT_EQ(onePerPoint->cgImage()->width(), 100);
  EXPECT_EQ(onePerPoint->scale(), 1);
  EXPECT_EQ(onePerPoint->cgImage()->pixel(50, 25), 0xFFFF0000u);

  auto rendered = asImage(*view);
  ASSERT_TRUE(rendered && rendered->cgImage());
  EXPECT_EQ(rendered->cgImage()->height(), 100);
  EXPECT_EQ(rendered->size(), (CGSize{100, 50}));
  EXPECT_EQ(rendered->cgImage()->pixel(100, 50), 0xFFFF0000u);
}

TEST(ViewShadow, AnEmptyViewStillGivesAnImage) {
  auto view = UIView::create(CGRect(0, 0, 0, 40));
  auto image = imageFromView(*view);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->cgImage(), nullptr);
  EXPECT_EQ(image->size(), (CGSize{0, 40}));
}

}  // namespace
}  // namespace kerbelin
