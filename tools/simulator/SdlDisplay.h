#pragma once

#include <CoreGraphics/CGImage.h>
#include <UIKit/UIWindow.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;

namespace kerbelin::sim {

// A desktop window that shows the phone's screen and turns the mouse into touches: a press, drag and
// release is one finger (a pan that lifts with the pointer's velocity), the wheel scrolls the scroll
// view under the pointer. The picture is rendered at the screen's scale and shown scaled to fit the
// monitor. Only the main thread may use it.
class SdlDisplay {
 public:
  // Null, with the reason, when there is no display to open (no DISPLAY or WAYLAND_DISPLAY, or SDL
  // cannot start its video).
  static std::unique_ptr<SdlDisplay> open(const std::string& title, std::string& reason);
  // Whether the environment names a display at all (DISPLAY or WAYLAND_DISPLAY).
  static bool isConfigured();
  ~SdlDisplay();
  SdlDisplay(const SdlDisplay&) = delete;
  SdlDisplay& operator=(const SdlDisplay&) = delete;

  // Shows the window's current picture.
  void present(const ios::UIWindow& window);
  // Drains pending desktop events without acting on them; false once the window was closed.
  bool pumpQuit();
  // The interactive loop on the run loop's real clock: runs until the window is closed or, when
  // given, `quitAfterSeconds` of real time have passed.
  void run(const std::shared_ptr<ios::UIWindow>& window, std::optional<double> quitAfterSeconds);

 private:
  SdlDisplay(SDL_Window* window, SDL_Renderer* renderer, int pixelWidth, int pixelHeight, double fit);
  ios::CGPoint toPoints(int x, int y) const;
  void scroll(const std::shared_ptr<ios::UIWindow>& window, ios::CGPoint at, double dx, double dy);

  SDL_Window* window_;
  SDL_Renderer* renderer_;
  SDL_Texture* texture_ = nullptr;
  std::uint64_t shownFrame_ = 0;
  int pixelWidth_;
  int pixelHeight_;
  double fit_;  // desktop pixels per screen pixel
};

}  // namespace kerbelin::sim
