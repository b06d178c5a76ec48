#pragma once

#include <Layout/Variable.h>

namespace ios::layout {

// `coefficient * variable`, one summand of an Expression.
struct Term {
  Variable variable;
  double coefficient = 1.0;

  double value() const { return coefficient * variable.value(); }
};

}  // namespace ios::layout
