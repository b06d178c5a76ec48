#pragma once

#include <Foundation/Data.h>

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>

namespace ios {

// Image bytes by key, one file per key in `directory`, named by the SHA-256 of the key. Files are
// written atomically (a temporary file renamed into place), so a reader (in this process or
// another, sharing the directory) sees a whole file or none. Reading a file marks it as recently
// used.
//
// Bounded by age and size: files older than `maxAge` go, then, while the total exceeds `maxSize`,
// the least recently used go until it is under half of it, as the library trims. A write trims when
// it may have crossed a bound: the cache keeps the total and the oldest file's time from its last
// look at the directory, adds what it writes, and looks again at least once a minute (another
// process may share the directory). Thread-safe; every call touches the file system, so keep it
// off the main thread.
class SDDiskCache {
 public:
  static constexpr std::size_t kDefaultMaxSize = 100 * 1024 * 1024;
  static constexpr double kDefaultMaxAge = 7 * 24 * 60 * 60;

  // The directory is made on the first write.
  explicit SDDiskCache(std::string directory);

  // 0 means no bound.
  std::size_t maxSize = kDefaultMaxSize;
  double maxAge = kDefaultMaxAge;

  std::optional<Data> data(const std::string& key);
  bool containsData(const std::string& key) const;
  // False when the file could not be written; the old one, if any, stays.
  bool setData(const Data& data, const std::string& key);
  void removeData(const std::string& key);
  void removeAllData();

  // Bytes and files in the cache now.
  std::size_t totalSize() const;
  std::size_t totalCount() const;
  // Applies the bounds now.
  void trim();

  // Where the key's bytes live.
  std::string cachePath(const std::string& key) const;

 private:
  // What the last look at the directory found, plus the bytes written since.
  struct Survey {
    std::uintmax_t size = 0;
    std::filesystem::file_time_type oldest;
    std::chrono::steady_clock::time_point taken;
  };

  void trimLocked();
  bool mayExceedBounds(std::size_t written) const;

  std::string directory_;
  std::mutex trimMutex_;
  std::optional<Survey> survey_;  // none until the first trim, and after removeAllData
};

}  // namespace ios
