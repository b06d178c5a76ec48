#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include <nlohmann/json.hpp>

namespace kerbelin::backend {

// The items [first, last) of page `pageIndex` (counted from 1; 0 is read as the first page too,
// since some screens count from 0) of `pageSize` items, out of `count`.
struct PageBounds {
  size_t first;
  size_t last;
};
inline PageBounds pageBounds(size_t count, int64_t pageIndex, int64_t pageSize) {
  const int64_t first = (pageIndex <= 1 ? 0 : pageIndex - 1) * pageSize;
  if (first >= int64_t(count)) return {count, count};
  return {size_t(first), size_t(std::min<int64_t>(first + pageSize, int64_t(count)))};
}

// Page `pageIndex` of `pageSize` items, each made by `make`: only the page's items are made.
template <class Item, class Make>
nlohmann::json pageOf(const std::vector<Item>& items, int64_t pageIndex, int64_t pageSize, Make make) {
  const PageBounds bounds = pageBounds(items.size(), pageIndex, pageSize);
  nlohmann::json page = nlohmann::json::array();
  for (size_t i = bounds.first; i < bounds.last; ++i) page.push_back(make(items[i]));
  return page;
}

inline nlohmann::json pageOf(const std::vector<nlohmann::json>& items, int64_t pageIndex, int64_t pageSize) {
  return pageOf(items, pageIndex, pageSize, [](const nlohmann::json& item) { return item; });
}

}  // namespace kerbelin::backend
