#include <Ultilities/Extensions/UIViewStyleExtension.h>

#include <Foundation/ClassRegistry.h>
#include <Foundation/Console.h>
#include <UIKit/Nib/UINib.h>
#include <UIKit/UIResponder.h>

#include <algorithm>
#include <string>
#include <vector>

namespace kerbelin {

namespace {

// The settings join the platform's own view keys, so that every view of an interface file takes them.
const auto registration = ios::ClassRegistration<ios::UIView, ios::UIResponder>("UIView")
                              .property("cornerRadius", &cornerRadius, &setCornerRadius)
                              .property("borderColor", &borderColor, &setBorderColor)
                              .property("borderWidth", &borderWidth, &setBorderWidth)
                              .property("_radiusCircular", &_radiusCircular, &set_radiusCircular)
                              .property("shadowColor", &shadowColor, &setShadowColor)
                              .property("shadowOffset", &shadowOffset, &setShadowOffset)
                              .property("shadowOpacity", &shadowOpacity, &setShadowOpacity)
                              .property("shadowRadius", &shadowRadius, &setShadowRadius);

constexpr const char* kFrameworkBundleIdentifier = "Halvet.KerbelinSDK";

}  // namespace

ios::CGFloat cornerRadius(const ios::UIView&) {
  return 0;
}

void setCornerRadius(ios::UIView& view, ios::CGFloat radius) {
  view.layer()->setCornerRadius(radius);
  view.layer()->setMasksToBounds(true);
}

std::shared_ptr<ios::UIColor> borderColor(const ios::UIView&) {
  return ios::UIColor::clear();
}

void setBorderColor(ios::UIView& view, const std::shared_ptr<ios::UIColor>& color) {
  view.layer()->setBorderColor(color ? std::optional<ios::CGColor>(color->cgColor()) : std::nullopt);
}

ios::CGFloat borderWidth(const ios::UIView&) {
  return 0;
}

void setBorderWidth(ios::UIView& view, ios::CGFloat width) {
  view.layer()->setBorderWidth(width);
}

bool _radiusCircular(const ios::UIView&) {
  return false;
}

void set_radiusCircular(ios::UIView& view, bool) {
  const ios::CGRect frame = view.frame();
  view.layer()->setCornerRadius(std::min(frame.width(), frame.height()) / 2);
  view.setClipsToBounds(true);
}

std::shared_ptr<ios::UIColor> shadowColor(const ios::UIView& view) {
  const auto& color = view.layer()->shadowColor();
  if (!color) return ios::UIColor::create(0, 0, 0, 0);
  return ios::UIColor::create(*color);
}

void setShadowColor(ios::UIView& view, const std::shared_ptr<ios::UIColor>& color) {
  view.layer()->setShadowColor(color ? std::optional<ios::CGColor>(color->cgColor()) : std::nullopt);
}

ios::CGSize shadowOffset(const ios::UIView& view) {
  return view.layer()->shadowOffset();
}

void setShadowOffset(ios::UIView& view, ios::CGSize offset) {
  view.layer()->setShadowOffset(offset);
}

ios::CGFloat shadowOpacity(const ios::UIView& view) {
  return view.layer()->shadowOpacity();
}

void setShadowOpacity(ios::UIView& view, ios::CGFloat opacity) {
  view.layer()->setShadowOpacity(static_cast<float>(opacity));
}

ios::CGFloat shadowRadius(const ios::UIView& view) {
  return view.layer()->shadowRadius();
}

void setShadowRadius(ios::UIView& view, ios::CGFloat radius) {
  view.layer()->setShadowRadius(radius);
}

void clearSubviews(ios::UIView& view) {
  const std::vector<std::shared_ptr<ios::UIView>> subviews = view.subviews();
  for (const auto& subview : subviews) subview->removeFromSuperview();
}

namespace {
// The view class itself, standing as the owner the way a class method's `self` does: it has none of
// its instances' outlets or methods.
class ViewClassObject : public ios::NSObject {};
}  // namespace

std::shared_ptr<ios::UIView> loadFromNibNamed(std::string_view nibNamed,
                                              std::shared_ptr<ios::Bundle> bundle) {
  const auto owner = std::make_shared<ViewClassObject>();
  return std::dynamic_pointer_cast<ios::UIView>(detail::firstObjectOfNib(nibNamed, bundle, false, owner));
}

namespace detail {

std::shared_ptr<ios::NSObject> firstObjectOfNib(std::string_view name,
                                                const std::shared_ptr<ios::Bundle>& bundle, bool viaBundle,
                                                const std::shared_ptr<ios::NSObject>& owner) {
  ios::NibInstantiation result;
  if (viaBundle) {
    result = ios::loadNibNamed(bundle, name, owner);
  } else if (auto nib = ios::UINib::create(name, bundle)) {
    result = nib->instantiate(owner);
  } else {
    ios::NSLog("Could not find a nib named \"" + std::string(name) + "\"");
    return nullptr;
  }
  if (!result) {
    ios::NSLog("Could not load the nib \"" + std::string(name) + "\": " + result.error->message());
    return nullptr;
  }
  if (result.objects.empty()) return nullptr;
  return result.objects.front();
}

std::shared_ptr<ios::Bundle> frameworkBundle() {
  return ios::Bundle::withIdentifier(kFrameworkBundleIdentifier);
}

void reportWrongClass(std::string_view name) {
  ios::NSLog("The first object of the nib \"" + std::string(name) + "\" is not of that class");
}

}  // namespace detail

}  // namespace kerbelin
