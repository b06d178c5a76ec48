#include <Ultilities/Extensions/UIImageHelperExtension.h>

#include <UIKit/UIGraphics.h>

namespace kerbelin {

std::shared_ptr<ios::UIImage> imageWithInsets(const ios::UIImage& image, const ios::UIEdgeInsets& insets) {
  const ios::CGSize size = image.size();
  ios::UIGraphicsBeginImageContextWithOptions(
      ios::CGSize{size.width + insets.left + insets.right, size.height + insets.top + insets.bottom}, false,
      image.scale());
  image.draw(ios::CGPoint{insets.left, insets.top});
  auto result = ios::UIGraphicsGetImageFromCurrentImageContext();
  ios::UIGraphicsEndImageContext();
  return result;
}

std::optional<ios::Data> compressTo(const ios::UIImage& image, int megabytes) {
  const long long limit = static_cast<long long>(megabytes) * 1024 * 1024;
  // Repeated subtraction on purpose: the tries run 1.0, 0.9, ... about 0.1, then one at about 1e-16.
  for (double quality = 1.0; quality > 0; quality -= 0.1) {
    auto data = image.jpegData(quality);
    if (data && static_cast<long long>(data->count()) < limit) return data;
  }
  return image.jpegData(0.1);
}

std::shared_ptr<ios::UIImage> fromColor(const std::shared_ptr<ios::UIColor>& color, ios::CGSize size) {
  ios::UIGraphicsBeginImageContext(size);
  if (auto* context = ios::UIGraphicsGetCurrentContext()) {
    if (color) context->setFillColor(color->cgColor());
    context->fill(ios::CGRect(ios::CGPoint{0, 0}, size));
  }
  auto image = ios::UIGraphicsGetImageFromCurrentImageContext();
  ios::UIGraphicsEndImageContext();
  return image;
}

void customBorderImageView(ios::UIImageView& imageView) {
  imageView.setClipsToBounds(true);
  imageView.layer()->setCornerRadius(imageView.layer()->frame().size.height / 2);
}

void customCornerRadius(ios::UIImageView& imageView) {
  imageView.setClipsToBounds(true);
  imageView.layer()->setCornerRadius(8);
}

}  // namespace kerbelin
