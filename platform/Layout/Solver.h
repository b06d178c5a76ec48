#pragma once

#include <Layout/Constraint.h>
#include <Layout/SolverStatus.h>
#include <Layout/Strength.h>
#include <Layout/Variable.h>

#include <memory>

namespace ios::layout {

namespace detail {
class SolverState;
}

// An incremental Cassowary solver: a simplex tableau kept optimal as constraints come and go.
// Required constraints hold exactly; the others are met as well as possible, higher priorities
// strictly first (see Strength). Requests never throw: each returns a status, and a failed request
// leaves the solver as it was.
//
// Results reach the variables only through updateVariables(). A moved-from solver may only be
// destroyed or assigned to.
class Solver {
 public:
  Solver();
  ~Solver();
  Solver(Solver&&) noexcept;
  Solver& operator=(Solver&&) noexcept;
  Solver(const Solver&) = delete;
  Solver& operator=(const Solver&) = delete;

  // UnsatisfiableConstraint when a required constraint cannot hold with the required ones already
  // present (the constraint is then not added); DuplicateConstraint when it is already here.
  SolverStatus addConstraint(const Constraint& constraint);
  // UnknownConstraint when it is not here. The solution returns to what the remaining constraints
  // give.
  SolverStatus removeConstraint(const Constraint& constraint);
  bool hasConstraint(const Constraint& constraint) const;

  // Changes the constant of `constraint`'s expression (as built: `x == y + 8` is `x - y - 8 == 0`, so
  // its constant is -8) inside this solver and re-solves incrementally with the dual simplex. This is
  // the way to follow a changed layout constant: it keeps the constraint's strength and identity and
  // measures several times faster than removing and re-adding it (bench/Layout). The Constraint
  // handle itself is immutable and keeps its original constant.
  // UnsatisfiableConstraint when a required constraint cannot take the new constant; the old one
  // then stays.
  SolverStatus setConstant(const Constraint& constraint, double constant);

  // An edit variable is held at suggested values with a non-required strength. It starts at the
  // variable's current value().
  SolverStatus addEditVariable(const Variable& variable, Strength strength);
  SolverStatus removeEditVariable(const Variable& variable);
  bool hasEditVariable(const Variable& variable) const;
  // Incremental re-solve (dual simplex, no rebuild). UnknownEditVariable unless added first.
  SolverStatus suggestValue(const Variable& variable, double value);

  // Writes the solution into every variable the solver knows.
  void updateVariables();

  // Whether the constraints leave `variable` undetermined: whether two solutions that are both
  // optimal for every priority give it different values (UIKit's ambiguous layout). Constraints of
  // every priority count, so a width held only by a priority-250 hugging constraint is determined,
  // while a view with a width but no position is not. Unknown variables are ambiguous. The check
  // minimises and maximises the variable below the lowest priority on a copy of the tableau, so it
  // costs two small solves: meant for tests and debugging, not for every layout pass. Limits: values
  // within 1e-6 (relative, at least 1e-6 absolute) count as equal, so a variable that can only move
  // by less is reported determined; and "optimal" is judged with the solver's own tolerances.
  bool isAmbiguous(const Variable& variable) const;

 private:
  std::unique_ptr<detail::SolverState> state_;
};

}  // namespace ios::layout
