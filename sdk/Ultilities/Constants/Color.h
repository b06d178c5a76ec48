#pragma once

#include <UIKit/UIColor.h>

#include <memory>

namespace kerbelin {

// The framework's fixed colours, each made once on first use and shared.
struct Color {
  Color() = delete;
  // RGB (243, 243, 249): the store's and the sort row's background.
  static const std::shared_ptr<ios::UIColor>& Background_Color();
  // RGB (255, 87, 34): the picked sort chip's fill and border.
  static const std::shared_ptr<ios::UIColor>& Main_Flamigo();
};

}  // namespace kerbelin
