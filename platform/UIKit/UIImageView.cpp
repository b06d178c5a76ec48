#include <UIKit/UIImageView.h>

#include <Foundation/RunLoop.h>
#include <Foundation/Timer.h>
#include <UIKit/UIWindow.h>

#include <cmath>

namespace ios {

namespace {

// The platform's frame interval when no animation duration is given.
constexpr double kDefaultFrameInterval = 1.0 / 30;

const auto registration =
    ClassRegistration<UIImageView, UIView>("UIImageView")
        .property("image", &UIImageView::image, &UIImageView::setImage)
        .property("highlightedImage", &UIImageView::highlightedImage, &UIImageView::setHighlightedImage)
        .property("highlighted", &UIImageView::isHighlighted, &UIImageView::setHighlighted)
        .property("animationDuration", &UIImageView::animationDuration)
        .property("animationRepeatCount", &UIImageView::animationRepeatCount);

CALayerContentsGravity gravityFor(UIViewContentMode mode) {
  switch (mode) {
    case UIViewContentMode::scaleToFill:
    case UIViewContentMode::redraw:
      return CALayerContentsGravity::resize;
    case UIViewContentMode::scaleAspectFit:
      return CALayerContentsGravity::resizeAspect;
    case UIViewContentMode::scaleAspectFill:
      return CALayerContentsGravity::resizeAspectFill;
    case UIViewContentMode::center:
      return CALayerContentsGravity::center;
    case UIViewContentMode::top:
      return CALayerContentsGravity::top;
    case UIViewContentMode::bottom:
      return CALayerContentsGravity::bottom;
    case UIViewContentMode::left:
      return CALayerContentsGravity::left;
    case UIViewContentMode::right:
      return CALayerContentsGravity::right;
    case UIViewContentMode::topLeft:
      return CALayerContentsGravity::topLeft;
    case UIViewContentMode::topRight:
      return CALayerContentsGravity::topRight;
    case UIViewContentMode::bottomLeft:
      return CALayerContentsGravity::bottomLeft;
    case UIViewContentMode::bottomRight:
      return CALayerContentsGravity::bottomRight;
  }
  return CALayerContentsGravity::resize;
}

// The bitmap's coverage filled with `color` (premultiplied ARGB32).
std::shared_ptr<const CGImage> tint(const CGImage& source, const CGColor& color) {
  const auto rgba = color.rgba();
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(source.width()) * source.height());
  for (std::size_t i = 0; i < pixels.size(); ++i) {
    const double coverage = ((source.pixels()[i] >> 24) & 0xFF) / 255.0 * rgba.alpha;
    auto channel = [&](double c) { return static_cast<std::uint32_t>(std::lround(c * coverage * 255)); };
    pixels[i] = (static_cast<std::uint32_t>(std::lround(coverage * 255)) << 24) | (channel(rgba.red) << 16) |
                (channel(rgba.green) << 8) | channel(rgba.blue);
  }
  return CGImage::create(source.width(), source.height(), std::move(pixels));
}

}  // namespace

std::shared_ptr<UIImageView> UIImageView::create(const CGRect& frame) {
  return std::make_shared<UIImageView>(frame);
}

std::shared_ptr<UIImageView> UIImageView::create(std::shared_ptr<UIImage> image,
                                                 std::shared_ptr<UIImage> highlightedImage) {
  auto view = create(image ? CGRect(CGPoint{0, 0}, image->size()) : CGRect::zero);
  view->setImage(std::move(image));
  view->setHighlightedImage(std::move(highlightedImage));
  return view;
}

UIImageView::UIImageView(const CGRect& frame) : UIView(frame) {
  setUserInteractionEnabled(false);
  layer()->setContentsGravity(gravityFor(contentMode()));
}

UIImageView::~UIImageView() {
  if (timer_) timer_->invalidate();
}

void UIImageView::setImage(std::shared_ptr<UIImage> image) {
  if (image == image_) return;
  auto before = stillImage();
  image_ = std::move(image);
  stillImageDidChange(before);
}

void UIImageView::setHighlightedImage(std::shared_ptr<UIImage> image) {
  if (image == highlightedImage_) return;
  auto before = stillImage();
  highlightedImage_ = std::move(image);
  stillImageDidChange(before);
}

void UIImageView::setHighlighted(bool highlighted) {
  if (highlighted == highlighted_) return;
  auto before = stillImage();
  highlighted_ = highlighted;
  stillImageDidChange(before);
}

