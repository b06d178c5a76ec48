#pragma once

#include <Layout/Objective.h>
#include <Layout/Row.h>
#include <Layout/Symbol.h>

#include <unordered_map>
#include <vector>

namespace ios::layout::detail {

// The simplex tableau in basic form (the Cassowary algorithm of Badros, Borning and Stuckey): every row reads
// `basic = constant + sum(coefficient * nonbasic)`, and the current solution sets every nonbasic symbol to
// zero. It is primal feasible when every restricted basic symbol has a non-negative constant and every dummy
// basic symbol a zero constant.
//
// Invariants the algorithms rely on:
//  - restricted rows never mention external symbols: a row is only solved for a restricted symbol
//    when it has no external one, and externals never enter the basis by pivoting;
//  - basic dummy rows mention only dummies, with a zero constant (they record redundant required
//    equalities), unless a constant change just broke that, which dualOptimize then reports.
// Pivot choices follow Bland's rule (lowest id first) so that degenerate layouts cannot cycle.
//
// The tableau knows nothing of constraints; Solver maps constraints onto rows and markers.
class Tableau {
 public:
  const Row* find(Symbol basic) const;
  bool isBasic(Symbol symbol) const { return rows_.count(symbol) != 0; }
  // Adds the row of `basic`, which must not be basic yet.
  void insert(Symbol basic, Row row);
  // Removes and returns the row of `basic`, which must exist.
  Row take(Symbol basic);

  Objective& objective() { return objective_; }
  const Objective& objective() const { return objective_; }

  // Replaces `symbol` by `row` in every row and objective, noting rows that become infeasible.
  void substitute(Symbol symbol, const Row& row);
  // Makes `entering` basic in place of `leaving`.
  void pivot(Symbol leaving, Symbol entering);
  // Replaces `symbol` by `symbol + amount` everywhere: the tableau form of moving a constraint's
  // constant. Feasibility is restored by dualOptimize.
  void shift(Symbol symbol, double amount);
  void removeColumn(Symbol symbol);
  // Drops `marker` and the one equation it takes part in: if it is nonbasic it first enters the basis
  // through a row chosen so that the others stay feasible. Afterwards the tableau describes the system
  // without that equation.
  void removeMarker(Symbol marker);
  // Notes every infeasible row for the next dualOptimize.
  void collectInfeasible();

  // Primal simplex on `objective` (this tableau's own or a temporary one). Returns false when the
  // objective is unbounded below.
  bool optimize(Objective& objective);
  // Dual simplex over the rows noted infeasible since the last call. Returns false when no pivot can
  // make them feasible (the system has no solution); the tableau is still a valid rewrite of the same
  // system then, only not feasible.
  bool dualOptimize();

  // Adds `row` (read as `0 = row`) through an artificial variable, for rows with no symbol that can
  // be solved for directly. Returns false, leaving the tableau an equivalent rewrite of what it was,
  // when the row cannot be made to hold. `nextId` provides the artificial symbol's id.
  bool addWithArtificialVariable(const Row& row, std::uint32_t artificialId);

  // The least value of `external` (which must be basic) over all optimal solutions when `direction`
  // is 1, the greatest when it is -1, found by a lowest-level probe objective. False when unbounded.
  bool extremum(Symbol external, double direction, double& value);

 private:
  Row* findMutable(Symbol basic);
  const std::vector<Symbol>* rowsContaining(Symbol symbol) const;
  void link(Symbol basic, const Row& row);
  void unlink(Symbol column, Symbol basic);
  bool isInfeasible(Symbol basic, const Row& row) const;
  Symbol leavingSymbol(Symbol entering) const;
  Symbol markerLeavingSymbol(Symbol marker) const;
  Symbol dualEnteringSymbol(const Row& row, double wanted) const;

  std::unordered_map<Symbol, Row, SymbolHash> rows_;
  // For every symbol, the basic symbols of exactly the rows that mention it, so that substitutions
  // and ratio tests visit those rows instead of the whole tableau.
  std::unordered_map<Symbol, std::vector<Symbol>, SymbolHash> columns_;
  Objective objective_;
  Objective* artificial_ = nullptr;
  std::vector<Symbol> infeasible_;
};

}  // namespace ios::layout::detail
