#include <Ultilities/Extensions/UIViewShadowExtension.h>

#include <QuartzCore/CAShapeLayer.h>
#include <UIKit/UIGraphics.h>
#include <UIKit/UIGraphicsImageRenderer.h>

namespace kerbelin {

using ios::CGFloat;
using ios::CGSize;

std::string rawValue(VerticalLocation location) {
  return location == VerticalLocation::bottom ? "bottom" : "top";
}

template <>
std::optional<VerticalLocation> fromRawValue<VerticalLocation>(std::string_view raw) {
  if (raw == "bottom") return VerticalLocation::bottom;
  if (raw == "top") return VerticalLocation::top;
  return std::nullopt;
}

void addShadow(ios::UIView& view, VerticalLocation location, const std::shared_ptr<ios::UIColor>& color,
               float opacity, CGFloat radius) {
  const CGSize offset = location == VerticalLocation::bottom ? CGSize{0, 1} : CGSize{0, -1};
  addShadow(view, offset, color, opacity, radius);
}

void addShadow(ios::UIView& view, CGSize offset, const std::shared_ptr<ios::UIColor>& color, float opacity,
               CGFloat radius) {
  const auto& layer = view.layer();
  layer->setMasksToBounds(false);
  layer->setShadowColor(color ? std::optional<ios::CGColor>(color->cgColor()) : std::nullopt);
  layer->setShadowOffset(offset);
  layer->setShadowOpacity(opacity);
  layer->setShadowRadius(radius);
}

void roundCorners(ios::UIView& view, ios::UIRectCorner corners, CGFloat radius) {
  auto path = ios::UIBezierPath::roundedRect(view.bounds(), corners, CGSize{radius, radius});
  auto mask = ios::CAShapeLayer::create();
  mask->setPath(path->cgPath());
  view.layer()->setMask(mask);
}

std::shared_ptr<ios::UIImage> asImage(const ios::UIView& view) {
  auto renderer = ios::UIGraphicsImageRenderer::create(view.bounds());
  const auto& layer = view.layer();
  return renderer->image(
      [&](ios::UIGraphicsImageRendererContext& context) { layer->render(context.cgContext()); });
}

std::shared_ptr<ios::UIImage> imageFromView(ios::UIView& view) {
  const CGSize size = view.bounds().size;
  ios::UIGraphicsBeginImageContextWithOptions(size, false, 1.0);
  if (auto* context = ios::UIGraphicsGetCurrentContext()) {
    context->setFillColor(ios::UIColor::clear()->cgColor());
    context->setStrokeColor(ios::UIColor::clear()->cgColor());
  }
  view.drawHierarchy(view.bounds(), true);
  auto image = ios::UIGraphicsGetImageFromCurrentImageContext();
  ios::UIGraphicsEndImageContext();
  // The platform gives no image for an empty size; callers always get one.
  return image ? image : ios::UIImage::createWithoutBitmap(size, 1.0);
}

}  // namespace kerbelin