void UIImageView::stillImageDidChange(const std::shared_ptr<UIImage>& before) {
  auto now = stillImage();
  // A newly shown animated image plays from its first frame.
  if (now != before && now && !now->images().empty() && !animating_) playStart_ = RunLoop::main().now();
  if (!before || !now || before->size() != now->size()) invalidateIntrinsicContentSize();
  updatePlayback();
}

std::shared_ptr<UIImage> UIImageView::stillImage() const {
  return highlighted_ && highlightedImage_ ? highlightedImage_ : image_;
}

void UIImageView::startAnimating() {
  if (animating_) return;
  animating_ = true;
  playStart_ = RunLoop::main().now();
  updatePlayback();
}

void UIImageView::stopAnimating() {
  if (!animating_) return;
  animating_ = false;
  updatePlayback();
}

UIImageView::Frames UIImageView::activeFrames() const {
  if (animating_) {
    const auto& images =
        highlighted_ && !highlightedAnimationImages.empty() ? highlightedAnimationImages : animationImages;
    if (images.empty()) return {};
    const double duration = animationDuration > 0
                                ? animationDuration
                                : static_cast<double>(images.size()) * kDefaultFrameInterval;
    return {&images, duration, animationRepeatCount};
  }
  auto still = stillImage();
  if (!still || still->images().empty()) return {};
  const double duration = still->duration() > 0
                              ? still->duration()
                              : static_cast<double>(still->images().size()) * kDefaultFrameInterval;
  return {&still->images(), duration, 0};
}

std::shared_ptr<UIImage> UIImageView::displayedImage() const {
  const Frames frames = activeFrames();
  if (!frames.images) return stillImage();
  const auto count = static_cast<long>(frames.images->size());
  const double interval = frames.duration / static_cast<double>(count);
  // A hair of tolerance so that a frame due exactly now is shown now despite rounding of the clock.
  const auto index = static_cast<long>(std::floor((RunLoop::main().now() - playStart_) / interval + 1e-9));
  if (frames.repeatCount > 0 && index >= count * frames.repeatCount) return stillImage();
  return (*frames.images)[static_cast<std::size_t>(std::max(index, 0L) % count)];
}

void UIImageView::updatePlayback() {
  const Frames frames = activeFrames();
  const bool play = frames.images && window();
  const double interval = play ? frames.duration / static_cast<double>(frames.images->size()) : 0;
  if (timer_ && (!play || interval != timerInterval_)) {
    timer_->invalidate();
    timer_.reset();
  }
  if (play && !timer_) {
    timerInterval_ = interval;
    std::weak_ptr<NSObject> weak = weak_from_this();
    timer_ = Timer::scheduledTimer(interval, true, [weak](Timer&) {
      if (auto self = std::static_pointer_cast<UIImageView>(weak.lock())) self->refreshContents();
    });
  }
  refreshContents();
}

void UIImageView::refreshContents() {
  // A finished run of a limited animation stops it, as the platform does.
  if (animating_ && animationRepeatCount > 0) {
    const Frames frames = activeFrames();
    if (frames.images &&
        RunLoop::main().now() - playStart_ >= frames.duration * animationRepeatCount - 1e-9) {
      animating_ = false;
      updatePlayback();
      return;
    }
  }
  auto shown = displayedImage();
  std::shared_ptr<const CGImage> bitmap = shown ? shown->cgImage() : nullptr;
  if (bitmap && shown->renderingMode() == UIImageRenderingMode::alwaysTemplate) {
    const CGColor color = tintColor()->cgColor();
    if (tinted_.source != bitmap || !(tinted_.color == color))
      tinted_ = {bitmap, color, tint(*bitmap, color)};
    bitmap = tinted_.result;
  }
  layer()->setContents(bitmap);
  if (shown) layer()->setContentsScale(shown->scale());
}

void UIImageView::setContentMode(UIViewContentMode mode) {
  UIView::setContentMode(mode);
  layer()->setContentsGravity(gravityFor(mode));
}

void UIImageView::tintColorDidChange() {
  refreshContents();
}

void UIImageView::didMoveToWindow() {
  updatePlayback();
}

CGSize UIImageView::intrinsicContentSize() const {
  auto shown = stillImage();
  if (!shown) return {noIntrinsicMetric, noIntrinsicMetric};
  return shown->size();
}

CGSize UIImageView::sizeThatFits(CGSize) const {
  auto shown = stillImage();
  return shown ? shown->size() : CGSize::zero;
}

}  // namespace ios
