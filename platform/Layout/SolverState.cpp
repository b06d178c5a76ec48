#include <Layout/SolverState.h>

#include <algorithm>
#include <cmath>

namespace ios::layout::detail {

namespace {

bool isFinite(const Expression& expression) {
  if (!std::isfinite(expression.constant)) return false;
  return std::all_of(expression.terms.begin(), expression.terms.end(),
                     [](const Term& term) { return std::isfinite(term.coefficient); });
}

bool isRequired(const Constraint& constraint) {
  return constraint.strength().isRequired();
}

bool hasOnlyDummies(const Row& row) {
  return std::all_of(row.cells().begin(), row.cells().end(),
                     [](const Cell& cell) { return cell.symbol.kind == SymbolKind::Dummy; });
}

// Two optimal values closer than this are the same layout value.
double ambiguityTolerance(double low, double high) {
  return 1.0e-6 * std::max({1.0, std::fabs(low), std::fabs(high)});
}

}  // namespace

// Variables -----------------------------------------------------------------------------------------

Symbol SolverState::retainVariable(const Variable& variable) {
  auto it = variables_.find(variable.identity());
  if (it == variables_.end())
    it = variables_.emplace(variable.identity(), VariableRecord{variable, newSymbol(SymbolKind::External), 0})
             .first;
  ++it->second.users;
  return it->second.symbol;
}

void SolverState::releaseVariables(const Expression& expression) {
  for (const Term& term : expression.terms) {
    if (nearZero(term.coefficient)) continue;
    auto it = variables_.find(term.variable.identity());
    if (it == variables_.end() || --it->second.users > 0) continue;
    // No constraint mentions the variable any more, so nothing couples it to the rest: dropping its
    // row or column loses nothing.
    const Symbol symbol = it->second.symbol;
    if (tableau_.isBasic(symbol))
      tableau_.take(symbol);
    else
      tableau_.removeColumn(symbol);
    variables_.erase(it);
  }
}

// Constraints ---------------------------------------------------------------------------------------

SolverState::ConstraintRecord SolverState::makeRecord(const Constraint& constraint) {
  ConstraintRecord record{constraint, {}, {}, 1.0, constraint.expression().constant};
  const bool required = isRequired(constraint);
  switch (constraint.relation()) {
    case Relation::LessThanOrEqual:
    case Relation::GreaterThanOrEqual:
      // expression + sign * slack (- sign * error) = 0 with slack, error >= 0
      record.markerSign = constraint.relation() == Relation::LessThanOrEqual ? 1.0 : -1.0;
      record.marker = newSymbol(SymbolKind::Slack);
      if (!required) record.other = newSymbol(SymbolKind::Error);
      break;
    case Relation::Equal:
      if (required) {
        record.marker = newSymbol(SymbolKind::Dummy);  // expression + dummy = 0, dummy pinned at 0
      } else {
        // expression - plus + minus = 0: the error is split into its two signs
        record.markerSign = -1.0;
        record.marker = newSymbol(SymbolKind::Error);
        record.other = newSymbol(SymbolKind::Error);
      }
      break;
  }
  return record;
}

Row SolverState::createRow(const ConstraintRecord& record) {
  Row row(record.constant);
  for (const Term& term : record.constraint.expression().terms) {
    if (nearZero(term.coefficient)) continue;
    const Symbol symbol = retainVariable(term.variable);
    if (const Row* basic = tableau_.find(symbol))
      row.insert(*basic, term.coefficient);
    else
      row.insert(symbol, term.coefficient);
  }
  row.insert(record.marker, record.markerSign);
  if (record.other.isValid()) row.insert(record.other, -record.markerSign);
  return row;
}

void SolverState::changeErrorWeights(const ConstraintRecord& record, double sign) {
  const double priority = record.constraint.strength().priority;
  for (Symbol symbol : {record.marker, record.other}) {
    if (symbol.kind != SymbolKind::Error) continue;
    if (const Row* row = tableau_.find(symbol))
      tableau_.objective().add(priority, *row, sign);
    else
      tableau_.objective().add(priority, symbol, sign);
  }
}

Symbol SolverState::chooseSubject(const Row& row, const ConstraintRecord& record) {
  // An unrestricted variable can take whatever value the row needs; a fresh marker or error symbol
  // with a negative coefficient can too, because the row's constant is non-negative here.
  for (const Cell& cell : row.cells())
    if (cell.symbol.kind == SymbolKind::External) return cell.symbol;
  for (Symbol symbol : {record.marker, record.other})
    if (symbol.isPivotable() && row.coefficientFor(symbol) < 0.0) return symbol;
  return {};
}

bool SolverState::insertRow(Row row, const ConstraintRecord& record) {
  if (row.constant() < 0.0) row.scale(-1.0);
  Symbol subject = chooseSubject(row, record);
  if (!subject.isValid() && hasOnlyDummies(row)) {
    // Only required equalities are involved: the new one is either redundant or contradicts them.
    if (!nearZero(row.constant())) return false;
    subject = record.marker;
  }
  if (!subject.isValid()) {
    if (tableau_.addWithArtificialVariable(row, newSymbol(SymbolKind::Slack).id)) return true;
    tableau_.optimize(tableau_.objective());
    return false;
  }
  row.solveFor(subject);
  tableau_.substitute(subject, row);
  tableau_.insert(subject, std::move(row));
  return true;
}

SolverStatus SolverState::addConstraint(const Constraint& constraint) {
  if (constraints_.count(constraint.identity())) return SolverStatus::DuplicateConstraint;
  if (!isFinite(constraint.expression())) return SolverStatus::NonFiniteValue;
  ConstraintRecord record = makeRecord(constraint);
  Row row = createRow(record);
  if (!isRequired(constraint)) {
    tableau_.objective().retain(constraint.strength().priority);
    changeErrorWeights(record, 1.0);
  }
  if (!insertRow(std::move(row), record)) {
    releaseVariables(constraint.expression());
    return SolverStatus::UnsatisfiableConstraint;
  }
  constraints_.emplace(constraint.identity(), std::move(record));
  tableau_.optimize(tableau_.objective());
  return SolverStatus::Ok;
}

SolverStatus SolverState::removeConstraint(const Constraint& constraint) {
  auto it = constraints_.find(constraint.identity());
  if (it == constraints_.end()) return SolverStatus::UnknownConstraint;
  const ConstraintRecord record = std::move(it->second);
  constraints_.erase(it);
  const bool required = isRequired(constraint);
  if (!required) changeErrorWeights(record, -1.0);
  tableau_.removeMarker(record.marker);
  // With its marker gone the other error symbol is coupled to nothing; drop it to keep the tableau
  // from filling up with dead columns.
  if (record.other.isValid()) {
    if (tableau_.isBasic(record.other))
      tableau_.take(record.other);
    else
      tableau_.removeColumn(record.other);
  }
  if (!required) tableau_.objective().release(constraint.strength().priority);
  releaseVariables(constraint.expression());
  tableau_.optimize(tableau_.objective());
  return SolverStatus::Ok;
}

bool SolverState::hasConstraint(const Constraint& constraint) const {
  return constraints_.count(constraint.identity()) != 0;
}

bool SolverState::moveConstant(ConstraintRecord& record, double constant) {
  const double shift = (constant - record.constant) * record.markerSign;
  if (shift == 0.0) return true;
  tableau_.shift(record.marker, shift);
  if (tableau_.dualOptimize()) {
    record.constant = constant;
    return true;
  }
  // The dual simplex kept the tableau dual feasible, so after moving back it finds the old optimum.
  tableau_.shift(record.marker, -shift);
  tableau_.collectInfeasible();
  tableau_.dualOptimize();
  return false;
}

SolverStatus SolverState::setConstant(const Constraint& constraint, double constant) {
  auto it = constraints_.find(constraint.identity());
  if (it == constraints_.end()) return SolverStatus::UnknownConstraint;
  if (!std::isfinite(constant)) return SolverStatus::NonFiniteValue;
  return moveConstant(it->second, constant) ? SolverStatus::Ok : SolverStatus::UnsatisfiableConstraint;
}

// Edits ---------------------------------------------------------------------------------------------

SolverStatus SolverState::addEditVariable(const Variable& variable, Strength strength) {
  if (edits_.count(variable.identity())) return SolverStatus::DuplicateEditVariable;
  if (strength.isRequired()) return SolverStatus::BadRequiredStrength;
  if (!std::isfinite(variable.value())) return SolverStatus::NonFiniteValue;
  Constraint constraint(Expression({Term{variable, 1.0}}, -variable.value()), Relation::Equal, strength);
  const SolverStatus status = addConstraint(constraint);
  if (status == SolverStatus::Ok) edits_.emplace(variable.identity(), EditRecord{constraint});
  return status;
}

SolverStatus SolverState::removeEditVariable(const Variable& variable) {
  auto it = edits_.find(variable.identity());
  if (it == edits_.end()) return SolverStatus::UnknownEditVariable;
  const Constraint constraint = it->second.constraint;
  edits_.erase(it);
  return removeConstraint(constraint);
}

bool SolverState::hasEditVariable(const Variable& variable) const {
  return edits_.count(variable.identity()) != 0;
}

SolverStatus SolverState::suggestValue(const Variable& variable, double value) {
  auto it = edits_.find(variable.identity());
  if (it == edits_.end()) return SolverStatus::UnknownEditVariable;
  if (!std::isfinite(value)) return SolverStatus::NonFiniteValue;
  ConstraintRecord& record = constraints_.at(it->second.constraint.identity());
  // The edit constraint reads `variable - value == 0`.
  return moveConstant(record, -value) ? SolverStatus::Ok : SolverStatus::UnsatisfiableConstraint;
}

// Results -------------------------------------------------------------------------------------------

void SolverState::updateVariables() {
  for (auto& [identity, record] : variables_) {
    const Row* row = tableau_.find(record.symbol);
    record.variable.setValue(row ? row->constant() + 0.0 : 0.0);
  }
}

bool SolverState::isAmbiguous(const Variable& variable) const {
  auto it = variables_.find(variable.identity());
  if (it == variables_.end()) return true;
  const Symbol symbol = it->second.symbol;
  const Row* row = tableau_.find(symbol);
  // A nonbasic variable, or one that follows a nonbasic variable, is free: no restricted row
  // mentions variables, so nothing stops it from moving.
  if (!row) return true;
  for (const Cell& cell : row->cells())
    if (cell.symbol.kind == SymbolKind::External) return true;
  Tableau probe = tableau_;
  double low = 0.0;
  double high = 0.0;
  if (!probe.extremum(symbol, 1.0, low) || !probe.extremum(symbol, -1.0, high)) return true;
  return high - low > ambiguityTolerance(low, high);
}

}  // namespace ios::layout::detail
