#pragma once

#include <Layout/Symbol.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace ios::layout::detail {

// Coefficients closer to zero than this are dropped, so that cancellation noise does not keep dead
// symbols alive in the tableau.
inline constexpr double kEpsilon = 1.0e-8;
inline bool nearZero(double value) {
  return value < kEpsilon && value > -kEpsilon;
}

struct Cell {
  Symbol symbol;
  double coefficient;
};

// The linear form `constant + sum(coefficient * symbol)`. As a tableau row it reads
// `basic = constant + ...`; while a constraint is being added it reads `0 = constant + ...`.
// Cells stay sorted by symbol id and never hold a near-zero coefficient.
class Row {
 public:
  Row() = default;
  explicit Row(double constant) : constant_(constant) {}

  double constant() const { return constant_; }
  const std::vector<Cell>& cells() const { return cells_; }
  double coefficientFor(Symbol symbol) const { return mayContain(symbol) ? find(symbol) : 0.0; }

  void addConstant(double value) { constant_ += value; }
  // Adds `coefficient * symbol`.
  void insert(Symbol symbol, double coefficient);
  // Adds `coefficient * other`, constant included.
  void insert(const Row& other, double coefficient);
  void remove(Symbol symbol) {
    if (mayContain(symbol)) erase(symbol);
  }
  void scale(double factor);

  // Reads the row as `0 = this` and rewrites it as `symbol = ...`, dropping `symbol`'s own cell.
  // The symbol must be present.
  void solveFor(Symbol symbol);
  // Reads the row as `lhs = this` and rewrites it as `rhs = ...`.
  void solveFor(Symbol lhs, Symbol rhs);
  // Replaces `symbol` by `row`; returns whether the symbol was present.
  bool substitute(Symbol symbol, const Row& row) {
    return mayContain(symbol) && replace(symbol, row, nullptr, nullptr);
  }
  // The same, also appending to `gained` and `lost` the symbols that the substitution brought into
  // the row or cancelled out of it (`symbol` itself excluded).
  bool substitute(Symbol symbol, const Row& row, std::vector<Symbol>& gained, std::vector<Symbol>& lost) {
    return mayContain(symbol) && replace(symbol, row, &gained, &lost);
  }

 private:
  std::vector<Cell>::const_iterator lowerBound(Symbol symbol) const;
  double find(Symbol symbol) const;
  void erase(Symbol symbol);
  bool replace(Symbol symbol, const Row& row, std::vector<Symbol>* gained, std::vector<Symbol>* lost);
  void merge(const Row& other, double coefficient, std::vector<Symbol>* gained, std::vector<Symbol>* lost);
  static std::uint64_t bit(Symbol symbol) { return std::uint64_t{1} << (symbol.id & 63u); }
  static std::size_t word(Symbol symbol) { return (symbol.id >> 6) & (kMaskWords - 1); }
  bool mayContain(Symbol symbol) const { return (mask_[word(symbol)] & bit(symbol)) != 0; }
  void mark(Symbol symbol) { mask_[word(symbol)] |= bit(symbol); }

  double constant_ = 0.0;
  std::vector<Cell> cells_;
  // One bit per symbol id modulo 256, set for every symbol that may be present. Tableau-wide scans ask
  // every row for one symbol, and most rows can answer from this mask without a search.
  static constexpr std::size_t kMaskWords = 4;
  std::array<std::uint64_t, kMaskWords> mask_{};
};

}  // namespace ios::layout::detail
