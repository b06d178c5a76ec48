#include "SolverTest.h"

#include <cmath>
#include <limits>

namespace ios::layout {
namespace {

class SolverBasicsTest : public SolverTest {
 protected:
  Variable x{"x"}, y{"y"}, z{"z"};
};

TEST_F(SolverBasicsTest, EqualitiesSolveLinearSystems) {
  add(x + y == 10);
  add(x - y == 4);
  add(2 * z == x + 3 * y - 1);
  EXPECT_DOUBLE_EQ(solved(x), 7);
  EXPECT_DOUBLE_EQ(y.value(), 3);
  EXPECT_DOUBLE_EQ(z.value(), 7.5);
}

TEST_F(SolverBasicsTest, OperatorsBuildTheExpectedExpression) {
  const Constraint constraint = x + 2 * y - 10 <= (z - x) / 2;
  EXPECT_EQ(constraint.relation(), Relation::LessThanOrEqual);
  EXPECT_TRUE(constraint.strength().isRequired());
  x.setValue(1);
  y.setValue(2);
  z.setValue(9);
  // 1 + 4 - 10 - (9 - 1) / 2 = -9
  EXPECT_DOUBLE_EQ(constraint.expression().value(), -9);
  EXPECT_EQ(((x == 1) | strength::weak).strength(), strength::weak);
}

TEST_F(SolverBasicsTest, VariablesAreHandles) {
  Variable copy = x;
  copy.setValue(42);
  EXPECT_DOUBLE_EQ(x.value(), 42);
  add(copy == 5);
  EXPECT_DOUBLE_EQ(solved(x), 5);
}

TEST_F(SolverBasicsTest, InequalitiesBoundTheSolution) {
  add(x >= 10);
  add(x <= 20);
  add((x == 100) | strength::weak);
  add(y <= x - 5);
  add((y == -50) | strength::weak);
  add(y >= -3);
  EXPECT_DOUBLE_EQ(solved(x), 20);
  EXPECT_DOUBLE_EQ(y.value(), -3);
}

TEST_F(SolverBasicsTest, UnsatisfiableRequiredConstraintIsRejectedAndTheRestStillSolves) {
  add(x >= 10);
  add(y == x + 5);
  const Constraint conflicting = x <= 5;
  EXPECT_EQ(solver.addConstraint(conflicting), SolverStatus::UnsatisfiableConstraint);
  EXPECT_FALSE(solver.hasConstraint(conflicting));
  EXPECT_EQ(solver.addConstraint(y == 3), SolverStatus::UnsatisfiableConstraint);
  add((x == 12) | strength::strong);
  EXPECT_DOUBLE_EQ(solved(x), 12);
  EXPECT_DOUBLE_EQ(y.value(), 17);
  // The rejected constraint is truly absent: removing it fails, the same handle can't sneak in.
  EXPECT_EQ(solver.removeConstraint(conflicting), SolverStatus::UnknownConstraint);
  add(x <= 11);
  EXPECT_DOUBLE_EQ(solved(x), 11);
}

TEST_F(SolverBasicsTest, UnsatisfiableThroughAnArtificialVariableKeepsTheOptimum) {
  // Both constraints are written so that no slack can be solved for directly.
  add(x + y >= 10);
  add((x == 3) | strength::medium);
  add((y == 4) | strength::weak);
  EXPECT_DOUBLE_EQ(solved(x), 3);
  EXPECT_DOUBLE_EQ(y.value(), 7);
  EXPECT_EQ(solver.addConstraint(x + y <= 8), SolverStatus::UnsatisfiableConstraint);
  EXPECT_DOUBLE_EQ(solved(x), 3);
  EXPECT_DOUBLE_EQ(y.value(), 7);
}

TEST_F(SolverBasicsTest, FailedArtificialSearchDoesNotLeaveASuboptimalSolution) {
  // Searching for a feasible point for the rejected constraint pivots the tableau away from the
  // optimum of the strong preference; the solver must return to it.
  add(-2 * x - 1 <= 0);
  add((-2 * x + 2 == 0) | strength::strong);
  EXPECT_EQ(solver.addConstraint(2 * x + 19 <= 0), SolverStatus::UnsatisfiableConstraint);
  EXPECT_DOUBLE_EQ(solved(x), 1);
}

TEST_F(SolverBasicsTest, DuplicatesAndUnknownsAreReported) {
  const Constraint constraint = x == 1;
  add(constraint);
  const Constraint copy = constraint;
  EXPECT_EQ(solver.addConstraint(copy), SolverStatus::DuplicateConstraint);
  // An equal-looking constraint is a different one and is simply redundant.
  add(x == 1);
  EXPECT_EQ(solver.removeConstraint(y == 2), SolverStatus::UnknownConstraint);
}

TEST_F(SolverBasicsTest, NonFiniteInputIsRejected) {
  EXPECT_EQ(solver.addConstraint(x == std::numeric_limits<double>::infinity()), SolverStatus::NonFiniteValue);
  EXPECT_EQ(solver.addConstraint(std::nan("") * x == 1), SolverStatus::NonFiniteValue);
  const Constraint constraint = x == 1;
  add(constraint);
  EXPECT_EQ(solver.setConstant(constraint, std::nan("")), SolverStatus::NonFiniteValue);
}

TEST_F(SolverBasicsTest, DegenerateConstraints) {
  // Zero coefficients and terms that cancel leave a constant equation.
  add(0 * x + y == 4);
  add(x - x == 0);
  EXPECT_EQ(solver.addConstraint(x - x == 5), SolverStatus::UnsatisfiableConstraint);
  EXPECT_EQ(solver.addConstraint(Expression(0.0) >= 1), SolverStatus::UnsatisfiableConstraint);
  add(Expression(0.0) <= 1);
  // A non-required impossible equation is simply violated.
  add((x - x == 5) | strength::strong);
  // Repeated variables add up.
  add(z + z + z == 9);
  // Redundant equal constraints, in both directions.
  add(x == 2);
  add(x == 2);
  add(2 * x - 4 == 0);
  add(x + y == 6);
  EXPECT_DOUBLE_EQ(solved(x), 2);
  EXPECT_DOUBLE_EQ(y.value(), 4);
  EXPECT_DOUBLE_EQ(z.value(), 3);
  EXPECT_EQ(solver.addConstraint(x + y == 7), SolverStatus::UnsatisfiableConstraint);
}

}  // namespace
}  // namespace ios::layout
