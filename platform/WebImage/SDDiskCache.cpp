#include <Foundation/FileManager.h>
#include <WebImage/SDDiskCache.h>
#include <WebImage/Sha256.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <system_error>
#include <vector>

namespace ios {
namespace {

namespace fs = std::filesystem;

// Cache files are named by 64 hex digits; anything else in the directory is a temporary file of
// a write (complete or abandoned by a process that died).
bool isCacheFileName(const std::string& name) {
  return name.size() == 64 && std::all_of(name.begin(), name.end(), [](char c) {
           return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
         });
}

struct CacheFile {
  fs::path path;
  std::uintmax_t size;
  fs::file_time_type modified;
};

std::vector<CacheFile> listFiles(const std::string& directory,
                                 std::vector<CacheFile>* temporaries = nullptr) {
  std::vector<CacheFile> files;
  std::error_code error;
  for (fs::directory_iterator it(directory, error), end; !error && it != end; it.increment(error)) {
    std::error_code fileError;
    if (!it->is_regular_file(fileError)) continue;
    CacheFile file{it->path(), it->file_size(fileError), it->last_write_time(fileError)};
    if (fileError) continue;  // removed meanwhile, by another process perhaps
    if (isCacheFileName(file.path.filename().string())) {
      files.push_back(std::move(file));
    } else if (temporaries) {
      temporaries->push_back(std::move(file));
    }
  }
  return files;
}

}  // namespace

SDDiskCache::SDDiskCache(std::string directory) : directory_(std::move(directory)) {}

std::string SDDiskCache::cachePath(const std::string& key) const {
  return (fs::path(directory_) / sha256Hex(key)).string();
}

std::optional<Data> SDDiskCache::data(const std::string& key) {
  const auto path = cachePath(key);
  auto bytes = Data::contentsOfFile(path);
  if (bytes) {
    std::error_code ignored;
    fs::last_write_time(path, fs::file_time_type::clock::now(), ignored);
  }
  return bytes;
}

bool SDDiskCache::containsData(const std::string& key) const {
  return FileManager::defaultManager().fileExists(cachePath(key));
}

bool SDDiskCache::setData(const Data& data, const std::string& key) {
  if (!FileManager::defaultManager().createDirectory(directory_)) return false;
  if (!data.write(cachePath(key))) return false;
  std::lock_guard lock(trimMutex_);
  if (mayExceedBounds(data.count())) {
    trimLocked();
  } else {
    survey_->size += data.count();
  }
  return true;
}

void SDDiskCache::removeData(const std::string& key) {
  std::error_code ignored;
  fs::remove(cachePath(key), ignored);
}

void SDDiskCache::removeAllData() {
  std::lock_guard lock(trimMutex_);
  survey_.reset();
  for (const auto& file : listFiles(directory_)) {
    std::error_code ignored;
    fs::remove(file.path, ignored);
  }
}

std::size_t SDDiskCache::totalSize() const {
  std::size_t total = 0;
  for (const auto& file : listFiles(directory_)) total += file.size;
  return total;
}

std::size_t SDDiskCache::totalCount() const {
  return listFiles(directory_).size();
}

// Listing and stat-ing every file costs in proportion to the directory, so a write does it only when
// the survey is missing or stale, or when what it knows puts the cache past a bound. Rewriting a key
// counts its bytes twice; that only brings the next look sooner.
bool SDDiskCache::mayExceedBounds(std::size_t written) const {
  if (!survey_ || std::chrono::steady_clock::now() - survey_->taken > std::chrono::minutes(1)) return true;
  if (maxSize > 0 && survey_->size + written > maxSize) return true;
  const auto age = fs::file_time_type::clock::now() - survey_->oldest;
  return maxAge > 0 && age > std::chrono::duration_cast<fs::file_time_type::duration>(
                                 std::chrono::duration<double>(maxAge));
}

void SDDiskCache::trim() {
  std::lock_guard lock(trimMutex_);
  trimLocked();
}

void SDDiskCache::trimLocked() {
  std::vector<CacheFile> temporaries;
  auto files = listFiles(directory_, &temporaries);
  const auto now = fs::file_time_type::clock::now();
  std::error_code ignored;
  // A write renames its file within moments; an hour-old temporary was abandoned.
  for (const auto& file : temporaries) {
    if (now - file.modified > std::chrono::hours(1)) fs::remove(file.path, ignored);
  }
  if (maxAge > 0) {
    const auto oldest =
        now - std::chrono::duration_cast<fs::file_time_type::duration>(std::chrono::duration<double>(maxAge));
    std::erase_if(files, [&](const CacheFile& file) {
      if (file.modified >= oldest) return false;
      fs::remove(file.path, ignored);
      return true;
    });
  }
  std::uintmax_t total = 0;
  for (const auto& file : files) total += file.size;
  std::sort(files.begin(), files.end(),
            [](const CacheFile& a, const CacheFile& b) { return a.modified < b.modified; });
  auto kept = files.begin();
  if (maxSize > 0 && total > maxSize) {
    for (; kept != files.end() && total > maxSize / 2; ++kept) {
      fs::remove(kept->path, ignored);
      total -= kept->size;
    }
  }
  survey_ = Survey{total, kept == files.end() ? now : kept->modified, std::chrono::steady_clock::now()};
}

}  // namespace ios
