#pragma once

#include <Layout/Row.h>
#include <Layout/Symbol.h>

#include <vector>

namespace ios::layout::detail {

// A lexicographic objective to minimise: one linear row per priority level, compared from the highest
// level down. A symbol's reduced cost is the vector of its coefficients in those rows; it is
// "negative" when its first non-zero entry is. No finite weighting can express this ordering for any
// number of constraints, which is why the levels stay separate.
class Objective {
 public:
  // Levels are reference-counted so that they disappear with their last constraint.
  void retain(double priority);
  void release(double priority);

  // Adds `coefficient * symbol` (or `coefficient * row`) to the level, which must be retained.
  void add(double priority, Symbol symbol, double coefficient);
  void add(double priority, const Row& row, double coefficient);

  void substitute(Symbol symbol, const Row& row);
  // Replaces `symbol` by `symbol + amount` in every level.
  void shift(Symbol symbol, double amount);
  void remove(Symbol symbol);
  // The value of one level at the current basic solution.
  double valueAt(double priority) const;

  // The lowest-id restricted, non-dummy symbol whose reduced cost is negative (Bland's rule, which
  // keeps degenerate pivoting from cycling), or an invalid symbol when the objective is optimal.
  Symbol enteringSymbol() const;
  // Compares the reduced-cost ratios `cost(a) / aDivisor` and `cost(b) / bDivisor` lexicographically
  // (divisors positive): negative, zero or positive like a three-way comparison.
  int compareRatios(Symbol a, double aDivisor, Symbol b, double bDivisor) const;

 private:
  struct Level {
    double priority;
    int users;
    Row row;
  };
  Level* find(double priority);
  const Level* find(double priority) const;
  bool isZeroAbove(std::size_t level, Symbol symbol) const;

  std::vector<Level> levels_;  // highest priority first
};

}  // namespace ios::layout::detail
