#include <UIKit/UITabBarItem.h>

namespace ios {

namespace {
const auto registration = ClassRegistration<UITabBarItem>("UITabBarItem")
                              .factory([] { return UITabBarItem::create("", nullptr, 0); })
                              .property("title", &UITabBarItem::title)
                              .property("tag", &UITabBarItem::tag);

NSAttributes lookup(const std::map<unsigned, NSAttributes>& table, unsigned state) {
  auto it = table.find(state);
  return it == table.end() ? NSAttributes{} : it->second;
}
}  // namespace

std::shared_ptr<UITabBarItem> UITabBarItem::create(std::string title, std::shared_ptr<UIImage> image, long tag) {
  return std::make_shared<UITabBarItem>(std::move(title), std::move(image), tag);
}

UITabBarItem::Appearance& UITabBarItem::appearance() {
  static Appearance shared;
  return shared;
}

void UITabBarItem::setTitleTextAttributes(NSAttributes attributes, unsigned controlState) {
  titleTextAttributes_[controlState] = std::move(attributes);
}

NSAttributes UITabBarItem::titleTextAttributes(unsigned controlState) const {
  // Attributes merge key by key: normal appearance < normal own < state appearance < state own.
  NSAttributes result = lookup(appearance().titleTextAttributes, UIControl::normal);
  for (const auto& [key, value] : lookup(titleTextAttributes_, UIControl::normal)) result.insert_or_assign(key, value);
  if (controlState != UIControl::normal) {
    for (const auto& [key, value] : lookup(appearance().titleTextAttributes, controlState)) result.insert_or_assign(key, value);
    for (const auto& [key, value] : lookup(titleTextAttributes_, controlState)) result.insert_or_assign(key, value);
  }
  return result;
}

UIOffset UITabBarItem::effectiveTitlePositionAdjustment() const {
  return titlePositionAdjustment.value_or(appearance().titlePositionAdjustment);
}

}  // namespace ios
