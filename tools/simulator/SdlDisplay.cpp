#include "SdlDisplay.h"

#include "WindowSnapshot.h"

#include <Foundation/RunLoop.h>
#include <UIKit/IdleWaiter.h>
#include <UIKit/TouchGenerator.h>
#include <UIKit/UIScreen.h>
#include <UIKit/UIScrollView.h>

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>

namespace kerbelin::sim {

bool SdlDisplay::isConfigured() {
  const char* x11 = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  return (x11 && *x11) || (wayland && *wayland);
}

std::unique_ptr<SdlDisplay> SdlDisplay::open(const std::string& title, std::string& reason) {
  if (!isConfigured()) {
    reason = "no DISPLAY or WAYLAND_DISPLAY";
    return nullptr;
  }
  // The picture is drawn on the CPU already, so the window is fed without OpenGL: otherwise SDL backs
  // even a software window with a GL texture and loads the desktop's GL driver for it, whose own
  // allocations are lost when SDL unloads it at exit (LeakSanitizer then blames whatever library
  // took its place).
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    reason = std::string("SDL cannot start: ") + SDL_GetError();
    return nullptr;
  }
  // When the named display cannot be reached SDL moves on to other drivers (the console's, an
  // offscreen one), whose window nobody would see.
  const std::string driver = SDL_GetCurrentVideoDriver() ? SDL_GetCurrentVideoDriver() : "";
  if (driver != "x11" && driver != "wayland") {
    reason = "SDL cannot reach the display named by DISPLAY or WAYLAND_DISPLAY (it offered \"" + driver + "\")";
    SDL_Quit();
    return nullptr;
  }
  const auto& screen = ios::UIScreen::main();
  const int pixelWidth = static_cast<int>(std::lround(screen->bounds().size.width * screen->scale()));
  const int pixelHeight = static_cast<int>(std::lround(screen->bounds().size.height * screen->scale()));
  double fit = 1;
  SDL_Rect usable;
  if (SDL_GetDisplayUsableBounds(0, &usable) == 0 && usable.w > 0 && usable.h > 0)
    fit = std::min({1.0, 0.92 * usable.h / pixelHeight, 0.92 * usable.w / pixelWidth});
  SDL_Window* window = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                                        std::max(1, static_cast<int>(pixelWidth * fit)),
                                        std::max(1, static_cast<int>(pixelHeight * fit)), SDL_WINDOW_SHOWN);
  SDL_Renderer* renderer = window ? SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE) : nullptr;
  if (!renderer) {
    reason = std::string("SDL cannot open a window: ") + SDL_GetError();
    if (window) SDL_DestroyWindow(window);
    SDL_Quit();
    return nullptr;
  }
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");
  return std::unique_ptr<SdlDisplay>(new SdlDisplay(window, renderer, pixelWidth, pixelHeight, fit));
}

SdlDisplay::SdlDisplay(SDL_Window* window, SDL_Renderer* renderer, int pixelWidth, int pixelHeight,
                       double fit)
    : window_(window), renderer_(renderer), pixelWidth_(pixelWidth), pixelHeight_(pixelHeight), fit_(fit) {}

SdlDisplay::~SdlDisplay() {
  if (texture_) SDL_DestroyTexture(texture_);
  SDL_DestroyRenderer(renderer_);
  SDL_DestroyWindow(window_);
  SDL_Quit();
}

void SdlDisplay::present(const ios::UIWindow& window) {
  auto& frame = WindowSnapshot::frame(window);
  if (!frame.pixels()) return;
  // A frame rendered in between (a screenshot) leaves damage this texture has not seen.
  const bool fresh = !texture_ || frame.frameCount() != shownFrame_ + 1;
  shownFrame_ = frame.frameCount();
  if (!texture_)
    texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING,
                                 frame.width(), frame.height());
  if (!texture_) return;
  if (fresh) {
    SDL_UpdateTexture(texture_, nullptr, frame.pixels(), static_cast<int>(frame.bytesPerRow()));
  } else {
    // Only what the frame redrew goes to the texture; the rest is still what it shows.
    const auto* bytes = reinterpret_cast<const unsigned char*>(frame.pixels());
    for (const auto& r : frame.damage()) {
      const SDL_Rect rect{r.x0, r.y0, r.x1 - r.x0, r.y1 - r.y0};
      SDL_UpdateTexture(texture_, &rect, bytes + r.y0 * frame.bytesPerRow() + r.x0 * 4,
                        static_cast<int>(frame.bytesPerRow()));
    }
  }
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
  SDL_RenderClear(renderer_);
  SDL_RenderCopy(renderer_, texture_, nullptr, nullptr);
  SDL_RenderPresent(renderer_);
}

