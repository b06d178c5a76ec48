#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

namespace ios::layout::detail {

// The kinds of tableau columns. External symbols stand for user variables and may take any sign; the
// others are restricted to be non-negative. Dummy symbols mark required equalities and are further
// pinned to zero: they never enter the basis, and a basic dummy row must keep a zero constant.
enum class SymbolKind : std::uint8_t { Invalid, External, Slack, Error, Dummy };

struct Symbol {
  std::uint32_t id = 0;
  SymbolKind kind = SymbolKind::Invalid;

  bool isValid() const { return kind != SymbolKind::Invalid; }
  bool isRestricted() const { return kind != SymbolKind::External && kind != SymbolKind::Invalid; }
  bool isPivotable() const { return kind == SymbolKind::Slack || kind == SymbolKind::Error; }

  friend bool operator==(Symbol a, Symbol b) { return a.id == b.id; }
};

struct SymbolHash {
  std::size_t operator()(Symbol symbol) const noexcept { return std::hash<std::uint32_t>()(symbol.id); }
};

}  // namespace ios::layout::detail
