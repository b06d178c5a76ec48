#include <UIKit/UIScreen.h>

#include <mutex>

namespace ios {

namespace {

std::mutex mutex;
UIScreen::Description pending;
bool fixed = false;

}  // namespace

bool UIScreen::configure(const Description& description) {
  std::lock_guard lock(mutex);
  if (fixed) return false;
  pending = description;
  return true;
}

const std::shared_ptr<UIScreen>& UIScreen::main() {
  static const std::shared_ptr<UIScreen> screen = [] {
    std::lock_guard lock(mutex);
    fixed = true;
    return std::make_shared<UIScreen>(pending);
  }();
  return screen;
}

CGRect UIScreen::nativeBounds() const {
  const CGSize n = description_.nativePixels;
  if (n.width > 0 && n.height > 0) return CGRect(0, 0, n.width, n.height);
  return CGRect(0, 0, description_.points.width * description_.scale, description_.points.height * description_.scale);
}

}  // namespace ios
