#include <Layout/Tableau.h>

#include <algorithm>
#include <limits>

namespace ios::layout::detail {

namespace {

// A safety net against cycling through floating-point noise; a healthy solve needs a few pivots per
// row.
constexpr std::size_t kPivotBudgetPerRow = 64;
constexpr std::size_t kMinimumPivotBudget = 4096;

// Below every real priority: optimising it moves nothing that any constraint cares about.
constexpr double kProbePriority = -1.0;

}  // namespace

Row* Tableau::findMutable(Symbol basic) {
  auto it = rows_.find(basic);
  return it == rows_.end() ? nullptr : &it->second;
}

const Row* Tableau::find(Symbol basic) const {
  auto it = rows_.find(basic);
  return it == rows_.end() ? nullptr : &it->second;
}

const std::vector<Symbol>* Tableau::rowsContaining(Symbol symbol) const {
  auto it = columns_.find(symbol);
  return it == columns_.end() ? nullptr : &it->second;
}

void Tableau::link(Symbol basic, const Row& row) {
  for (const Cell& cell : row.cells()) columns_[cell.symbol].push_back(basic);
}

void Tableau::unlink(Symbol column, Symbol basic) {
  auto it = columns_.find(column);
  if (it == columns_.end()) return;
  std::vector<Symbol>& basics = it->second;
  auto position = std::find(basics.begin(), basics.end(), basic);
  if (position != basics.end()) {
    *position = basics.back();
    basics.pop_back();
  }
  if (basics.empty()) columns_.erase(it);
}

void Tableau::insert(Symbol basic, Row row) {
  link(basic, row);
  rows_.emplace(basic, std::move(row));
}

Row Tableau::take(Symbol basic) {
  auto it = rows_.find(basic);
  Row row = std::move(it->second);
  rows_.erase(it);
  for (const Cell& cell : row.cells()) unlink(cell.symbol, basic);
  return row;
}

bool Tableau::isInfeasible(Symbol basic, const Row& row) const {
  if (basic.kind == SymbolKind::Dummy) return !nearZero(row.constant());
  return basic.isRestricted() && row.constant() < -kEpsilon;
}

void Tableau::substitute(Symbol symbol, const Row& row) {
  auto column = columns_.find(symbol);
  if (column != columns_.end()) {
    // After this no row mentions `symbol`.
    const std::vector<Symbol> basics = std::move(column->second);
    columns_.erase(column);
    thread_local std::vector<Symbol> gained, lost;
    for (Symbol basic : basics) {
      Row* target = findMutable(basic);
      gained.clear();
      lost.clear();
      if (!target || !target->substitute(symbol, row, gained, lost)) continue;
      for (Symbol added : gained) columns_[added].push_back(basic);
      for (Symbol removed : lost) unlink(removed, basic);
      if (isInfeasible(basic, *target)) infeasible_.push_back(basic);
    }
  }
  objective_.substitute(symbol, row);
  if (artificial_) artificial_->substitute(symbol, row);
}

void Tableau::pivot(Symbol leaving, Symbol entering) {
  Row row = take(leaving);
  row.solveFor(leaving, entering);
  substitute(entering, row);
  insert(entering, std::move(row));
}

void Tableau::shift(Symbol symbol, double amount) {
  if (Row* row = findMutable(symbol)) {
    row->addConstant(-amount);
    if (isInfeasible(symbol, *row)) infeasible_.push_back(symbol);
  } else if (const std::vector<Symbol>* basics = rowsContaining(symbol)) {
    for (Symbol basic : *basics) {
      Row& target = *findMutable(basic);
      target.addConstant(target.coefficientFor(symbol) * amount);
      if (isInfeasible(basic, target)) infeasible_.push_back(basic);
    }
  }
  objective_.shift(symbol, amount);
}

void Tableau::removeColumn(Symbol symbol) {
  auto column = columns_.find(symbol);
  if (column != columns_.end()) {
    for (Symbol basic : column->second) findMutable(basic)->remove(symbol);
    columns_.erase(column);
  }
  objective_.remove(symbol);
}

void Tableau::collectInfeasible() {
  for (const auto& [basic, row] : rows_)
    if (isInfeasible(basic, row)) infeasible_.push_back(basic);
}

Symbol Tableau::markerLeavingSymbol(Symbol marker) const {
  // In order of preference: a dummy row (its constant is zero, so the pivot moves no other constant
  // and every dummy stays at zero); the restricted row that limits the marker first when it grows;
  // the one that limits it first when it shrinks; any unrestricted row.
  Symbol dummy, growing, shrinking, unrestricted;
  double growingRatio = std::numeric_limits<double>::infinity();
  double shrinkingRatio = growingRatio;
  const std::vector<Symbol>* basics = rowsContaining(marker);
  if (!basics) return {};
  for (Symbol basic : *basics) {
    const Row& row = *find(basic);
    const double coefficient = row.coefficientFor(marker);
    if (coefficient == 0.0) continue;
    if (basic.kind == SymbolKind::Dummy) {
      if (!dummy.isValid() || basic.id < dummy.id) dummy = basic;
    } else if (basic.kind == SymbolKind::External) {
      unrestricted = basic;
    } else if (coefficient < 0.0) {
      const double ratio = -row.constant() / coefficient;
      if (ratio < growingRatio) growingRatio = ratio, growing = basic;
    } else {
      const double ratio = row.constant() / coefficient;
      if (ratio < shrinkingRatio) shrinkingRatio = ratio, shrinking = basic;
    }
  }
  for (Symbol candidate : {dummy, growing, shrinking})
    if (candidate.isValid()) return candidate;
  return unrestricted;
}

void Tableau::removeMarker(Symbol marker) {
  if (isBasic(marker)) {
    take(marker);
    return;
  }
  const Symbol leaving = markerLeavingSymbol(marker);
  if (!leaving.isValid()) {
    // Cancellation removed the marker's last trace: the equation no longer binds anything.
    objective_.remove(marker);
    return;
  }
  Row row = take(leaving);
  row.solveFor(leaving, marker);
  substitute(marker, row);
}

Symbol Tableau::leavingSymbol(Symbol entering) const {
  Symbol leaving;
  double best = std::numeric_limits<double>::infinity();
  const std::vector<Symbol>* basics = rowsContaining(entering);
  if (!basics) return leaving;
  for (Symbol basic : *basics) {
    if (!basic.isRestricted()) continue;
    const Row& row = *find(basic);
    const double coefficient = row.coefficientFor(entering);
    if (coefficient == 0.0) continue;
    double ratio;
    if (basic.kind == SymbolKind::Dummy)
      ratio = 0.0;  // a dummy must stay at zero whichever way the entering symbol pushes it
    else if (coefficient < 0.0)
      ratio = -row.constant() / coefficient;
    else
      continue;
    if (ratio < best - kEpsilon || (ratio <= best + kEpsilon && basic.id < leaving.id)) {
      best = ratio;
      leaving = basic;
    }
  }
  return leaving;
}

bool Tableau::optimize(Objective& objective) {
  const std::size_t budget = std::max(kMinimumPivotBudget, kPivotBudgetPerRow * rows_.size());
  for (std::size_t pivots = 0; pivots < budget; ++pivots) {
    const Symbol entering = objective.enteringSymbol();
    if (!entering.isValid()) return true;
    const Symbol leaving = leavingSymbol(entering);
    if (!leaving.isValid()) return false;
    pivot(leaving, entering);
  }
  return true;
}

Symbol Tableau::dualEnteringSymbol(const Row& row, double wanted) const {
  Symbol entering;
  double enteringCoefficient = 0.0;
  for (const Cell& cell : row.cells()) {
    if (!cell.symbol.isPivotable()) continue;
    const double coefficient = cell.coefficient * wanted;
    if (coefficient <= kEpsilon) continue;
    const int order = entering.isValid()
                          ? objective_.compareRatios(cell.symbol, coefficient, entering, enteringCoefficient)
                          : -1;
    if (order < 0 || (order == 0 && cell.symbol.id < entering.id)) {
      entering = cell.symbol;
      enteringCoefficient = coefficient;
    }
  }
  return entering;
}

bool Tableau::dualOptimize() {
  const std::size_t budget = std::max(kMinimumPivotBudget, kPivotBudgetPerRow * rows_.size());
  for (std::size_t pivots = 0; pivots < budget && !infeasible_.empty();) {
    const Symbol leaving = infeasible_.back();
    infeasible_.pop_back();
    const Row* row = find(leaving);
    if (!row || !isInfeasible(leaving, *row)) continue;
    // A negative basic needs a symbol that raises it; a dummy stuck above zero one that lowers it.
    const double wanted = row->constant() < 0.0 ? 1.0 : -1.0;
    const Symbol entering = dualEnteringSymbol(*row, wanted);
    if (!entering.isValid()) {
      infeasible_.clear();
      return false;
    }
    pivot(leaving, entering);
    ++pivots;
  }
  infeasible_.clear();
  return true;
}

bool Tableau::addWithArtificialVariable(const Row& row, std::uint32_t artificialId) {
  const Symbol artificial{artificialId, SymbolKind::Slack};
  insert(artificial, row);
  Objective phaseOne;
  phaseOne.retain(0.0);
  phaseOne.add(0.0, row, 1.0);
  artificial_ = &phaseOne;
  optimize(phaseOne);
  artificial_ = nullptr;
  const bool satisfiable = nearZero(phaseOne.valueAt(0.0));

  // The artificial symbol can only have left the basis by reaching zero. While it is still basic its
  // row was never a pivot row, so no other row holds a multiple of it, and dropping it restores the
  // system without the new constraint.
  if (isBasic(artificial)) {
    Row remaining = take(artificial);
    if (satisfiable && !remaining.cells().empty()) {
      Symbol entering;
      for (const Cell& cell : remaining.cells())
        if (cell.symbol.isPivotable()) {
          entering = cell.symbol;
          break;
        }
      // Only dummies left: the row is a redundancy among required equalities; a dummy may then be
      // basic because the row's constant is zero.
      if (!entering.isValid()) entering = remaining.cells().front().symbol;
      remaining.solveFor(artificial, entering);
      substitute(entering, remaining);
      insert(entering, std::move(remaining));
    }
  }
  removeColumn(artificial);
  infeasible_.clear();
  return satisfiable;
}

bool Tableau::extremum(Symbol external, double direction, double& value) {
  objective_.retain(kProbePriority);
  objective_.add(kProbePriority, *find(external), direction);
  const bool bounded = optimize(objective_);
  objective_.release(kProbePriority);
  if (bounded) value = find(external)->constant();
  return bounded;
}

}  // namespace ios::layout::detail
