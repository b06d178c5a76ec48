#include <CoreGraphics/CGImage.h>

#include <atomic>

namespace ios {

namespace {
constexpr long long kMaxPixels = 1LL << 28;

std::uint64_t newIdentity() {
  static std::atomic<std::uint64_t> last{0};
  return last.fetch_add(1, std::memory_order_relaxed) + 1;
}

}  // namespace

CGImage::CGImage(int width, int height, std::vector<std::uint32_t> pixels)
    : width_(width), height_(height), identity_(newIdentity()), pixels_(std::move(pixels)) {}

std::uint32_t* CGImage::mutablePixels() {
  identity_ = newIdentity();
  return pixels_.data();
}

std::shared_ptr<CGImage> CGImage::create(int width, int height) {
  if (width <= 0 || height <= 0 || static_cast<long long>(width) * height > kMaxPixels) return nullptr;
  return create(width, height, std::vector<std::uint32_t>(static_cast<std::size_t>(width) * height, 0));
}

std::shared_ptr<CGImage> CGImage::create(int width, int height, std::vector<std::uint32_t> pixels) {
  if (width <= 0 || height <= 0 || static_cast<long long>(width) * height > kMaxPixels) return nullptr;
  if (pixels.size() != static_cast<std::size_t>(width) * height) return nullptr;
  return std::shared_ptr<CGImage>(new CGImage(width, height, std::move(pixels)));
}

bool CGImage::hasAlpha() const {
  for (std::uint32_t p : pixels_)
    if ((p >> 24) != 0xFF) return true;
  return false;
}

}  // namespace ios
