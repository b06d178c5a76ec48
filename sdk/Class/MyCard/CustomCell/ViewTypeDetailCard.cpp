#include <Class/MyCard/CustomCell/ViewTypeDetailCard.h>

#include <Foundation/ClassRegistry.h>

namespace kerbelin {

namespace {
using Badge = ViewTypeDetailCard;
const auto registration = ios::ClassRegistration<Badge, ios::UIView>()
                              .property("viewBackground", &Badge::viewBackground)
                              .property("icon", &Badge::icon)
                              .property("lbTitle", &Badge::lbTitle);
}  // namespace

std::shared_ptr<ViewTypeDetailCard> ViewTypeDetailCard::create() {
  return std::make_shared<ViewTypeDetailCard>();
}

ViewTypeDetailCard::ViewTypeDetailCard() = default;

}  // namespace kerbelin
