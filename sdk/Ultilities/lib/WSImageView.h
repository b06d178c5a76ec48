#pragma once

// A view showing one image that places it by hand for each of the thirteen content modes: an inner
// image view is sized and centred by explicit arithmetic on every layout pass and after every change
// of `contentMode`, instead of leaving the placement to the image view's own drawing. It exposes the
// usual image-view members so that it can stand in for one, and interface files can place it
// ("WSImageView", with the keys "image", "highlightedImage", "highlighted", "animationDuration",
// "animationRepeatCount", "tintColor" and the view's own "contentMode").
//
// Clipping is not turned on: in aspect fill and the unscaled modes the image view may reach past the
// bounds. Setting `image` does not re-lay out by itself; in redraw mode the image view keeps whatever
// frame it had.

#include <UIKit/UIImage.h>
#include <UIKit/UIImageView.h>
#include <UIKit/UIView.h>

#include <memory>
#include <vector>

namespace kerbelin {

class WSImageView : public ios::UIView {
  struct Passkey {};

 public:
  // `init(image:)` and `init(image:highlightedImage:)`: a zero frame holding the image view, made with
  // the images (and so sized to the image), as its only subview. Interface files make one without
  // images.
  static std::shared_ptr<WSImageView> create(std::shared_ptr<ios::UIImage> image = nullptr,
                                             std::shared_ptr<ios::UIImage> highlightedImage = nullptr);
  WSImageView(Passkey, std::shared_ptr<ios::UIImage> image, std::shared_ptr<ios::UIImage> highlightedImage);

  // The image view that draws, owned for the view's life.
  const std::shared_ptr<ios::UIImageView> imageView;

  // Forwarded to `imageView`.
  const std::shared_ptr<ios::UIImage>& image() const { return imageView->image(); }
  void setImage(std::shared_ptr<ios::UIImage> image) { imageView->setImage(std::move(image)); }
  const std::shared_ptr<ios::UIImage>& highlightedImage() const { return imageView->highlightedImage(); }
  void setHighlightedImage(std::shared_ptr<ios::UIImage> image) {
    imageView->setHighlightedImage(std::move(image));
  }
  bool isHighlighted() const { return imageView->isHighlighted(); }
  void setHighlighted(bool highlighted) { imageView->setHighlighted(highlighted); }
  const std::vector<std::shared_ptr<ios::UIImage>>& animationImages() const {
    return imageView->animationImages;
  }
  void setAnimationImages(std::vector<std::shared_ptr<ios::UIImage>> images);
  const std::vector<std::shared_ptr<ios::UIImage>>& highlightedAnimationImages() const {
    return imageView->highlightedAnimationImages;
  }
  void setHighlightedAnimationImages(std::vector<std::shared_ptr<ios::UIImage>> images);
  double animationDuration() const { return imageView->animationDuration; }
  void setAnimationDuration(double duration) { imageView->animationDuration = duration; }
  long animationRepeatCount() const { return imageView->animationRepeatCount; }
  void setAnimationRepeatCount(long count) { imageView->animationRepeatCount = count; }
  void startAnimating() { imageView->startAnimating(); }
  void stopAnimating() { imageView->stopAnimating(); }
  bool isAnimating() const { return imageView->isAnimating(); }

  // The tint is the image view's, however it is reached (a UIView reference, the key "tintColor").
  std::shared_ptr<ios::UIColor> tintColor() const override { return imageView->tintColor(); }
  void setTintColor(std::shared_ptr<ios::UIColor> color) override {
    imageView->setTintColor(std::move(color));
  }

  // Stores the mode, then places the image view.
  void setContentMode(ios::UIViewContentMode mode) override;
  // The base's layout, then the image view's placement.
  void layoutSubviews() override;

 private:
  // Places `imageView` for the current content mode; nothing without an image.
  void layoutImageView();
};

}  // namespace kerbelin
