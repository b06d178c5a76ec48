#include <Foundation/Bundle.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>
#include <system_error>

namespace ios {

namespace fs = std::filesystem;

namespace {

struct BundleTable {
  static BundleTable& shared() {
    static BundleTable* table = new BundleTable;  // never destroyed: bundles are looked up during exit
    return *table;
  }
  std::mutex mutex;
  std::map<std::string, std::shared_ptr<Bundle>, std::less<>> byIdentifier;
  std::shared_ptr<Bundle> main;
};

bool isSafeName(std::string_view name) {
  if (name.empty() || name.front() == '/') return false;
  fs::path path(name);
  return std::none_of(path.begin(), path.end(), [](const fs::path& part) { return part == ".."; });
}

std::string fileName(std::string_view relative) {
  size_t slash = relative.rfind('/');
  return std::string(slash == std::string_view::npos ? relative : relative.substr(slash + 1));
}

bool hasExtension(std::string_view name, std::string_view ext) {
  if (ext.empty()) return true;
  std::string suffix = "." + std::string(ext);
  return name.size() > suffix.size() && name.substr(name.size() - suffix.size()) == suffix;
}

std::optional<std::string> readFile(const fs::path& path) {
  std::error_code error;
  if (!fs::is_regular_file(path, error)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream bytes;
  bytes << in.rdbuf();
  if (in.bad()) return std::nullopt;
  return std::move(bytes).str();
}

std::string percentDecode(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size() && std::isxdigit(static_cast<unsigned char>(text[i + 1])) &&
        std::isxdigit(static_cast<unsigned char>(text[i + 2]))) {
      out.push_back(static_cast<char>(std::stoi(std::string(text.substr(i + 1, 2)), nullptr, 16)));
      i += 2;
    } else {
      out.push_back(text[i]);
    }
  }
  return out;
}

std::string percentEncodePath(std::string_view path) {
  static const char* hex = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : path) {
    if (std::isalnum(c) ||
        std::string_view("-._~/!$&'()*+,;=:@").find(static_cast<char>(c)) != std::string_view::npos) {
      out.push_back(static_cast<char>(c));
    } else {
      out += {'%', hex[c >> 4], hex[c & 15]};
    }
  }
  return out;
}

}  // namespace

Bundle::Bundle(Passkey, std::string identifier, std::optional<fs::path> directory, ResourceMap resources)
    : bundleIdentifier(std::move(identifier)),
      directory_(std::move(directory)),
      resources_(std::move(resources)) {}

std::shared_ptr<Bundle> Bundle::create(std::string identifier, fs::path directory) {
  return std::make_shared<Bundle>(Passkey{}, std::move(identifier), std::move(directory), ResourceMap{});
}

std::shared_ptr<Bundle> Bundle::create(std::string identifier, ResourceMap resources) {
  return std::make_shared<Bundle>(Passkey{}, std::move(identifier), std::nullopt, std::move(resources));
}

std::shared_ptr<Bundle> Bundle::main() {
  auto& table = BundleTable::shared();
  std::lock_guard lock(table.mutex);
  if (!table.main) table.main = create("", ResourceMap{});
  return table.main;
}

void Bundle::setMainBundle(std::shared_ptr<Bundle> bundle) {
  auto& table = BundleTable::shared();
  std::lock_guard lock(table.mutex);
  table.main = std::move(bundle);
}

std::shared_ptr<Bundle> Bundle::withIdentifier(std::string_view identifier) {
  auto& table = BundleTable::shared();
  std::lock_guard lock(table.mutex);
  if (auto found = table.byIdentifier.find(identifier); found != table.byIdentifier.end())
    return found->second;
  if (table.main && !identifier.empty() && table.main->bundleIdentifier == identifier) return table.main;
  return nullptr;
}

void Bundle::registerBundle(std::shared_ptr<Bundle> bundle) {
  if (!bundle) return;
  auto& table = BundleTable::shared();
  std::lock_guard lock(table.mutex);
  table.byIdentifier.insert_or_assign(bundle->bundleIdentifier, std::move(bundle));
}

const std::vector<std::string>& Bundle::index() const {
  std::lock_guard lock(indexMutex_);
  if (!index_) {
    index_.emplace();
    if (directory_) {
      std::error_code error;
      for (fs::recursive_directory_iterator
               it(*directory_, fs::directory_options::skip_permission_denied, error),
           end;
           !error && it != end; it.increment(error)) {
        if (it->is_regular_file(error))
          index_->push_back(fs::relative(it->path(), *directory_, error).generic_string());
      }
    } else {
      for (const auto& [name, bytes] : resources_) index_->push_back(name);
    }
    std::sort(index_->begin(), index_->end());
  }
  return *index_;
}

std::optional<std::string> Bundle::find(std::string_view name, std::string_view ext) const {
  std::string wanted(name);
  if (!ext.empty()) wanted += "." + std::string(ext);
  if (!isSafeName(wanted)) return std::nullopt;
  if (directory_) {
    std::error_code error;
    if (fs::is_regular_file(*directory_ / wanted, error)) return wanted;
  } else if (resources_.contains(wanted)) {
    return wanted;
  }
  if (wanted.find('/') != std::string::npos) return std::nullopt;
  for (const std::string& relative : index()) {
    if (fileName(relative) == wanted) return relative;
  }
  return std::nullopt;
}

std::optional<std::string> Bundle::path(std::string_view name, std::string_view ext) const {
  if (!directory_) return std::nullopt;
  auto relative = find(name, ext);
  if (!relative) return std::nullopt;
  return (*directory_ / *relative).string();
}

std::optional<std::string> Bundle::urlForResource(std::string_view name, std::string_view ext) const {
  auto relative = find(name, ext);
  if (!relative) return std::nullopt;
  if (directory_) {
    std::error_code error;
    fs::path absolute = fs::absolute(*directory_ / *relative, error);
    return "file://" + percentEncodePath(absolute.generic_string());
  }
  return "bundle://" + percentEncodePath(bundleIdentifier) + "/" + percentEncodePath(*relative);
}

std::optional<std::string> Bundle::data(std::string_view name, std::string_view ext) const {
  auto relative = find(name, ext);
  if (!relative) return std::nullopt;
  if (directory_) return readFile(*directory_ / *relative);
  return resources_.find(*relative)->second;
}

std::vector<std::string> Bundle::resourceNames(std::string_view ext) const {
  std::vector<std::string> names;
  for (const std::string& relative : index()) {
    if (hasExtension(relative, ext)) names.push_back(relative);
  }
  return names;
}

std::optional<std::string> Bundle::contentsOfURL(std::string_view url) {
  constexpr std::string_view bundleScheme = "bundle://";
  constexpr std::string_view fileScheme = "file://";
  if (url.starts_with(bundleScheme)) {
    std::string_view rest = url.substr(bundleScheme.size());
    size_t slash = rest.find('/');
    if (slash == std::string_view::npos) return std::nullopt;
    auto bundle = withIdentifier(percentDecode(rest.substr(0, slash)));
    if (!bundle) return std::nullopt;
    return bundle->data(percentDecode(rest.substr(slash + 1)), "");
  }
  if (url.starts_with(fileScheme)) return readFile(percentDecode(url.substr(fileScheme.size())));
  if (url.find("://") != std::string_view::npos) return std::nullopt;
  return readFile(std::string(url));
}

BundleRegistration::BundleRegistration(std::string identifier, Bundle::ResourceMap resources) {
  Bundle::registerBundle(Bundle::create(std::move(identifier), std::move(resources)));
}

}  // namespace ios
