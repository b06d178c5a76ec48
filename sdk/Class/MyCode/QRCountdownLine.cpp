#include <Class/MyCode/QRCountdownLine.h>

#include <Ultilities/Common/Common.h>
#include <Ultilities/Extensions/UIColorExtension.h>

#include <string>

namespace kerbelin {

namespace {
std::shared_ptr<ios::NSMutableAttributedString> run(std::string_view text, ios::CGFloat size, ios::UIFontWeight weight,
                                                    const std::shared_ptr<ios::UIColor>& color) {
  return Common::SetAttribuedText(text, ios::UIFont::systemFont(size, weight), color, color, ios::UIColor::clear());
}
}  // namespace

std::shared_ptr<ios::NSMutableAttributedString> qrCountdownLine(std::int64_t secondsLeft) {
  const auto grey = colorWithRGBA("#6F6F72");
  auto line = run("Tự động cập nhật lại sau ", 12, ios::UIFontWeight::regular, grey);
  line->append(*run(std::to_string(secondsLeft), 13, ios::UIFontWeight::semibold, ios::UIColor::black()));
  line->append(*run(" giây", 12, ios::UIFontWeight::regular, grey));
  return line;
}

}  // namespace kerbelin
