#pragma once

#include <UIKit/UIImage.h>
#include <UIKit/UIView.h>

#include <memory>
#include <vector>

namespace ios {

class Timer;

// Shows one image, placed in its bounds by the view's `contentMode` (all thirteen modes), through
// its layer's contents and contents gravity. Template images (`alwaysTemplate`) are drawn in the
// view's tint colour.
//
// Animation: `startAnimating()` plays `animationImages` (or `highlightedAnimationImages` while
// highlighted, when there are any) at equal intervals over `animationDuration` (0 means 1/30 s a
// frame), `animationRepeatCount` times (0 = for ever), then stops and shows `image` again. An
// animated `UIImage` (`UIImage::animatedImage`) plays by itself, looping, without `startAnimating`.
// Frames follow the run loop's clock and advance only while the view is in a window; the timer that
// drives them stops when the view leaves the window, stops animating or goes away.
//
// The intrinsic size is the shown image's size. User interaction is off by default.
class UIImageView : public UIView {
 public:
  static std::shared_ptr<UIImageView> create(const CGRect& frame = CGRect::zero);
  // `init(image:)`: the frame is the image's size at the origin.
  static std::shared_ptr<UIImageView> create(std::shared_ptr<UIImage> image,
                                             std::shared_ptr<UIImage> highlightedImage = nullptr);
  explicit UIImageView(const CGRect& frame = CGRect::zero);
  ~UIImageView() override;

  const std::shared_ptr<UIImage>& image() const { return image_; }
  void setImage(std::shared_ptr<UIImage> image);
  const std::shared_ptr<UIImage>& highlightedImage() const { return highlightedImage_; }
  void setHighlightedImage(std::shared_ptr<UIImage> image);
  bool isHighlighted() const { return highlighted_; }
  void setHighlighted(bool highlighted);

  // Read when animating starts (and on every frame), so they may be set in any order.
  std::vector<std::shared_ptr<UIImage>> animationImages;
  std::vector<std::shared_ptr<UIImage>> highlightedAnimationImages;
  double animationDuration = 0;
  long animationRepeatCount = 0;
  void startAnimating();
  void stopAnimating();
  bool isAnimating() const { return animating_; }

  // The image on screen now: an animation frame, the highlighted image or the image.
  std::shared_ptr<UIImage> displayedImage() const;

  void setContentMode(UIViewContentMode mode) override;
  void tintColorDidChange() override;
  void didMoveToWindow() override;
  CGSize intrinsicContentSize() const override;
  CGSize sizeThatFits(CGSize size) const override;

 private:
  struct Frames {
    const std::vector<std::shared_ptr<UIImage>>* images = nullptr;
    double duration = 0;
    long repeatCount = 0;
  };
  // What plays now: the started animation, else the shown image's own frames; null images when
  // nothing plays.
  Frames activeFrames() const;
  std::shared_ptr<UIImage> stillImage() const;
  void updatePlayback();
  void refreshContents();
  void stillImageDidChange(const std::shared_ptr<UIImage>& before);

  std::shared_ptr<UIImage> image_;
  std::shared_ptr<UIImage> highlightedImage_;
  bool highlighted_ = false;
  bool animating_ = false;
  double playStart_ = 0;
  std::shared_ptr<Timer> timer_;
  double timerInterval_ = 0;
  // The last tinted bitmap, kept while the image and tint stay the same.
  struct Tinted {
    std::shared_ptr<const CGImage> source;
    CGColor color;
    std::shared_ptr<const CGImage> result;
  };
  Tinted tinted_;
};

}  // namespace ios
