#include <Layout/Row.h>

#include <algorithm>

namespace ios::layout::detail {

std::vector<Cell>::const_iterator Row::lowerBound(Symbol symbol) const {
  return std::lower_bound(cells_.begin(), cells_.end(), symbol.id,
                          [](const Cell& cell, std::uint32_t id) { return cell.symbol.id < id; });
}

double Row::find(Symbol symbol) const {
  auto it = lowerBound(symbol);
  return it != cells_.end() && it->symbol.id == symbol.id ? it->coefficient : 0.0;
}

void Row::insert(Symbol symbol, double coefficient) {
  auto it = cells_.begin() + (lowerBound(symbol) - cells_.cbegin());
  if (it != cells_.end() && it->symbol.id == symbol.id) {
    it->coefficient += coefficient;
    if (nearZero(it->coefficient)) cells_.erase(it);
  } else if (!nearZero(coefficient)) {
    cells_.insert(it, Cell{symbol, coefficient});
    mark(symbol);
  }
}

void Row::insert(const Row& other, double coefficient) {
  merge(other, coefficient, nullptr, nullptr);
}

void Row::merge(const Row& other, double coefficient, std::vector<Symbol>* gained,
                std::vector<Symbol>* lost) {
  constant_ += coefficient * other.constant_;
  for (std::size_t i = 0; i < kMaskWords; ++i) mask_[i] |= other.mask_[i];
  // A merge of two sorted lists; the scratch buffer trades places with cells_ so that steady-state
  // pivoting allocates nothing.
  thread_local std::vector<Cell> merged;
  merged.clear();
  merged.reserve(cells_.size() + other.cells_.size());
  auto a = cells_.cbegin();
  auto b = other.cells_.cbegin();
  while (a != cells_.cend() || b != other.cells_.cend()) {
    if (b == other.cells_.cend() || (a != cells_.cend() && a->symbol.id < b->symbol.id)) {
      merged.push_back(*a++);
      continue;
    }
    double value = coefficient * b->coefficient;
    const Symbol symbol = b->symbol;
    const bool present = a != cells_.cend() && a->symbol.id == b->symbol.id;
    if (present) value += (a++)->coefficient;
    ++b;
    if (!nearZero(value)) {
      merged.push_back(Cell{symbol, value});
      if (!present && gained) gained->push_back(symbol);
    } else if (present && lost) {
      lost->push_back(symbol);
    }
  }
  cells_.swap(merged);
}

void Row::erase(Symbol symbol) {
  auto it = lowerBound(symbol);
  if (it != cells_.cend() && it->symbol.id == symbol.id) cells_.erase(it);
}

void Row::scale(double factor) {
  constant_ *= factor;
  for (Cell& cell : cells_) cell.coefficient *= factor;
}

void Row::solveFor(Symbol symbol) {
  const double coefficient = coefficientFor(symbol);
  remove(symbol);
  scale(-1.0 / coefficient);
}

void Row::solveFor(Symbol lhs, Symbol rhs) {
  insert(lhs, -1.0);
  solveFor(rhs);
}

bool Row::replace(Symbol symbol, const Row& row, std::vector<Symbol>* gained, std::vector<Symbol>* lost) {
  auto it = lowerBound(symbol);
  if (it == cells_.cend() || it->symbol.id != symbol.id) return false;
  const double coefficient = it->coefficient;
  cells_.erase(it);
  merge(row, coefficient, gained, lost);
  return true;
}

}  // namespace ios::layout::detail
