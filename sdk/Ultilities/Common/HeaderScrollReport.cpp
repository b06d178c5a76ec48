#include <Ultilities/Common/HeaderScrollReport.h>

namespace kerbelin {

std::optional<ios::CGFloat> headerScrollStep(ios::UIScrollView& list, ios::CGFloat& reference, bool holdStill) {
  const ios::CGPoint offset = list.contentOffset();
  const ios::CGFloat step = offset.y - reference;
  if (reference > 0 && step < 0) {
    reference = offset.y;
    return std::nullopt;
  }
  if (offset.y < 0) {
    list.setContentOffset({offset.x, 0});
    reference = 0;
  }
  if (holdStill) list.setContentOffset({list.contentOffset().x, reference});
  return step;
}

}  // namespace kerbelin
