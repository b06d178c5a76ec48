#include <Ultilities/Common/SheetInset.h>

#include <Ultilities/Constants/Screen.h>

#include <algorithm>

namespace kerbelin {

ios::CGFloat fullSheetInset(ios::CGFloat sheetHeight) {
  return std::max<ios::CGFloat>(0, SCREEN_HEIGHT() - sheetHeight);
}

}  // namespace kerbelin
