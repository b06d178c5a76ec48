#include "WindowSnapshot.h"

#include <QuartzCore/Renderer.h>
#include <UIKit/UIImage.h>
#include <UIKit/UIScreen.h>

#include <map>
#include <system_error>

namespace kerbelin::sim {

ios::CARenderer& WindowSnapshot::frame(const ios::UIWindow& window) {
  struct Kept {
    std::weak_ptr<const ios::NSObject> window;
    ios::CGFloat scale;
    std::unique_ptr<ios::CARenderer> renderer;
  };
  static std::map<const ios::UIWindow*, Kept> kept;
  std::erase_if(kept, [](const auto& entry) { return entry.second.window.expired(); });
  const ios::CGFloat scale = ios::UIScreen::main()->scale();
  Kept& entry = kept[&window];
  if (!entry.renderer || entry.scale != scale || entry.window.expired()) {
    entry = {window.weak_from_this(), scale, std::make_unique<ios::CARenderer>(scale)};
  }
  entry.renderer->render(*window.layer());
  return *entry.renderer;
}

std::shared_ptr<ios::CGImage> WindowSnapshot::render(const ios::UIWindow& window) {
  return frame(window).makeImage();
}

std::string WindowSnapshot::differenceFromAFreshPicture(const ios::UIWindow& window) {
  const auto& kept = frame(window);
  const auto fresh = ios::Renderer::renderImage(*window.layer(), ios::UIScreen::main()->scale());
  if (!fresh || !kept.pixels() || fresh->width() != kept.width() || fresh->height() != kept.height())
    return "a frame of another size";
  long count = 0;
  std::string first;
  for (int y = 0; y < kept.height(); ++y) {
    const std::uint32_t* row = kept.pixels() + y * (kept.bytesPerRow() / 4);
    for (int x = 0; x < kept.width(); ++x) {
      if (row[x] == fresh->pixel(x, y)) continue;
      if (count++ == 0) first = "(" + std::to_string(x) + ", " + std::to_string(y) + ")";
    }
  }
  return count == 0 ? "" : std::to_string(count) + " pixels, the first at " + first;
}

bool WindowSnapshot::writePNG(std::shared_ptr<const ios::CGImage> image, const std::filesystem::path& path) {
  auto wrapped = image ? ios::UIImage::create(std::move(image), 1) : nullptr;
  auto data = wrapped ? wrapped->pngData() : std::nullopt;
  if (!data) return false;
  std::error_code ignored;
  if (path.has_parent_path()) std::filesystem::create_directories(path.parent_path(), ignored);
  return data->write(path.string());
}

bool WindowSnapshot::writePNG(const ios::UIWindow& window, const std::filesystem::path& path) {
  auto image = render(window);
  return image && writePNG(std::move(image), path);
}

}  // namespace kerbelin::sim
