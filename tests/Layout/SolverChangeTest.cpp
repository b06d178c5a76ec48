#include "SolverTest.h"

namespace ios::layout {
namespace {

class SolverChangeTest : public SolverTest {
 protected:
  Variable left{"left"}, width{"width"}, right{"right"};
};

TEST_F(SolverChangeTest, SetConstantMovesARequiredConstraint) {
  const Constraint pin = left == 10;
  add(pin);
  add(right == left + 100);
  add(right <= 500);
  ASSERT_EQ(solver.setConstant(pin, -250), SolverStatus::Ok);
  EXPECT_DOUBLE_EQ(solved(left), 250);
  EXPECT_DOUBLE_EQ(right.value(), 350);
  // 450 + 100 would break `right <= 500`: refused, and the old constant stays in force.
  EXPECT_EQ(solver.setConstant(pin, -450), SolverStatus::UnsatisfiableConstraint);
  EXPECT_DOUBLE_EQ(solved(left), 250);
  ASSERT_EQ(solver.setConstant(pin, 0), SolverStatus::Ok);
  EXPECT_DOUBLE_EQ(solved(right), 100);
  EXPECT_EQ(solver.setConstant(width == 1, 3), SolverStatus::UnknownConstraint);
}

TEST_F(SolverChangeTest, SetConstantOnInequalitiesAndWeakConstraints) {
  const Constraint floor = left >= 20;
  const Constraint preferred = (left == 5) | strength::weak;
  add(floor);
  add(preferred);
  EXPECT_DOUBLE_EQ(solved(left), 20);
  ASSERT_EQ(solver.setConstant(floor, 0), SolverStatus::Ok);  // left >= 0
  EXPECT_DOUBLE_EQ(solved(left), 5);
  ASSERT_EQ(solver.setConstant(preferred, 30), SolverStatus::Ok);  // left == -30, weakly
  EXPECT_DOUBLE_EQ(solved(left), 0);
  ASSERT_EQ(solver.setConstant(floor, 40), SolverStatus::Ok);  // left >= -40
  EXPECT_DOUBLE_EQ(solved(left), -30);
}

TEST_F(SolverChangeTest, RedundantRequiredEqualityCannotMoveAlone) {
  const Constraint first = left == 10;
  const Constraint second = left == 10;
  add(first);
  add(second);
  EXPECT_EQ(solver.setConstant(second, -20), SolverStatus::UnsatisfiableConstraint);
  EXPECT_EQ(solver.setConstant(first, -20), SolverStatus::UnsatisfiableConstraint);
  EXPECT_DOUBLE_EQ(solved(left), 10);
  ASSERT_EQ(solver.removeConstraint(first), SolverStatus::Ok);
  ASSERT_EQ(solver.setConstant(second, -20), SolverStatus::Ok);
  EXPECT_DOUBLE_EQ(solved(left), 20);
}

class SolverRemovalTest : public SolverChangeTest {};

TEST_F(SolverRemovalTest, RemovalRestoresEarlierSolutions) {
  add(left >= 0);
  add((width == 100) | strength::weak);
  add(right == left + width);
  EXPECT_DOUBLE_EQ(solved(width), 100);
  const Constraint cap = right <= 60;
  const Constraint strongWidth = (width == 30) | strength::strong;
  add(cap);
  EXPECT_DOUBLE_EQ(solved(width), 60);
  add(strongWidth);
  EXPECT_DOUBLE_EQ(solved(width), 30);
  ASSERT_EQ(solver.removeConstraint(strongWidth), SolverStatus::Ok);
  EXPECT_DOUBLE_EQ(solved(width), 60);
  ASSERT_EQ(solver.removeConstraint(cap), SolverStatus::Ok);
  EXPECT_DOUBLE_EQ(solved(width), 100);
  EXPECT_FALSE(solver.hasConstraint(cap));
  EXPECT_EQ(solver.removeConstraint(cap), SolverStatus::UnknownConstraint);
}

TEST_F(SolverRemovalTest, RemovingOneOfRedundantEqualitiesKeepsTheOther) {
  // The second equality becomes a basic dummy row; removing the first must not let it drift.
  const Constraint first = left == 10;
  add(first);
  add(left >= 5);
  add(left == 10);
  add((left == 0) | strength::weak);
  ASSERT_EQ(solver.removeConstraint(first), SolverStatus::Ok);
  EXPECT_DOUBLE_EQ(solved(left), 10);
}

TEST_F(SolverRemovalTest, RemovingEverythingLeavesAnEmptySolver) {
  std::vector<Constraint> constraints = {left == 3, width >= left,
                                         (right == width + left) | strength::medium};
  for (const Constraint& constraint : constraints) add(constraint);
  for (const Constraint& constraint : constraints)
    ASSERT_EQ(solver.removeConstraint(constraint), SolverStatus::Ok);
  // Variables no constraint mentions are forgotten; new constraints on them start afresh.
  EXPECT_TRUE(solver.isAmbiguous(left));
  add(left == 9);
  add(right == left * 2);
  EXPECT_DOUBLE_EQ(solved(right), 18);
}

}  // namespace
}  // namespace ios::layout
