#include <Class/MyCode/QRCountdownLine.h>

#include <Foundation/RunLoop.h>
#include <Ultilities/Common/Common.h>
#include <Ultilities/Extensions/UIColorExtension.h>

#include <algorithm>
#include <cmath>
#include <string>

namespace kerbelin {

namespace {
constexpr std::int64_t kNanosecondsPerSecond = 1'000'000'000;

std::int64_t nowInNanoseconds() { return std::llround(ios::RunLoop::main().now() * 1e9); }

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

void QRDeadline::start(std::int64_t seconds) {
  // The lifetime comes from the server: kept within a century so that the sum cannot overflow.
  constexpr std::int64_t century = 100LL * 366 * 24 * 3600;
  deadline_ = nowInNanoseconds() + std::clamp(seconds, -century, century) * kNanosecondsPerSecond;
}

std::optional<std::int64_t> QRDeadline::nanosecondsLeft() const {
  if (!deadline_) return std::nullopt;
  return *deadline_ - nowInNanoseconds();
}

bool QRDeadline::passed() const { return nanosecondsLeft().value_or(-1) < 0; }

std::int64_t QRDeadline::secondsLeft() const {
  const std::int64_t left = nanosecondsLeft().value_or(0);
  return left / kNanosecondsPerSecond - (left % kNanosecondsPerSecond < 0 ? 1 : 0);
}

}  // namespace kerbelin
