#include <UIKit/UIGraphicsImageRenderer.h>

#include <UIKit/UIGraphics.h>
#include <UIKit/UIImage.h>
#include <UIKit/UIScreen.h>

namespace ios {

std::shared_ptr<UIImage> UIGraphicsImageRendererContext::currentImage() const {
  return UIImage::create(context_.makeImage(), context_.scale());
}

std::shared_ptr<UIGraphicsImageRenderer> UIGraphicsImageRenderer::create(
    CGSize size, UIGraphicsImageRendererFormat format) {
  return create(CGRect(CGPoint::zero, size), format);
}

std::shared_ptr<UIGraphicsImageRenderer> UIGraphicsImageRenderer::create(
    const CGRect& bounds, UIGraphicsImageRendererFormat format) {
  if (!(format.scale > 0)) format.scale = UIScreen::main()->scale();
  return std::make_shared<UIGraphicsImageRenderer>(Passkey{}, bounds.standardized(), format);
}

UIGraphicsImageRenderer::UIGraphicsImageRenderer(Passkey, const CGRect& bounds,
                                                 UIGraphicsImageRendererFormat format)
    : bounds_(bounds), format_(format) {}

std::shared_ptr<UIImage> UIGraphicsImageRenderer::image(const Actions& actions) const {
  auto context = CGContext::bitmap(bounds_.size, format_.scale, format_.opaque);
  if (!context) return UIImage::createWithoutBitmap(CGSize::zero, format_.scale);
  context->translateBy(-bounds_.minX(), -bounds_.minY());
  UIGraphicsPushContext(context.get());
  UIGraphicsImageRendererContext rendererContext(*context);
  if (actions) actions(rendererContext);
  UIGraphicsPopContext();
  return UIImage::create(context->makeImage(), format_.scale);
}

std::optional<Data> UIGraphicsImageRenderer::pngData(const Actions& actions) const {
  return image(actions)->pngData();
}

std::optional<Data> UIGraphicsImageRenderer::jpegData(CGFloat compressionQuality,
                                                      const Actions& actions) const {
  return image(actions)->jpegData(compressionQuality);
}

}  // namespace ios
