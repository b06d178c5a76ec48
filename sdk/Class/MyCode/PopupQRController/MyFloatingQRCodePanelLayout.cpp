#include <Class/MyCode/PopupQRController/MyFloatingQRCodePanelLayout.h>

#include <Ultilities/Common/Common.h>
#include <Ultilities/Common/SheetInset.h>
#include <Ultilities/Constants/Screen.h>

namespace kerbelin {

std::optional<ios::CGFloat> MyFloatingQRCodePanelLayout::insetFor(ios::FloatingPanelPosition position) const {
  switch (position) {
    case ios::FloatingPanelPosition::full:
      return fullSheetInset(SCREEN_WIDTH() / 2 + 170 + Common::getBottomPadding());
    case ios::FloatingPanelPosition::tip:
      return 0;
    default:
      return std::nullopt;
  }
}

}  // namespace kerbelin
