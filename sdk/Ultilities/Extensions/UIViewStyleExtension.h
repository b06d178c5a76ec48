#pragma once

// Styling settings of every view that write through to its layer, views made from nibs named after
// their class, and emptying a view. Each free function stands for the view member of the same name.
//
// The eight settings are also keys of every view ("cornerRadius", "borderColor", "borderWidth",
// "_radiusCircular", "shadowColor", "shadowOffset", "shadowOpacity", "shadowRadius"), so interface
// files set them as attributes. They store nothing on the view, and most getters do not read the layer
// back: they act as write-only style settings. No setter touches rasterisation, the shadow path or
// any other layer property.

#include <CoreGraphics/CGGeometry.h>
#include <Foundation/Bundle.h>
#include <UIKit/UIColor.h>
#include <UIKit/UIView.h>

#include <memory>
#include <string_view>

namespace kerbelin {

// Layer corner radius = `radius`, then the layer clips (which also hides its own shadow). Reads 0.
ios::CGFloat cornerRadius(const ios::UIView& view);
void setCornerRadius(ios::UIView& view, ios::CGFloat radius);
// Layer border colour = the colour (null: no border colour). Reads the clear colour.
std::shared_ptr<ios::UIColor> borderColor(const ios::UIView& view);
void setBorderColor(ios::UIView& view, const std::shared_ptr<ios::UIColor>& color);
// Layer border width. Reads 0.
ios::CGFloat borderWidth(const ios::UIView& view);
void setBorderWidth(ios::UIView& view, ios::CGFloat width);
// Whatever the value: layer corner radius = half the smaller side of the frame as it is now, then
// clipping on. Reads false.
bool _radiusCircular(const ios::UIView& view);
void set_radiusCircular(ios::UIView& view, bool value);
// Layer shadow colour; reads it back, transparent black when the layer has none.
std::shared_ptr<ios::UIColor> shadowColor(const ios::UIView& view);
void setShadowColor(ios::UIView& view, const std::shared_ptr<ios::UIColor>& color);
// The layer's shadow offset, opacity (kept in single precision) and radius, read back as they are.
ios::CGSize shadowOffset(const ios::UIView& view);
void setShadowOffset(ios::UIView& view, ios::CGSize offset);
ios::CGFloat shadowOpacity(const ios::UIView& view);
void setShadowOpacity(ios::UIView& view, ios::CGFloat opacity);
ios::CGFloat shadowRadius(const ios::UIView& view);
void setShadowRadius(ios::UIView& view, ios::CGFloat radius);

// Removes every subview, in the order they were when the call began.
void clearSubviews(ios::UIView& view);

// A view made from the nib named `nibNamed` of `bundle` (null: the main bundle), owned by the view
// class itself: the first top-level object when it is a view; null when it is not, when the nib has
// no object, or when the nib is missing or fails to load (a missing or failing nib is also logged;
// a nib that connects outlets or actions to its owner fails, as the class has none of them).
std::shared_ptr<ios::UIView> loadFromNibNamed(std::string_view nibNamed,
                                              std::shared_ptr<ios::Bundle> bundle = nullptr);

namespace detail {
// The first top-level object of the nib; null when the nib is missing or fails to load (both logged)
// or holds no object.
// `viaBundle` loads the way the main bundle's `loadNibNamed` does, otherwise through `UINib`.
std::shared_ptr<ios::NSObject> firstObjectOfNib(std::string_view name,
                                                const std::shared_ptr<ios::Bundle>& bundle, bool viaBundle,
                                                const std::shared_ptr<ios::NSObject>& owner = nullptr);
std::shared_ptr<ios::Bundle> frameworkBundle();
// Logs that the first object of the nib `name` is not of the class asked for.
void reportWrongClass(std::string_view name);
}  // namespace detail

// A `T` made from the nib named after T's class in the application's main bundle. The caller must
// make sure that nib exists there and starts with a `T`; otherwise the result is null, and a missing
// nib, a nib that fails to load or a first object of another class is logged.
template <class T>
std::shared_ptr<T> fromNib() {
  const std::string name = ios::NSObject::className<T>();
  auto object = detail::firstObjectOfNib(name, ios::Bundle::main(), true);
  auto view = std::dynamic_pointer_cast<T>(object);
  if (object && !view) detail::reportWrongClass(name);
  return view;
}

// The same from the framework's own bundle ("Halvet.KerbelinSDK"), where this system's classes live.
template <class T>
std::shared_ptr<T> instanceFromNib() {
  const std::string name = ios::NSObject::className<T>();
  auto object = detail::firstObjectOfNib(name, detail::frameworkBundle(), false);
  auto view = std::dynamic_pointer_cast<T>(object);
  if (object && !view) detail::reportWrongClass(name);
  return view;
}

}  // namespace kerbelin
