#include <Layout/Constraint.h>

namespace ios::layout {

Constraint::Constraint(Expression expression, Relation relation, Strength strength)
    : data_(std::make_shared<const Data>(Data{std::move(expression), relation, strength})) {}

Constraint::Constraint(const Constraint& other, Strength strength)
    : Constraint(other.expression(), other.relation(), strength) {}

bool Constraint::isSatisfied(double tolerance) const {
  const double value = expression().value();
  switch (relation()) {
    case Relation::LessThanOrEqual:
      return value <= tolerance;
    case Relation::GreaterThanOrEqual:
      return value >= -tolerance;
    case Relation::Equal:
      return value <= tolerance && value >= -tolerance;
  }
  return false;
}

Constraint withStrength(const Constraint& constraint, Strength strength) {
  return Constraint(constraint, strength);
}

Constraint operator|(const Constraint& constraint, Strength strength) {
  return withStrength(constraint, strength);
}

}  // namespace ios::layout
