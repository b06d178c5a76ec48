#include "WindowSnapshot.h"

#include <QuartzCore/Renderer.h>
#include <UIKit/UIImage.h>
#include <UIKit/UIScreen.h>

#include <system_error>

namespace kerbelin::sim {

std::shared_ptr<ios::CGImage> WindowSnapshot::render(const ios::UIWindow& window) {
  return ios::Renderer::renderImage(*window.layer(), ios::UIScreen::main()->scale());
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
