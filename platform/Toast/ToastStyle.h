#pragma once

#include <CoreGraphics/CGGeometry.h>
#include <CoreText/NSParagraphStyle.h>
#include <CoreText/UIFont.h>
#include <UIKit/UIColor.h>

#include <memory>

namespace ios {

// How toasts look: a rounded, dark, translucent box around white wrapped text.
struct ToastStyle {
  std::shared_ptr<UIColor> backgroundColor = UIColor::create(0, 0, 0, 0.8);
  std::shared_ptr<UIColor> messageColor = UIColor::white();
  std::shared_ptr<UIFont> messageFont = UIFont::systemFont(16);
  NSTextAlignment messageAlignment = NSTextAlignment::center;
  CGFloat cornerRadius = 10;
  CGFloat horizontalPadding = 10;
  CGFloat verticalPadding = 10;
  // The box's largest size as a share of the view's size; longer text wraps, then is cut.
  CGFloat maxWidthPercentage = 0.8;
  CGFloat maxHeightPercentage = 0.8;
  // Seconds for the fade in and the fade out.
  double fadeDuration = 0.2;
};

}  // namespace ios
