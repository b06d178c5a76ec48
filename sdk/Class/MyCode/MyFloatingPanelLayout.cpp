#include <Class/MyCode/MyFloatingPanelLayout.h>

#include <Ultilities/Common/SheetInset.h>

namespace kerbelin {

std::optional<ios::CGFloat> MyFloatingPanelLayout::insetFor(ios::FloatingPanelPosition position) const {
  switch (position) {
    case ios::FloatingPanelPosition::full:
      return fullSheetInset(sheetHeight);
    case ios::FloatingPanelPosition::tip:
      return 0.0;
    default:
      return std::nullopt;
  }
}

}  // namespace kerbelin
