#pragma once

#include <compare>
#include <cstddef>
#include <functional>

namespace ios {

// A row (or collection item) in a section. Ordered section first, then row, as table and
// collection views walk them.
struct IndexPath {
  int section = 0;
  int row = 0;

  // `IndexPath(row:section:)` and `IndexPath(item:section:)`.
  static constexpr IndexPath forRow(int row, int inSection) { return IndexPath{inSection, row}; }
  static constexpr IndexPath forItem(int item, int inSection) { return IndexPath{inSection, item}; }

  // Collection views call the row an item.
  constexpr int item() const { return row; }

  friend constexpr auto operator<=>(const IndexPath&, const IndexPath&) = default;
};

}  // namespace ios

template <>
struct std::hash<::ios::IndexPath> {
  std::size_t operator()(const ::ios::IndexPath& path) const noexcept {
    const auto packed = (static_cast<unsigned long long>(static_cast<unsigned>(path.section)) << 32) |
                        static_cast<unsigned>(path.row);
    return std::hash<unsigned long long>{}(packed);
  }
};
