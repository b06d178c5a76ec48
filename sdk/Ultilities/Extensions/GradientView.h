#pragma once

// A view painting a two-colour linear gradient over its bounds, placed and configured by interface
// files under the class name "GradientView" (see GradientViewBase for the settings).

#include <Ultilities/Extensions/GradientViewBase.h>

#include <memory>

namespace kerbelin {

class GradientView : public GradientViewBase {
 public:
  static std::shared_ptr<GradientView> create(const ios::CGRect& frame = ios::CGRect::zero);
  using GradientViewBase::GradientViewBase;
};

}  // namespace kerbelin
