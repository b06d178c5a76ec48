#pragma once

#include <Layout/Constraint.h>
#include <Layout/Expression.h>

namespace ios::layout {

// Linear arithmetic on expressions. Variables, terms and numbers convert to Expression, so
// `x + 2 * y - 10` works without further overloads; a product of two expressions is deliberately
// absent (the system is linear).
Expression operator+(Expression lhs, const Expression& rhs);
Expression operator-(Expression lhs, const Expression& rhs);
Expression operator-(Expression operand);
Expression operator*(Expression lhs, double factor);
Expression operator*(double factor, Expression rhs);
Expression operator/(Expression lhs, double divisor);

// Relations build required constraints of the form `lhs - rhs <relation> 0`.
Constraint operator==(const Expression& lhs, const Expression& rhs);
Constraint operator<=(const Expression& lhs, const Expression& rhs);
Constraint operator>=(const Expression& lhs, const Expression& rhs);

}  // namespace ios::layout
