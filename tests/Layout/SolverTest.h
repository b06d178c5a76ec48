#pragma once

#include <Layout/Layout.h>

#include <gtest/gtest.h>

namespace ios::layout {

// A solver whose constraints must all be accepted unless a test asks for the status itself.
class SolverTest : public ::testing::Test {
 protected:
  void add(const Constraint& constraint) { ASSERT_EQ(solver.addConstraint(constraint), SolverStatus::Ok); }
  // Solves, then reads `variable`.
  double solved(const Variable& variable) {
    solver.updateVariables();
    return variable.value();
  }

  Solver solver;
};

}  // namespace ios::layout
