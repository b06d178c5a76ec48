#pragma once

#include <CoreGraphics/CGImage.h>
#include <UIKit/UIWindow.h>

#include <filesystem>
#include <memory>

namespace kerbelin::sim {

// Pictures of a whole window as the screen shows it, at the main screen's scale.
class WindowSnapshot {
 public:
  static std::shared_ptr<ios::CGImage> render(const ios::UIWindow& window);
  // Renders and writes a PNG, making the folder when needed; false when nothing could be written.
  static bool writePNG(const ios::UIWindow& window, const std::filesystem::path& path);
  static bool writePNG(std::shared_ptr<const ios::CGImage> image, const std::filesystem::path& path);
};

}  // namespace kerbelin::sim
