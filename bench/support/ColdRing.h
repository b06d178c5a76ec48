#pragma once

// How much memory the frame floor copies round (see copyIntoColdMemorySeconds in ScrollFrames.h):
// sized from the caches of the machine it runs on, read at run time, since a ring no larger than the
// last-level cache would find its slots still cached when the copies come back to them.

#include <algorithm>
#include <cstddef>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <system_error>

namespace kerbelin::bench {

inline constexpr std::size_t kMiB = std::size_t{1} << 20;
// Without a cache size to go by: what the floor assumed before it read one, no cache above 256 MiB.
inline constexpr std::size_t kRingWithoutCacheSize = 512 * kMiB;
// Room for a good many frames however small the caches are.
inline constexpr std::size_t kSmallestRing = 64 * kMiB;
// The memory a floor may hold for the life of a benchmark, which several may run side by side: a cache
// above half of it is covered less than twice, one above it not at all (ringOverCache reads below 1).
inline constexpr std::size_t kLargestRing = 1024 * kMiB;

// A cache size as sysfs writes it ("48K", "307200K"; "M" and "G" read too), in bytes; 0 for any other
// text.
inline std::size_t cacheSizeBytes(std::string_view text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.remove_suffix(1);
  constexpr std::size_t kLargestRead = std::size_t{1} << 40;  // no cache is a terabyte: a misread
  std::size_t value = 0, digits = 0;
  for (; digits < text.size() && text[digits] >= '0' && text[digits] <= '9'; ++digits) {
    value = value * 10 + static_cast<std::size_t>(text[digits] - '0');
    if (value > kLargestRead) return 0;
  }
  const std::string_view unit = text.substr(digits);
  const int shift = unit.empty() ? 0 : unit == "K" ? 10 : unit == "M" ? 20 : unit == "G" ? 30 : -1;
  if (digits == 0 || shift < 0 || value > (kLargestRead >> shift)) return 0;
  return value << shift;
}

// Calls `visit` with each entry of `folder`; none when it cannot be read.
template <class Visit>
void forEachEntry(const std::filesystem::path& folder, Visit&& visit) {
  std::error_code error;
  for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    visit(it->path());
  }
}

// The largest cache any processor under `cpuRoot` reports in `cpuN/cache/indexM/size`, which is the
// last level's; 0 when none reads.
inline std::size_t largestCacheBytes(const std::filesystem::path& cpuRoot = "/sys/devices/system/cpu") {
  std::size_t largest = 0;
  forEachEntry(cpuRoot, [&](const std::filesystem::path& cpu) {
    const std::string name = cpu.filename().string();
    if (name.size() < 4 || name.compare(0, 3, "cpu") != 0 || name[3] < '0' || name[3] > '9') return;
    forEachEntry(cpu / "cache", [&](const std::filesystem::path& index) {
      std::ifstream file(index / "size");
      std::string text;
      if (std::getline(file, text)) largest = std::max(largest, cacheSizeBytes(text));
    });
  });
  return largest;
}

// Twice the largest cache, so that whatever the caches' replacement order, a slot has been pushed out
// by the time the copies come round to it again; within the bounds above.
inline std::size_t coldRingBytes(std::size_t largestCache) {
  if (largestCache == 0) return kRingWithoutCacheSize;
  return std::clamp(2 * largestCache, kSmallestRing, kLargestRing);
}

}  // namespace kerbelin::bench
