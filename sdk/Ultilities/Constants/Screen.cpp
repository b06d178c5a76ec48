#include <Ultilities/Constants/Screen.h>

#include <UIKit/UIScreen.h>

namespace kerbelin {

ios::CGFloat SCREEN_WIDTH() {
  static const ios::CGFloat width = ios::UIScreen::main()->bounds().width();
  return width;
}

ios::CGFloat SCREEN_HEIGHT() {
  static const ios::CGFloat height = ios::UIScreen::main()->bounds().height();
  return height;
}

}  // namespace kerbelin
