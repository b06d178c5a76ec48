#include <Ultilities/Extensions/UIViewGradientView.h>

#include <Ultilities/Extensions/GradientViewRegistration.h>

namespace kerbelin::UIViewExtension {

namespace {

const auto registration = registerGradientViewClass<GradientView>("UIView.GradientView");

}  // namespace

std::shared_ptr<GradientView> GradientView::create(const ios::CGRect& frame) {
  return std::make_shared<GradientView>(frame);
}

}  // namespace kerbelin::UIViewExtension
