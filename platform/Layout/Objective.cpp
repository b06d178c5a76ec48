#include <Layout/Objective.h>

#include <algorithm>

namespace ios::layout::detail {

Objective::Level* Objective::find(double priority) {
  for (Level& level : levels_)
    if (level.priority == priority) return &level;
  return nullptr;
}

const Objective::Level* Objective::find(double priority) const {
  return const_cast<Objective*>(this)->find(priority);
}

void Objective::retain(double priority) {
  if (Level* level = find(priority)) {
    ++level->users;
    return;
  }
  auto it = std::find_if(levels_.begin(), levels_.end(),
                         [&](const Level& level) { return level.priority < priority; });
  levels_.insert(it, Level{priority, 1, Row()});
}

void Objective::release(double priority) {
  auto it = std::find_if(levels_.begin(), levels_.end(),
                         [&](const Level& level) { return level.priority == priority; });
  if (it != levels_.end() && --it->users == 0) levels_.erase(it);
}

void Objective::add(double priority, Symbol symbol, double coefficient) {
  if (Level* level = find(priority)) level->row.insert(symbol, coefficient);
}

void Objective::add(double priority, const Row& row, double coefficient) {
  if (Level* level = find(priority)) level->row.insert(row, coefficient);
}

void Objective::substitute(Symbol symbol, const Row& row) {
  for (Level& level : levels_) level.row.substitute(symbol, row);
}

void Objective::shift(Symbol symbol, double amount) {
  for (Level& level : levels_) level.row.addConstant(level.row.coefficientFor(symbol) * amount);
}

void Objective::remove(Symbol symbol) {
  for (Level& level : levels_) level.row.remove(symbol);
}

double Objective::valueAt(double priority) const {
  const Level* level = find(priority);
  return level ? level->row.constant() : 0.0;
}

bool Objective::isZeroAbove(std::size_t level, Symbol symbol) const {
  for (std::size_t above = 0; above < level; ++above)
    if (!nearZero(levels_[above].row.coefficientFor(symbol))) return false;
  return true;
}

Symbol Objective::enteringSymbol() const {
  Symbol best;
  for (std::size_t index = 0; index < levels_.size(); ++index) {
    // Cells are sorted by id: past the best so far, nothing in this level can beat it.
    for (const Cell& cell : levels_[index].row.cells()) {
      if (best.isValid() && cell.symbol.id >= best.id) break;
      if (cell.coefficient > -kEpsilon || !cell.symbol.isPivotable()) continue;
      if (isZeroAbove(index, cell.symbol)) {
        best = cell.symbol;
        break;
      }
    }
  }
  return best;
}

int Objective::compareRatios(Symbol a, double aDivisor, Symbol b, double bDivisor) const {
  for (const Level& level : levels_) {
    const double ratioA = level.row.coefficientFor(a) / aDivisor;
    const double ratioB = level.row.coefficientFor(b) / bDivisor;
    if (ratioA < ratioB - kEpsilon) return -1;
    if (ratioA > ratioB + kEpsilon) return 1;
  }
  return 0;
}

}  // namespace ios::layout::detail
