#include <Layout/Operators.h>

namespace ios::layout {

Expression operator+(Expression lhs, const Expression& rhs) {
  lhs.terms.insert(lhs.terms.end(), rhs.terms.begin(), rhs.terms.end());
  lhs.constant += rhs.constant;
  return lhs;
}

Expression operator-(Expression operand) {
  return std::move(operand) * -1.0;
}

Expression operator-(Expression lhs, const Expression& rhs) {
  return std::move(lhs) + -rhs;
}

Expression operator*(Expression lhs, double factor) {
  for (Term& term : lhs.terms) term.coefficient *= factor;
  lhs.constant *= factor;
  return lhs;
}

Expression operator*(double factor, Expression rhs) {
  return std::move(rhs) * factor;
}

Expression operator/(Expression lhs, double divisor) {
  return std::move(lhs) * (1.0 / divisor);
}

Constraint operator==(const Expression& lhs, const Expression& rhs) {
  return Constraint(lhs - rhs, Relation::Equal);
}

Constraint operator<=(const Expression& lhs, const Expression& rhs) {
  return Constraint(lhs - rhs, Relation::LessThanOrEqual);
}

Constraint operator>=(const Expression& lhs, const Expression& rhs) {
  return Constraint(lhs - rhs, Relation::GreaterThanOrEqual);
}

}  // namespace ios::layout
