#include <WebImage/SDImageCoderHelper.h>

namespace ios {

CGFloat SDImageScaleFactorForKey(std::string_view key) {
  // Only the path's last component counts: drop the query and fragment first.
  key = key.substr(0, key.find_first_of("?#"));
  auto name = key.substr(key.rfind('/') == std::string_view::npos ? 0 : key.rfind('/') + 1);
  const auto dot = name.rfind('.');
  if (dot != std::string_view::npos) name = name.substr(0, dot);
  if (name.ends_with("@2x")) return 2;
  if (name.ends_with("@3x")) return 3;
  return 1;
}

std::shared_ptr<UIImage> SDImageDecode(const Data& data, std::string_view key) {
  if (data.isEmpty()) return nullptr;
  return UIImage::fromData(data, SDImageScaleFactorForKey(key));
}

}  // namespace ios
