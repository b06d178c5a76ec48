#pragma once

#include <CoreText/NSParagraphStyle.h>

#include <memory>

namespace ios {

// The same members as NSParagraphStyle; the name says the caller means to change them.
class NSMutableParagraphStyle : public NSParagraphStyle {
 public:
  static std::shared_ptr<NSMutableParagraphStyle> create() {
    return std::make_shared<NSMutableParagraphStyle>();
  }
};

}  // namespace ios
