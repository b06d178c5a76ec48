#include <Ultilities/Constants/Color.h>

namespace kerbelin {

const std::shared_ptr<ios::UIColor>& Color::Background_Color() {
  static const auto color = ios::UIColor::create(243.0 / 255.0, 243.0 / 255.0, 249.0 / 255.0, 1);
  return color;
}

const std::shared_ptr<ios::UIColor>& Color::Main_Flamigo() {
  static const auto color = ios::UIColor::create(255.0 / 255.0, 87.0 / 255.0, 34.0 / 255.0, 1);
  return color;
}

}  // namespace kerbelin
