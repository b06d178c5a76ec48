#include "SolverTest.h"

#include <vector>

namespace ios::layout {
namespace {

class SolverPriorityTest : public SolverTest {
 protected:
  Variable x{"x"}, y{"y"};
};

TEST_F(SolverPriorityTest, RequiredBeatsStrongBeatsMediumBeatsWeak) {
  add((x == 1) | strength::weak);
  EXPECT_DOUBLE_EQ(solved(x), 1);
  add((x == 2) | strength::medium);
  EXPECT_DOUBLE_EQ(solved(x), 2);
  add((x == 3) | strength::strong);
  EXPECT_DOUBLE_EQ(solved(x), 3);
  add(x == 4);
  EXPECT_DOUBLE_EQ(solved(x), 4);
}

TEST_F(SolverPriorityTest, PriorityMapping) {
  EXPECT_TRUE(strength::fromPriority(1000).isRequired());
  EXPECT_TRUE(strength::fromPriority(5000).isRequired());
  EXPECT_FALSE(strength::fromPriority(999).isRequired());
  EXPECT_FALSE(strength::fromPriority(999.9).isRequired());
  EXPECT_EQ(strength::fromPriority(0), strength::fromPriority(1));
  EXPECT_EQ(strength::fromPriority(750), strength::strong);
  EXPECT_EQ(strength::fromPriority(250), strength::weak);
}

TEST_F(SolverPriorityTest, UIKitPrioritiesAreStrictlyOrdered) {
  const std::vector<double> ascending = {1, 2, 249, 250, 251, 500, 749, 750, 998, 999};
  for (std::size_t i = 0; i < ascending.size(); ++i) {
    add((x == 100.0 + i) | strength::fromPriority(ascending[i]));
    EXPECT_DOUBLE_EQ(solved(x), 100.0 + i) << "priority " << ascending[i];
  }
  // Adding a lower priority afterwards changes nothing.
  add((x == -1) | strength::fromPriority(998.5));
  EXPECT_DOUBLE_EQ(solved(x), 100.0 + ascending.size() - 1);
}

TEST_F(SolverPriorityTest, AnyNumberOfLowerPrioritiesNeverOutweighsAHigherOne) {
  // Weighted priorities would let these fifty overrule the single constraint one level up.
  for (int i = 0; i < 50; ++i) add((x == 0) | strength::fromPriority(1));
  add((x == 10) | strength::fromPriority(2));
  EXPECT_DOUBLE_EQ(solved(x), 10);
  // Nor do huge errors at a lower level: y is left 1e6 away from its 250 target to save 1 at 251.
  add(x <= 10);
  add((y == x) | strength::fromPriority(251));
  add((y == 1e6) | strength::fromPriority(250));
  add(y <= x + 1);
  EXPECT_DOUBLE_EQ(solved(y), 10);
  // Many weak against one strong.
  for (int i = 0; i < 100; ++i) add((y == 500 + i) | strength::weak);
  add((y == 11) | strength::strong);
  EXPECT_DOUBLE_EQ(solved(y), 11);
}

}  // namespace
}  // namespace ios::layout
