#include <Foundation/FileManager.h>

#include <Foundation/ProcessInfo.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

namespace ios {

namespace fs = std::filesystem;

FileManager& FileManager::defaultManager() {
  static FileManager* manager = new FileManager;
  return *manager;
}

std::string FileManager::ensureDirectory(const std::string& configured, const char* xdgVariable,
                                         const char* homeFallback, const char* leaf) {
  fs::path directory;
  if (!configured.empty()) {
    directory = configured;
  } else {
    auto& info = ProcessInfo::processInfo();
    auto xdg = info.environmentValue(xdgVariable);
    if (xdg && !xdg->empty() && fs::path(*xdg).is_absolute()) {
      directory = fs::path(*xdg) / "KerbelinSDK";
    } else {
      auto home = info.environmentValue("HOME");
      fs::path base = home && !home->empty() ? fs::path(*home) : fs::temp_directory_path();
      directory = base / homeFallback / "KerbelinSDK";
    }
    if (*leaf) directory /= leaf;
  }
  std::error_code error;
  fs::create_directories(directory, error);
  return directory.lexically_normal().string();
}

std::string FileManager::documentsDirectory() {
  std::string configured;
  {
    std::lock_guard lock(mutex_);
    configured = documentsDirectory_;
  }
  return ensureDirectory(configured, "XDG_DATA_HOME", ".local/share", "Documents");
}

void FileManager::setDocumentsDirectory(std::string path) {
  std::lock_guard lock(mutex_);
  documentsDirectory_ = std::move(path);
}

std::string FileManager::cachesDirectory() {
  std::string configured;
  {
    std::lock_guard lock(mutex_);
    configured = cachesDirectory_;
  }
  return ensureDirectory(configured, "XDG_CACHE_HOME", ".cache", "");
}

void FileManager::setCachesDirectory(std::string path) {
  std::lock_guard lock(mutex_);
  cachesDirectory_ = std::move(path);
}

bool FileManager::fileExists(std::string_view path) const {
  bool isDirectory = false;
  return fileExists(path, isDirectory);
}

bool FileManager::fileExists(std::string_view path, bool& isDirectory) const {
  std::error_code error;
  auto status = fs::status(fs::path(path), error);
  if (error || !fs::exists(status)) return false;
  isDirectory = fs::is_directory(status);
  return true;
}

bool FileManager::removeItem(std::string_view path) const {
  std::error_code error;
  auto removed = fs::remove_all(fs::path(path), error);
  return !error && removed > 0;
}

bool FileManager::createDirectory(std::string_view path, bool withIntermediateDirectories) const {
  std::error_code error;
  if (withIntermediateDirectories) {
    fs::create_directories(fs::path(path), error);
  } else {
    fs::create_directory(fs::path(path), error);
  }
  return !error && fs::is_directory(fs::path(path), error);
}

bool FileManager::createFile(std::string_view path, std::string_view contents) const {
  std::ofstream out(fs::path(path), std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
  out.close();
  return !out.fail();
}

std::optional<std::string> FileManager::contents(std::string_view path) const {
  std::error_code error;
  if (!fs::is_regular_file(fs::path(path), error)) return std::nullopt;
  std::ifstream in(fs::path(path), std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream bytes;
  bytes << in.rdbuf();
  if (in.bad()) return std::nullopt;
  return std::move(bytes).str();
}

}  // namespace ios
