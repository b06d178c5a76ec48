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
  trim();
  return true;
}

void SDDiskCache::removeData(const std::string& key) {
  std::error_code ignored;
  fs::remove(cachePath(key), ignored);
}

void SDDiskCache::removeAllData() {
  std::lock_guard lock(trimMutex_);
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

void SDDiskCache::trim() {
  std::lock_guard lock(trimMutex_);
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
  if (maxSize == 0) return;
  std::uintmax_t total = 0;
  for (const auto& file : files) total += file.size;
  if (total <= maxSize) return;
  std::sort(files.begin(), files.end(),
            [](const CacheFile& a, const CacheFile& b) { return a.modified < b.modified; });
  for (const auto& file : files) {
    if (total <= maxSize / 2) break;
    fs::remove(file.path, ignored);
    total -= file.size;
  }
}

}  // namespace ios
