#include <CoreText/NSTextStorage.h>

#include <CoreText/NSLayoutManager.h>

#include <algorithm>

namespace ios {

std::shared_ptr<NSTextStorage> NSTextStorage::create(std::string_view string, NSAttributes attributes) {
  return std::make_shared<NSTextStorage>(Private{}, string, std::move(attributes));
}

void NSTextStorage::addLayoutManager(const std::shared_ptr<NSLayoutManager>& manager) {
  if (!manager || std::find(managers_.begin(), managers_.end(), manager) != managers_.end()) return;
  managers_.push_back(manager);
  manager->setTextStorage(std::static_pointer_cast<NSTextStorage>(shared_from_this()));
}

void NSTextStorage::removeLayoutManager(const std::shared_ptr<NSLayoutManager>& manager) {
  auto it = std::find(managers_.begin(), managers_.end(), manager);
  if (it == managers_.end()) return;
  (*it)->setTextStorage(nullptr);
  managers_.erase(it);
}

}  // namespace ios
