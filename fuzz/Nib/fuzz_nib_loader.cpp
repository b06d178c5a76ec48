// Any bytes as a nib and as a storyboard: every load either gives objects or an error, never both,
// and whatever loads is laid out at a phone's width.
#include <Foundation/Bundle.h>
#include <UIKit/Nib/UINib.h>
#include <UIKit/Nib/UIStoryboard.h>
#include <UIKit/UIView.h>
#include <UIKit/UIViewController.h>

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace {

void layOut(const std::shared_ptr<ios::UIView>& view) {
  view->setFrame({0, 0, 375, 812});
  view->layoutIfNeeded();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static auto bundle = ios::Bundle::create("Halvet.Fuzz", ios::Bundle::ResourceMap{});
  std::string_view bytes(reinterpret_cast<const char*>(data), size);

  auto owner = ios::UIViewController::create();
  auto result = ios::UINib::fromData("Fuzz", bytes, bundle)->instantiate(owner);
  if (result.error && !result.objects.empty()) __builtin_trap();
  for (const auto& object : result.objects) {
    if (auto view = std::dynamic_pointer_cast<ios::UIView>(object)) layOut(view);
  }

  auto storyboard = ios::UIStoryboard::fromData("Fuzz", bytes, bundle);
  for (const auto& identifier : storyboard->identifiers()) {
    auto scene = storyboard->instantiate(identifier);
    if (!scene) continue;
    if (!ios::UIStoryboard::loadSceneView(*scene.controller)) layOut(scene.controller->view());
  }
  return 0;
}
