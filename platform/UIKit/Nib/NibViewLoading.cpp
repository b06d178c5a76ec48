// Installs the nib view loader of UIViewController when the UIKit library loads: a controller with a
// nib name loads its view from that nib with itself as owner, and a controller made from a storyboard
// scene gets the scene's view.

#include <Foundation/Console.h>
#include <UIKit/Nib/UINib.h>
#include <UIKit/Nib/UIStoryboard.h>
#include <UIKit/UIScreen.h>
#include <UIKit/UIViewController.h>

namespace ios {

namespace {

bool loadNamedNib(UIViewController& owner, const std::shared_ptr<UINib>& nib);

// A controller made without a nib name takes the nib named after its class when the bundle has one,
// the name without its "Controller" suffix first ("PaymentView", then "PaymentViewController").
std::shared_ptr<UINib> nibNamedAfterClass(const UIViewController& owner, const std::shared_ptr<Bundle>& bundle) {
  const std::string name = owner.className();
  constexpr std::string_view suffix = "Controller";
  if (name.size() > suffix.size() && name.ends_with(suffix))
    if (auto nib = UINib::create(name.substr(0, name.size() - suffix.size()), bundle)) return nib;
  return UINib::create(name, bundle);
}

bool loadNibView(UIViewController& owner, const std::string& nibName, const std::shared_ptr<Bundle>& bundle) {
  if (nibName.empty()) {
    if (!UIStoryboard::hasPendingScene(owner)) {
      auto nib = nibNamedAfterClass(owner, bundle);
      return nib && loadNamedNib(owner, nib);
    }
    if (auto error = UIStoryboard::loadSceneView(owner)) {
      NSLog("Nib load error: " + error->message());
      return false;
    }
    return true;
  }
  auto nib = UINib::create(nibName, bundle);
  return nib && loadNamedNib(owner, nib);
}

bool loadNamedNib(UIViewController& owner, const std::shared_ptr<UINib>& nib) {
  auto result = nib->instantiate(std::static_pointer_cast<NSObject>(owner.shared_from_this()));
  if (!result) {
    NSLog("Nib load error: " + result.error->message());
    return false;
  }
  // Without a "view" outlet the first top-level view is the controller's view.
  if (!owner.isViewLoaded()) {
    for (const auto& object : result.objects) {
      if (auto view = std::dynamic_pointer_cast<UIView>(object)) {
        owner.setView(view);
        break;
      }
    }
  }
  if (!owner.isViewLoaded()) {
    NSLog("Nib load error: " + nib->name() + "." + std::string(UINib::fileExtension) +
          ": the nib has no view");
    return false;
  }
  const auto& view = owner.view();
  if (view->bounds().size.width == 0 && view->bounds().size.height == 0)
    view->setFrame(UIScreen::main()->bounds());
  return true;
}

const bool kInstalled = [] {
  UIViewController::setNibViewLoader(loadNibView);
  return true;
}();

}  // namespace

}  // namespace ios
