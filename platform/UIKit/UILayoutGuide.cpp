#include <UIKit/UILayoutGuide.h>

#include <Foundation/ClassRegistry.h>

namespace ios {

namespace {
const auto registration =
    ClassRegistration<UILayoutGuide>("UILayoutGuide").property("identifier", &UILayoutGuide::identifier);
}

std::shared_ptr<UILayoutGuide> UILayoutGuide::create() {
  return std::make_shared<UILayoutGuide>();
}

}  // namespace ios
