#include "SolverTest.h"

namespace ios::layout {
namespace {

// Whole layouts (rows, self-sizing labels, collapsing views) are tested through Auto Layout; here,
// the ambiguity check that Auto Layout's own test only touches.
class SolverAmbiguityTest : public SolverTest {
 protected:
  Variable x{"x"}, y{"y"};
};

TEST_F(SolverAmbiguityTest, MissingPositionIsAmbiguous) {
  Variable left("left"), width("width");
  add(width == 100);
  EXPECT_FALSE(solver.isAmbiguous(width));
  EXPECT_TRUE(solver.isAmbiguous(left));
  add(left + width == 300);
  EXPECT_FALSE(solver.isAmbiguous(left));
  EXPECT_TRUE(solver.isAmbiguous(Variable("unknown")));
}

TEST_F(SolverAmbiguityTest, SharedSumLeavesBothAmbiguous) {
  add(x + y == 100);
  add(x >= 0);
  add(y >= 0);
  EXPECT_TRUE(solver.isAmbiguous(x));
  EXPECT_TRUE(solver.isAmbiguous(y));
  add((x == 30) | strength::fromPriority(1));
  EXPECT_FALSE(solver.isAmbiguous(x));
  EXPECT_FALSE(solver.isAmbiguous(y));
}

TEST_F(SolverAmbiguityTest, InequalitiesAloneDoNotDetermineAValue) {
  add(x >= 0);
  add(x <= 100);
  EXPECT_TRUE(solver.isAmbiguous(x));
  // A weak preference settles it, as content hugging settles a label's width.
  const Constraint hugging = (x == 40) | strength::weak;
  add(hugging);
  EXPECT_FALSE(solver.isAmbiguous(x));
  ASSERT_EQ(solver.removeConstraint(hugging), SolverStatus::Ok);
  EXPECT_TRUE(solver.isAmbiguous(x));
}

TEST_F(SolverAmbiguityTest, EqualPrioritiesPullingApartAreAmbiguous) {
  // Every x in [0, 10] has the same total error, so the layout is not determined.
  add((x == 0) | strength::weak);
  add((x == 10) | strength::weak);
  EXPECT_TRUE(solver.isAmbiguous(x));
  add((x == 10) | strength::weak);
  EXPECT_FALSE(solver.isAmbiguous(x));
  // The check does not disturb the solution.
  EXPECT_DOUBLE_EQ(solved(x), 10);
}

}  // namespace
}  // namespace ios::layout
