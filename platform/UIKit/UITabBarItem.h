#pragma once

#include <CoreGraphics/UIOffset.h>
#include <CoreText/NSAttributes.h>
#include <Foundation/NSObject.h>
#include <UIKit/UIControl.h>

#include <map>
#include <memory>
#include <string>

namespace ios {

class UIImage;

// One tab's title, images and tag. Title text attributes and the title offset also come from the
// process-wide appearance (`UITabBarItem::appearance()`), which applies to items made before and
// after it is set; an item's own settings win.
class UITabBarItem : public NSObject {
 public:
  static std::shared_ptr<UITabBarItem> create(std::string title, std::shared_ptr<UIImage> image, long tag);
  UITabBarItem(std::string title, std::shared_ptr<UIImage> image, long tag)
      : title(std::move(title)), image(std::move(image)), tag(tag) {}

  std::string title;
  std::shared_ptr<UIImage> image;
  std::shared_ptr<UIImage> selectedImage;
  long tag = 0;
  bool isEnabled = true;

  void setTitleTextAttributes(NSAttributes attributes, unsigned controlState);
  // This item's attributes for the state, falling back to the appearance's, then to normal's.
  NSAttributes titleTextAttributes(unsigned controlState) const;
  std::optional<UIOffset> titlePositionAdjustment;
  UIOffset effectiveTitlePositionAdjustment() const;

  // The shared look of every item.
  struct Appearance {
    std::map<unsigned, NSAttributes> titleTextAttributes;
    UIOffset titlePositionAdjustment;
    void setTitleTextAttributes(NSAttributes attributes, unsigned controlState) {
      titleTextAttributes[controlState] = std::move(attributes);
    }
  };
  static Appearance& appearance();

 private:
  std::map<unsigned, NSAttributes> titleTextAttributes_;
};

}  // namespace ios
