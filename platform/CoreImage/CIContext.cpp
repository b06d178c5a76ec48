#include <CoreImage/CIContext.h>

namespace ios {

std::shared_ptr<CIContext> CIContext::create() {
  return std::make_shared<CIContext>();
}

}  // namespace ios
