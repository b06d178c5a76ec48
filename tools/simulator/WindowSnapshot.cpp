#include "WindowSnapshot.h"

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