bool SdlDisplay::pumpQuit() {
  SDL_Event event;
  while (SDL_PollEvent(&event))
    if (event.type == SDL_QUIT) return false;
  return true;
}

ios::CGPoint SdlDisplay::toPoints(int x, int y) const {
  const double scale = ios::UIScreen::main()->scale();
  return {x / fit_ / scale, y / fit_ / scale};
}

void SdlDisplay::scroll(const std::shared_ptr<ios::UIWindow>& window, ios::CGPoint at, double dx, double dy) {
  auto view = window->hitTest(at, nullptr);
  for (; view; view = view->superview()) {
    auto scrollView = std::dynamic_pointer_cast<ios::UIScrollView>(view);
    if (!scrollView || !scrollView->isScrollEnabled()) continue;
    const auto low = scrollView->minimumContentOffset();
    const auto high = scrollView->maximumContentOffset();
    auto offset = scrollView->contentOffset();
    offset.x = std::clamp(offset.x + dx, low.x, std::max(low.x, high.x));
    offset.y = std::clamp(offset.y + dy, low.y, std::max(low.y, high.y));
    scrollView->setContentOffset(offset);
    return;
  }
}

void SdlDisplay::run(const std::shared_ptr<ios::UIWindow>& window, std::optional<double> quitAfterSeconds) {
  auto& loop = ios::RunLoop::main();
  const auto start = std::chrono::steady_clock::now();
  ios::TouchGenerator finger(window);
  std::uint64_t shownGeneration = ~std::uint64_t{0};
  bool running = true;
  while (running) {
    SDL_Event event;
    int waitMs = 16;
    if (auto next = loop.nextDeadline())
      waitMs = std::clamp(static_cast<int>((*next - loop.now()) * 1000), 0, 16);
    if (loop.hasPendingWork()) waitMs = 0;
    if (SDL_WaitEventTimeout(&event, waitMs)) {
      do {
        switch (event.type) {
          case SDL_QUIT:
            running = false;
            break;
          case SDL_MOUSEBUTTONDOWN:
            if (event.button.button == SDL_BUTTON_LEFT) finger.down(toPoints(event.button.x, event.button.y));
            break;
          case SDL_MOUSEMOTION:
            if (finger.isDown()) finger.move(toPoints(event.motion.x, event.motion.y));
            break;
          case SDL_MOUSEBUTTONUP:
            if (event.button.button == SDL_BUTTON_LEFT && finger.isDown()) {
              finger.move(toPoints(event.button.x, event.button.y));
              finger.up();
            }
            break;
          case SDL_MOUSEWHEEL: {
            int x = 0, y = 0;
            SDL_GetMouseState(&x, &y);
            scroll(window, toPoints(x, y), -event.wheel.x * 40.0, -event.wheel.y * 40.0);
            break;
          }
          default:
            break;
        }
      } while (SDL_PollEvent(&event));
    }
    for (int turns = 0; turns < 1000 && loop.runOnce(); ++turns) {
    }
    loop.runOnce();  // a turn with nothing to run still lays out and displays
    const auto generation = window->layer()->generation();
    if (generation != shownGeneration || ios::IdleWaiter(window).hasMotion()) {
      present(*window);
      shownGeneration = window->layer()->generation();
    }
    if (quitAfterSeconds &&
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() >= *quitAfterSeconds)
      running = false;
  }
}

}  // namespace kerbelin::sim
