#include <Layout/Constraint.h>

namespace ios::layout {

Constraint::Constraint(Expression expression, Relation relation, Strength strength)
    : data_(std::make_shared<const Data>(Data{std::move(expression), relation, strength})) {}

Constraint::Constraint(const Constraint& other, Strength strength)
    : Constraint(other.expression(), other.relation(), strength) {}

Constraint withStrength(const Constraint& constraint, Strength strength) {
  return Constraint(constraint, strength);
}

Constraint operator|(const Constraint& constraint, Strength strength) {
  return withStrength(constraint, strength);
}

}  // namespace ios::layout
