#include <Ultilities/lib/WSImageView.h>

#include <Foundation/Bundle.h>
#include <UIKit/Nib/UINib.h>
#include <UIKit/UIImage.h>

#include <gtest/gtest.h>

#include <support/VirtualTime.h>
#include <any>

#include <memory>

namespace kerbelin {
namespace {

using ios::CGPoint;
using ios::CGRect;
using Mode = ios::UIViewContentMode;

std::shared_ptr<ios::UIImage> imageOfSize(ios::CGFloat width, ios::CGFloat height) {
  return ios::UIImage::createWithoutBitmap({width, height});
}

class ImageViewPlacement : public ios::test::MainLoopTest {
 protected:
  // A view of the given size showing the given image, laid out in `mode`.
  std::shared_ptr<WSImageView> placed(CGRect frame, std::shared_ptr<ios::UIImage> image, Mode mode) {
    auto view = WSImageView::create(std::move(image));
    view->setFrame(frame);
    view->setContentMode(mode);
    view->layoutIfNeeded();
    return view;
  }
};

TEST_F(ImageViewPlacement, TheImageViewIsTheOnlySubviewAndForwardsTheImageViewMembers) {
  auto image = imageOfSize(10, 10);
  auto highlighted = imageOfSize(20, 20);
  auto view = WSImageView::create(image, highlighted);
  ASSERT_EQ(view->subviews().size(), 1u);
  EXPECT_EQ(view->subviews().front(), view->imageView);
  EXPECT_EQ(view->imageView->image(), image);
  EXPECT_EQ(view->imageView->highlightedImage(), highlighted);

  view->setAnimationImages({image, highlighted});
  view->startAnimating();
  EXPECT_TRUE(view->imageView->isAnimating());
  view->stopAnimating();
  EXPECT_FALSE(view->isAnimating());

  view->setValue(std::any(ios::UIColor::green()), "tintColor");
  ios::UIView& plain = *view;  // as any code holding a view sets it
  plain.setTintColor(ios::UIColor::red());
  EXPECT_TRUE(view->imageView->tintColor()->isEqual(*ios::UIColor::red()));
  EXPECT_TRUE(plain.tintColor()->isEqual(*ios::UIColor::red()));
}

TEST_F(ImageViewPlacement, TheScalingModesFitFillOrStretchTheImageInASquareView) {
  const struct {
    Mode mode;
    ios::CGSize image;
    CGRect frame;
  } cases[] = {
      {Mode::scaleAspectFit, {200, 100}, CGRect(0, 25, 100, 50)},
      {Mode::scaleAspectFill, {200, 100}, CGRect(-50, 0, 200, 100)},
      {Mode::scaleToFill, {200, 100}, CGRect(0, 0, 100, 100)},
      {Mode::topLeft, {200, 100}, CGRect(0, 0, 200, 100)},
      {Mode::scaleAspectFit, {50, 200}, CGRect(37.5, 0, 25, 100)},
      {Mode::scaleAspectFill, {50, 200}, CGRect(0, -150, 100, 400)},
  };
  for (const auto& c : cases) {
    auto view = placed(CGRect(0, 0, 100, 100), imageOfSize(c.image.width, c.image.height), c.mode);
    EXPECT_EQ(view->imageView->frame(), c.frame) << "mode " << static_cast<int>(c.mode);
    EXPECT_FALSE(view->clipsToBounds()) << "the image view may reach past the bounds";
  }
}

struct ModeCase {
  Mode mode;
  CGPoint centre;  // of a 40 x 20 image view in a 100 x 80 view
};

TEST_F(ImageViewPlacement, EachUnscaledModeSizesToTheImageAndPlacesItsCentre) {
  const ModeCase cases[] = {
      {Mode::center, {50, 40}},   {Mode::top, {50, 10}},        {Mode::bottom, {50, 70}},
      {Mode::left, {20, 40}},     {Mode::right, {80, 40}},      {Mode::topLeft, {20, 10}},
      {Mode::topRight, {80, 10}}, {Mode::bottomLeft, {20, 70}}, {Mode::bottomRight, {80, 70}},
  };
  for (const auto& c : cases) {
    auto view = placed(CGRect(0, 0, 100, 80), imageOfSize(40, 20), c.mode);
    EXPECT_EQ(view->imageView->center(), c.centre) << "mode " << static_cast<int>(c.mode);
    EXPECT_EQ(view->imageView->bounds().size, (ios::CGSize{40, 20})) << "mode " << static_cast<int>(c.mode);
  }
}

TEST_F(ImageViewPlacement, RedrawLeavesTheImageViewWhereItWas) {
  auto view = placed(CGRect(0, 0, 100, 80), imageOfSize(40, 20), Mode::bottomRight);
  const CGRect before = view->imageView->frame();
  view->setContentMode(Mode::redraw);
  view->setFrame(CGRect(0, 0, 300, 300));
  view->layoutIfNeeded();
  EXPECT_EQ(view->imageView->frame(), before);
}

TEST_F(ImageViewPlacement, WithoutAnImageLayoutLeavesTheImageViewAlone) {
  auto view = WSImageView::create();
  view->imageView->setFrame(CGRect(1, 2, 3, 4));
  view->setFrame(CGRect(0, 0, 100, 100));
  view->setContentMode(Mode::scaleToFill);
  view->layoutIfNeeded();
  EXPECT_EQ(view->imageView->frame(), CGRect(1, 2, 3, 4));
}

TEST_F(ImageViewPlacement, ANewImageMovesNothingUntilTheNextLayoutOrModeChange) {
  auto view = placed(CGRect(0, 0, 100, 100), imageOfSize(40, 20), Mode::center);
  const CGRect before = view->imageView->frame();
  view->setImage(imageOfSize(60, 60));
  EXPECT_EQ(view->imageView->frame(), before);
  view->setContentMode(Mode::center);
  EXPECT_EQ(view->imageView->frame(), CGRect(20, 20, 60, 60));

  view->setImage(imageOfSize(10, 10));
  EXPECT_EQ(view->imageView->frame(), CGRect(20, 20, 60, 60));
  view->setNeedsLayout();
  view->layoutIfNeeded();
  EXPECT_EQ(view->imageView->frame(), CGRect(45, 45, 10, 10));
}

TEST_F(ImageViewPlacement, AResizeReplacesTheImageViewOnTheNextLayoutPass) {
  auto view = placed(CGRect(0, 0, 100, 100), imageOfSize(40, 20), Mode::bottom);
  view->setFrame(CGRect(0, 0, 200, 50));
  runUntilIdle();
  view->layoutIfNeeded();
  EXPECT_EQ(view->imageView->center(), CGPoint(100, 40));
}

TEST_F(ImageViewPlacement, AnInterfaceFilePlacesOneWithItsImageAndMode) {
  const char* svg =
      R"(<svg xmlns="http://www.w3.org/2000/svg" width="200" height="100"><rect width="200" height="100"/></svg>)";
  auto bundle =
      ios::Bundle::create("toolkit.views.images",
                          {{"wide.svg", svg},
                           {"Banner.nib.json",
                            R"({"objects": [{"class": "WSImageView", "properties": {"frame": [0, 0, 100, 100],
            "image": "wide", "contentMode": "scaleAspectFit", "tintColor": "#00FF00"}}]})"}});
  auto nib = ios::UINib::create("Banner", bundle);
  ASSERT_TRUE(nib);
  auto result = nib->instantiate(nullptr);
  ASSERT_TRUE(result) << result.error->message();
  auto view = std::dynamic_pointer_cast<WSImageView>(result.objects.front());
  ASSERT_TRUE(view);
  ASSERT_TRUE(view->image());
  EXPECT_EQ(view->contentMode(), Mode::scaleAspectFit);
  EXPECT_TRUE(view->imageView->tintColor()->isEqual(*ios::UIColor::green()));
  ASSERT_EQ(view->subviews().size(), 1u);
  view->layoutIfNeeded();
  EXPECT_EQ(view->imageView->frame(), CGRect(0, 25, 100, 50));
}

}  // namespace
}  // namespace kerbelin
