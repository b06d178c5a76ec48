#pragma once

#include <Layout/Term.h>
#include <Layout/Variable.h>

#include <vector>

namespace ios::layout {

// `sum(terms) + constant`. The same variable may appear in several terms; the solver adds them up.
// Expressions convert implicitly from a number, a variable or a term so that the operators in
// Operators.h read like the equations they build (`x + 2 * w - 10`).
struct Expression {
  std::vector<Term> terms;
  double constant = 0.0;

  Expression() = default;
  Expression(double value) : constant(value) {}
  Expression(const Variable& variable) : terms{Term{variable, 1.0}} {}
  Expression(const Term& term) : terms{term} {}
  Expression(std::vector<Term> terms, double constant) : terms(std::move(terms)), constant(constant) {}

  // The expression evaluated with the variables' current values.
  double value() const;
};

}  // namespace ios::layout
