#include <QuartzCore/Renderer.h>
#include <Ultilities/Extensions/GradientView.h>
#include <Ultilities/Extensions/UIViewGradientView.h>

#include <gtest/gtest.h>

#include <any>
#include <string>
#include <vector>

namespace kerbelin {
namespace {

using ios::CGColor;
using ios::CGPoint;
using ios::CGRect;

template <class View>
class GradientViews : public ::testing::Test {
 protected:
  std::shared_ptr<View> make() { return View::create(CGRect(0, 0, 10, 100)); }
  void layOut(View& view) {
    view.setNeedsLayout();
    view.layoutIfNeeded();
  }
};

using ViewTypes = ::testing::Types<GradientView, UIViewExtension::GradientView>;
TYPED_TEST_SUITE(GradientViews, ViewTypes);

TYPED_TEST(GradientViews, TheLayerCarriesNothingBeforeLayoutAndThenPaintsBlackAtTheTopAndWhiteAtTheBottom) {
  auto view = this->make();
  EXPECT_EQ(view->gradientLayer(), view->layer());
  EXPECT_TRUE(view->gradientLayer()->colors().empty());
  EXPECT_FALSE(view->gradientLayer()->locations());

  this->layOut(*view);
  const auto& layer = *view->gradientLayer();
  EXPECT_EQ(layer.colors(), (std::vector<CGColor>{CGColor::black(), CGColor::white()}));
  EXPECT_EQ(layer.locations(), (std::vector<ios::CGFloat>{0.05, 0.95}));
  EXPECT_EQ(layer.startPoint(), (CGPoint{0.5, 0}));
  EXPECT_EQ(layer.endPoint(), (CGPoint{0.5, 1}));

  auto image = ios::Renderer::renderImage(*view->layer(), 1);
  ASSERT_TRUE(image);
  auto grey = [&](int y) { return image->pixel(5, y) & 0xFF; };
  EXPECT_EQ(image->pixel(5, 2), 0xFF000000u);
  EXPECT_EQ(image->pixel(5, 97), 0xFFFFFFFFu);
  EXPECT_GT(grey(50), 100u);
  EXPECT_LT(grey(50), 155u);
  EXPECT_LT(grey(30), grey(70));
}

TYPED_TEST(GradientViews, AChangeAppliesOnlyItsOwnGroupUntilLayout) {
  auto view = this->make();
  view->setStartColor(ios::UIColor::red());
  EXPECT_EQ(view->gradientLayer()->colors(),
            (std::vector<CGColor>{ios::UIColor::red()->cgColor(), CGColor::white()}));
  EXPECT_FALSE(view->gradientLayer()->locations());

  auto other = this->make();
  other->setEndLocation(0.5);
  EXPECT_EQ(other->gradientLayer()->locations(), (std::vector<ios::CGFloat>{0.05, 0.5}));
  EXPECT_TRUE(other->gradientLayer()->colors().empty());

  // Locations out of order reach the layer as they are.
  other->setStartLocation(0.9);
  other->setEndLocation(0.1);
  EXPECT_EQ(other->gradientLayer()->locations(), (std::vector<ios::CGFloat>{0.9, 0.1}));
}

TYPED_TEST(GradientViews, TheTwoFlagsChooseTheDirection) {
  auto view = this->make();
  const auto& layer = *view->gradientLayer();
  view->setDiagonalMode(true);
  EXPECT_EQ(layer.startPoint(), (CGPoint{0, 0}));
  EXPECT_EQ(layer.endPoint(), (CGPoint{1, 1}));
  view->setHorizontalMode(true);
  EXPECT_EQ(layer.startPoint(), (CGPoint{1, 0}));
  EXPECT_EQ(layer.endPoint(), (CGPoint{0, 1}));
  view->setDiagonalMode(false);
  EXPECT_EQ(layer.startPoint(), (CGPoint{0, 0.5}));
  EXPECT_EQ(layer.endPoint(), (CGPoint{1, 0.5}));
  view->setHorizontalMode(false);
  EXPECT_EQ(layer.startPoint(), (CGPoint{0.5, 0}));
  EXPECT_EQ(layer.endPoint(), (CGPoint{0.5, 1}));
}

TEST(GradientViewRuntime, InterfaceFilesMakeAndSetEachClassByName) {
  auto made = ios::makeObject<GradientView>("GradientView");
  ASSERT_TRUE(made);
  EXPECT_TRUE(made->setValue(std::any(ios::UIColor::blue()), "startColor"));
  EXPECT_TRUE(made->setValue(std::any(0.25), "startLocation"));
  EXPECT_TRUE(made->setValue(std::any(true), "horizontalMode"));
  EXPECT_EQ(made->gradientLayer()->colors().front(), ios::UIColor::blue()->cgColor());
  EXPECT_EQ(made->gradientLayer()->locations(), (std::vector<ios::CGFloat>{0.25, 0.95}));
  EXPECT_EQ(made->gradientLayer()->startPoint(), (CGPoint{0, 0.5}));
  EXPECT_FALSE(made->setValue(std::any(std::string("wide")), "endLocation"));

  auto nested = ios::makeObject<UIViewExtension::GradientView>("UIView.GradientView");
  ASSERT_TRUE(nested);
  EXPECT_TRUE(nested->setValue(std::any(true), "diagonalMode"));
  EXPECT_EQ(nested->gradientLayer()->endPoint(), (CGPoint{1, 1}));
  // Two classes that differ only in name.
  EXPECT_FALSE(nested->isKindOf("GradientView"));
  EXPECT_FALSE(made->isKindOf("UIView.GradientView"));
  EXPECT_TRUE(nested->isKindOf("UIView"));
}

}  // namespace
}  // namespace kerbelin
