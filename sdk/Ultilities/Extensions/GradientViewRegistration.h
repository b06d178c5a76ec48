#pragma once

// Joins a gradient view class to the runtime with its six settings as keys, so that interface
// files can place it by name and set it by key.

#include <Foundation/ClassRegistry.h>
#include <Ultilities/Extensions/GradientViewBase.h>

#include <string>

namespace kerbelin {

template <class View>
ios::ClassRegistration<View, ios::UIView> registerGradientViewClass(std::string name) {
  using Base = GradientViewBase;
  return ios::ClassRegistration<View, ios::UIView>(std::move(name))
      .factory([] { return View::create(); })
      .property("startColor", &Base::startColor, &Base::setStartColor)
      .property("endColor", &Base::endColor, &Base::setEndColor)
      .property("startLocation", &Base::startLocation, &Base::setStartLocation)
      .property("endLocation", &Base::endLocation, &Base::setEndLocation)
      .property("horizontalMode", &Base::horizontalMode, &Base::setHorizontalMode)
      .property("diagonalMode", &Base::diagonalMode, &Base::setDiagonalMode);
}

}  // namespace kerbelin
