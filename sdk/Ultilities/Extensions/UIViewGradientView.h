#pragma once

// The second gradient view, nested under the view extension: the same settings and behaviour as
// `GradientView` under another name. Interface files place it as "UIView.GradientView".

#include <Ultilities/Extensions/GradientViewBase.h>

#include <memory>

namespace kerbelin::UIViewExtension {

class GradientView : public GradientViewBase {
 public:
  static std::shared_ptr<GradientView> create(const ios::CGRect& frame = ios::CGRect::zero);
  using GradientViewBase::GradientViewBase;
};

}  // namespace kerbelin::UIViewExtension
