#include <Ultilities/Extensions/GradientView.h>

#include <Ultilities/Extensions/GradientViewRegistration.h>

namespace kerbelin {

namespace {

const auto registration = registerGradientViewClass<GradientView>("GradientView");

}  // namespace

std::shared_ptr<GradientView> GradientView::create(const ios::CGRect& frame) {
  return std::make_shared<GradientView>(frame);
}

}  // namespace kerbelin
