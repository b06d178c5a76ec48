#pragma once

#include <mutex>
#include <optional>
#include <string>
#include <string_view>

namespace ios {

// The few file operations the system needs, on paths. Failures return false or nullopt; nothing
// throws. Thread-safe.
class FileManager {
 public:
  static FileManager& defaultManager();

  // The app's Documents folder (`urls(for: .documentDirectory, in: .userDomainMask).first`), created
  // on demand. By default $XDG_DATA_HOME/KerbelinSDK/Documents, or ~/.local/share/KerbelinSDK/Documents
  // (both read through ProcessInfo, so a test can point them elsewhere); a host or test may set the
  // folder itself. An empty path restores the default.
  std::string documentsDirectory();
  void setDocumentsDirectory(std::string path);
  // The Caches folder, likewise: $XDG_CACHE_HOME/KerbelinSDK or ~/.cache/KerbelinSDK by default.
  std::string cachesDirectory();
  void setCachesDirectory(std::string path);

  bool fileExists(std::string_view path) const;
  bool fileExists(std::string_view path, bool& isDirectory) const;
  // Removes a file or a whole directory tree. False when nothing was there or it could not be removed.
  bool removeItem(std::string_view path) const;
  bool createDirectory(std::string_view path, bool withIntermediateDirectories = true) const;
  // Writes `contents` to a new or replaced file; the directory must exist.
  bool createFile(std::string_view path, std::string_view contents) const;
  std::optional<std::string> contents(std::string_view path) const;

 private:
  FileManager() = default;
  std::string ensureDirectory(const std::string& configured, const char* xdgVariable,
                              const char* homeFallback, const char* leaf);

  std::mutex mutex_;
  std::string documentsDirectory_;
  std::string cachesDirectory_;
};

}  // namespace ios
