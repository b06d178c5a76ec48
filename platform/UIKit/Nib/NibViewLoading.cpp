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

bool loadNibView(UIViewController& owner, const std::string& nibName, const std::shared_ptr<Bundle>& bundle) {
  if (nibName.empty()) {
    if (!UIStoryboard::hasPendingScene(owner)) return false;
    if (auto error = UIStoryboard::loadSceneView(owner)) {
      NSLog("Nib load error: " + error->message());
      return false;
    }
    return true;
  }
  auto nib = UINib::create(nibName, bundle);
  if (!nib) return false;
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
