#include <Class/Pay/MyFloatingTermPayPanelLayout.h>

#include <Ultilities/Common/Common.h>
#include <Ultilities/Common/SheetInset.h>
#include <Ultilities/Constants/Screen.h>

namespace kerbelin {

std::shared_ptr<MyFloatingTermPayPanelLayout> MyFloatingTermPayPanelLayout::create() {
  return std::make_shared<MyFloatingTermPayPanelLayout>();
}

ios::FloatingPanelPosition MyFloatingTermPayPanelLayout::initialPosition() const {
  return ios::FloatingPanelPosition::tip;
}

std::optional<ios::CGFloat> MyFloatingTermPayPanelLayout::insetFor(ios::FloatingPanelPosition position) const {
  switch (position) {
    case ios::FloatingPanelPosition::full:
      return fullSheetInset(SCREEN_WIDTH() / 2 + fullOffset + Common::getBottomPadding());
    case ios::FloatingPanelPosition::tip:
      return 0;
    case ios::FloatingPanelPosition::half:
    case ios::FloatingPanelPosition::hidden:
      return std::nullopt;
  }
  return std::nullopt;
}

}  // namespace kerbelin
