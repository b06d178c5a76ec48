#pragma once

#include <CoreGraphics/CGImage.h>
#include <QuartzCore/CARenderer.h>
#include <UIKit/UIWindow.h>

#include <filesystem>
#include <memory>
#include <string>

namespace kerbelin::sim {

// Pictures of a whole window as the screen shows it, at the main screen's scale. Each window keeps
// one frame between calls, so the window on the desktop and headless screenshots are the same
// frames, each redrawing only what changed.
class WindowSnapshot {
 public:
  // The window's kept frame, brought up to date.
  static ios::CARenderer& frame(const ios::UIWindow& window);
  // A copy of the up-to-date frame.
  static std::shared_ptr<ios::CGImage> render(const ios::UIWindow& window);
  // Renders and writes a PNG, making the folder when needed; false when nothing could be written.
  static bool writePNG(const ios::UIWindow& window, const std::filesystem::path& path);
  static bool writePNG(std::shared_ptr<const ios::CGImage> image, const std::filesystem::path& path);
  // Where the up-to-date kept frame differs from drawing the whole window afresh, as "N pixels,
  // the first at (x, y)"; empty when they agree. Draws the window twice: for checks, not for frames.
  static std::string differenceFromAFreshPicture(const ios::UIWindow& window);
};

}  // namespace kerbelin::sim
