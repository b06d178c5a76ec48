#include <Ultilities/lib/WSImageView.h>

#include <Foundation/ClassRegistry.h>

#include <algorithm>

namespace kerbelin {

namespace {

const auto registration =
    ios::ClassRegistration<WSImageView, ios::UIView>()
        .property("image", &WSImageView::image, &WSImageView::setImage)
        .property("highlightedImage", &WSImageView::highlightedImage, &WSImageView::setHighlightedImage)
        .property("highlighted", &WSImageView::isHighlighted, &WSImageView::setHighlighted)
        .property("animationDuration", &WSImageView::animationDuration, &WSImageView::setAnimationDuration)
        .property("animationRepeatCount", &WSImageView::animationRepeatCount,
                  &WSImageView::setAnimationRepeatCount)
        .property("tintColor", &WSImageView::tintColor, &WSImageView::setTintColor);

// A size divided by a scale ratio; a ratio that is zero or not a number (an empty image or view)
// gives no size rather than a frame of infinities.
ios::CGFloat scaled(ios::CGFloat length, ios::CGFloat ratio) {
  return ratio > 0 ? length / ratio : 0;
}

}  // namespace

std::shared_ptr<WSImageView> WSImageView::create(std::shared_ptr<ios::UIImage> image,
                                                 std::shared_ptr<ios::UIImage> highlightedImage) {
  auto view = std::make_shared<WSImageView>(Passkey{}, std::move(image), std::move(highlightedImage));
  view->addSubview(view->imageView);
  return view;
}

WSImageView::WSImageView(Passkey, std::shared_ptr<ios::UIImage> image,
                         std::shared_ptr<ios::UIImage> highlightedImage)
    : ios::UIView(ios::CGRect::zero),
      imageView(ios::UIImageView::create(std::move(image), std::move(highlightedImage))) {}

void WSImageView::setAnimationImages(std::vector<std::shared_ptr<ios::UIImage>> images) {
  imageView->animationImages = std::move(images);
}

void WSImageView::setHighlightedAnimationImages(std::vector<std::shared_ptr<ios::UIImage>> images) {
  imageView->highlightedAnimationImages = std::move(images);
}

void WSImageView::setContentMode(ios::UIViewContentMode mode) {
  UIView::setContentMode(mode);
  layoutImageView();
}

void WSImageView::layoutSubviews() {
  UIView::layoutSubviews();
  layoutImageView();
}

void WSImageView::layoutImageView() {
  const auto& shown = imageView->image();
  if (!shown) return;
  const ios::CGSize bounds = this->bounds().size;
  const ios::CGFloat W = bounds.width, H = bounds.height;
  const ios::CGSize size = shown->size();
  const ios::CGFloat w = size.width, h = size.height;

  auto sizeTo = [this](ios::CGFloat width, ios::CGFloat height) {
    imageView->setFrame(ios::CGRect(0, 0, width, height));
  };
  auto centreAt = [this](ios::CGFloat x, ios::CGFloat y) { imageView->setCenter(ios::CGPoint{x, y}); };

  using Mode = ios::UIViewContentMode;
  switch (contentMode()) {
    case Mode::scaleToFill:
      sizeTo(W, H);
      break;
    case Mode::scaleAspectFit: {
      const ios::CGFloat r = std::max(w / W, h / H);
      sizeTo(scaled(w, r), scaled(h, r));
      centreAt(W / 2, H / 2);
      break;
    }
    case Mode::scaleAspectFill: {
      const ios::CGFloat r = std::min(w / W, h / H);
      sizeTo(scaled(w, r), scaled(h, r));
      centreAt(W / 2, H / 2);
      break;
    }
    case Mode::redraw:
      break;
    case Mode::center:
      sizeTo(w, h);
      centreAt(W / 2, H / 2);
      break;
    case Mode::top:
      sizeTo(w, h);
      centreAt(W / 2, h / 2);
      break;
    case Mode::bottom:
      sizeTo(w, h);
      centreAt(W / 2, H - h / 2);
      break;
    case Mode::left:
      sizeTo(w, h);
      centreAt(w / 2, H / 2);
      break;
    case Mode::right:
      sizeTo(w, h);
      centreAt(W - w / 2, H / 2);
      break;
    case Mode::topLeft:
      sizeTo(w, h);
      centreAt(w / 2, h / 2);
      break;
    case Mode::topRight:
      sizeTo(w, h);
      centreAt(W - w / 2, h / 2);
      break;
    case Mode::bottomLeft:
      sizeTo(w, h);
      centreAt(w / 2, H - h / 2);
      break;
    case Mode::bottomRight:
      sizeTo(w, h);
      centreAt(W - w / 2, H - h / 2);
      break;
  }
}

}  // namespace kerbelin
