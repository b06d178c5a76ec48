#pragma once

#include <Layout/Expression.h>
#include <Layout/Strength.h>

#include <cstddef>
#include <functional>
#include <memory>

namespace ios::layout {

enum class Relation { LessThanOrEqual, Equal, GreaterThanOrEqual };

// `expression <relation> 0` with a strength. Immutable and shared: copies are the same constraint, and
// a solver knows a constraint by this identity (adding a copy is a duplicate; an equal-looking
// constraint built separately is a different one). Build with the operators in Operators.h:
// `x + w == 100`, `(x >= 0) | strength::weak` (parenthesised: `==` binds tighter than `|`, and
// compilers warn about the bare form).
class Constraint {
 public:
  Constraint(Expression expression, Relation relation, Strength strength = strength::required);
  // The same equation under another strength: a new, distinct constraint.
  Constraint(const Constraint& other, Strength strength);

  const Expression& expression() const { return data_->expression; }
  Relation relation() const { return data_->relation; }
  Strength strength() const { return data_->strength; }

  friend bool operator==(const Constraint& a, const Constraint& b) { return a.data_ == b.data_; }
  const void* identity() const { return data_.get(); }

 private:
  struct Data {
    Expression expression;
    Relation relation;
    Strength strength;
  };
  std::shared_ptr<const Data> data_;
};

Constraint withStrength(const Constraint& constraint, Strength strength);
Constraint operator|(const Constraint& constraint, Strength strength);

}  // namespace ios::layout

template <>
struct std::hash<::ios::layout::Constraint> {
  std::size_t operator()(const ::ios::layout::Constraint& constraint) const noexcept {
    return std::hash<const void*>()(constraint.identity());
  }
};
