#include <Layout/Expression.h>

namespace ios::layout {

double Expression::value() const {
  double sum = constant;
  for (const Term& term : terms) sum += term.value();
  return sum;
}

}  // namespace ios::layout
