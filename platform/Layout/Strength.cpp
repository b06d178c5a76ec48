#include <Layout/Strength.h>

namespace ios::layout::strength {

Strength fromPriority(double priority) {
  if (!(priority >= 1.0)) return Strength(1.0);
  return Strength(priority);
}

}  // namespace ios::layout::strength
