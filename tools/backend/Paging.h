#pragma once

#include <cstdint>
#include <vector>

#include <nlohmann/json.hpp>

namespace kerbelin::backend {

// Page `pageIndex` (counted from 1; 0 is read as the first page too, since some
// screens count from 0) of `pageSize` items.
inline nlohmann::json pageOf(const std::vector<nlohmann::json>& items, int64_t pageIndex, int64_t pageSize) {
  const int64_t first = (pageIndex <= 1 ? 0 : pageIndex - 1) * pageSize;
  nlohmann::json page = nlohmann::json::array();
  for (int64_t i = first; i < int64_t(items.size()) && i < first + pageSize; ++i)
    page.push_back(items[size_t(i)]);
  return page;
}

}  // namespace kerbelin::backend
