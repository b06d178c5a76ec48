#include <UIKit/Nib/NibEnumNames.h>

#include <UIKit/UIView.h>

namespace ios {

namespace {

struct Tables {
  std::mutex mutex;
  std::map<std::pair<std::string, std::string>, NibEnumNames::Names, std::less<>> byClassAndKey;
};

Tables& tables() {
  static Tables instance;
  return instance;
}

// The platform's own view keys that hold enumerations.
const NibEnumNames::Table kContentMode(
    "UIView", "contentMode",
    {{"scaleToFill", static_cast<long long>(UIViewContentMode::scaleToFill)},
     {"scaleAspectFit", static_cast<long long>(UIViewContentMode::scaleAspectFit)},
     {"scaleAspectFill", static_cast<long long>(UIViewContentMode::scaleAspectFill)},
     {"redraw", static_cast<long long>(UIViewContentMode::redraw)},
     {"center", static_cast<long long>(UIViewContentMode::center)},
     {"top", static_cast<long long>(UIViewContentMode::top)},
     {"bottom", static_cast<long long>(UIViewContentMode::bottom)},
     {"left", static_cast<long long>(UIViewContentMode::left)},
     {"right", static_cast<long long>(UIViewContentMode::right)},
     {"topLeft", static_cast<long long>(UIViewContentMode::topLeft)},
     {"topRight", static_cast<long long>(UIViewContentMode::topRight)},
     {"bottomLeft", static_cast<long long>(UIViewContentMode::bottomLeft)},
     {"bottomRight", static_cast<long long>(UIViewContentMode::bottomRight)}});

}  // namespace

void NibEnumNames::add(std::string className, std::string key, Names names) {
  auto& all = tables();
  std::lock_guard lock(all.mutex);
  all.byClassAndKey[{std::move(className), std::move(key)}] = std::move(names);
}

const NibEnumNames::Names* NibEnumNames::tableFor(const NSObject& object, std::string_view key) {
  auto& registry = ClassRegistry::shared();
  auto& all = tables();
  std::lock_guard lock(all.mutex);
  for (const ClassInfo* info = registry.infoFor(object); info; info = registry.find(info->baseName)) {
    auto found = all.byClassAndKey.find(std::pair<std::string, std::string>(info->name, std::string(key)));
    if (found != all.byClassAndKey.end()) return &found->second;
    if (info->baseName.empty()) break;
  }
  return nullptr;
}

std::optional<long long> NibEnumNames::value(const NSObject& object, std::string_view key,
                                             std::string_view name) {
  const Names* table = tableFor(object, key);
  if (!table) return std::nullopt;
  for (const auto& [entry, number] : *table) {
    if (entry == name) return number;
  }
  return std::nullopt;
}

std::vector<std::string> NibEnumNames::names(const NSObject& object, std::string_view key) {
  std::vector<std::string> result;
  if (const Names* table = tableFor(object, key)) {
    for (const auto& entry : *table) result.push_back(entry.first);
  }
  return result;
}

}  // namespace ios
