#include <Class/MyCode/QRCountdownLine.h>

#include <Foundation/RunLoop.h>
#include <Ultilities/Common/Common.h>
#include <Ultilities/Extensions/UIColorExtension.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

namespace kerbelin {

namespace {
constexpr std::int64_t kNanosecondsPerSecond = 1'000'000'000;

std::int64_t nowInNanoseconds() { return std::llround(ios::RunLoop::main().now() * 1e9); }

// The bound of the type a result went beyond in the direction of `sign`.
std::int64_t bound(std::int64_t sign) {
  return sign > 0 ? std::numeric_limits<std::int64_t>::max() : std::numeric_limits<std::int64_t>::min();
}

std::int64_t saturatingNanoseconds(std::int64_t seconds) {
  std::int64_t product = 0;
  return __builtin_mul_overflow(seconds, kNanosecondsPerSecond, &product) ? bound(seconds) : product;
}

std::shared_ptr<ios::NSMutableAttributedString> run(std::string_view text, ios::CGFloat size, ios::UIFontWeight weight,
                                                    const std::shared_ptr<ios::UIColor>& color) {
  return Common::SetAttribuedText(text, ios::UIFont::systemFont(size, weight), color, color, ios::UIColor::clear());
}
}  // namespace

std::shared_ptr<ios::NSMutableAttributedString> qrCountdownLine(std::int64_t secondsLeft) {
  const auto grey = colorWithRGBA("#6F6F72");
  auto line = run("Tự động cập nhật lại sau ", 12, ios::UIFontWeight::regular, grey);
  const std::string seconds = std::to_string(std::max<std::int64_t>(secondsLeft, 0));
  line->append(*run(seconds, 13, ios::UIFontWeight::semibold, ios::UIColor::black()));
  line->append(*run(" giây", 12, ios::UIFontWeight::regular, grey));
  return line;
}

std::int64_t saturatingSum(std::int64_t a, std::int64_t b) {
  std::int64_t sum = 0;
  return __builtin_add_overflow(a, b, &sum) ? bound(b) : sum;
}

void QRDeadline::start(std::int64_t seconds) {
  deadline_ = saturatingSum(nowInNanoseconds(), saturatingNanoseconds(seconds));
}

std::optional<std::int64_t> QRDeadline::nanosecondsLeft() const {
  if (!deadline_) return std::nullopt;
  return saturatingSum(*deadline_, -nowInNanoseconds());
}

bool QRDeadline::passed() const { return nanosecondsLeft().value_or(-1) < 0; }

std::int64_t QRDeadline::secondsLeft() const {
  const std::int64_t left = nanosecondsLeft().value_or(0);
  return left / kNanosecondsPerSecond - (left % kNanosecondsPerSecond < 0 ? 1 : 0);
}

}  // namespace kerbelin
