#pragma once

// Shadows above or below a view, rounded chosen corners through a mask, and two pictures of a view.
// Each free function stands for the view member of the same name.

#include <CoreGraphics/CGGeometry.h>
#include <UIKit/UIBezierPath.h>
#include <UIKit/UIColor.h>
#include <UIKit/UIImage.h>
#include <UIKit/UIView.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace kerbelin {

enum class VerticalLocation { bottom, top };
// "bottom" and "top"; any other text gives nullopt.
std::string rawValue(VerticalLocation location);
template <class E>
std::optional<E> fromRawValue(std::string_view raw);
template <>
std::optional<VerticalLocation> fromRawValue<VerticalLocation>(std::string_view raw);

// A shadow of offset (0, 1) below or (0, -1) above; see the offset form.
void addShadow(ios::UIView& view, VerticalLocation location,
               const std::shared_ptr<ios::UIColor>& color = ios::UIColor::black(), float opacity = 0.1f,
               ios::CGFloat radius = 5.0);
// On the layer, in this order: masks to bounds off, shadow colour, offset, opacity and radius.
void addShadow(ios::UIView& view, ios::CGSize offset,
               const std::shared_ptr<ios::UIColor>& color = ios::UIColor::black(), float opacity = 0.1f,
               ios::CGFloat radius = 5.0);

// Masks the layer with the rounded rectangle of the bounds as they are now, the chosen corners
// rounded by `radius`; a later resize keeps the old shape.
void roundCorners(ios::UIView& view, ios::UIRectCorner corners, ios::CGFloat radius);

// The layer tree rendered over the bounds at the screen's scale.
std::shared_ptr<ios::UIImage> asImage(const ios::UIView& view);
// The on-screen hierarchy drawn at one pixel a point. A view of zero width or height gives an image
// of its size without a bitmap rather than none.
std::shared_ptr<ios::UIImage> imageFromView(ios::UIView& view);

}  // namespace kerbelin
