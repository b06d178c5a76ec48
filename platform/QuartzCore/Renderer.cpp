#include <QuartzCore/Renderer.h>

#include <QuartzCore/LayerPainter.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace ios {

namespace {

// One horizontal box pass of width 2r+1 over each row, with zeros beyond the edges.
void boxPass(const unsigned char* in, unsigned char* out, int length, int count, int inStep, int lineStep, int r) {
  const int window = 2 * r + 1;
  for (int line = 0; line < count; ++line) {
    const unsigned char* src = in + static_cast<std::ptrdiff_t>(line) * lineStep;
    unsigned char* dst = out + static_cast<std::ptrdiff_t>(line) * lineStep;
    int sum = 0;
    for (int i = 0; i <= std::min(r, length - 1); ++i) sum += src[static_cast<std::ptrdiff_t>(i) * inStep];
    for (int i = 0; i < length; ++i) {
      dst[static_cast<std::ptrdiff_t>(i) * inStep] = static_cast<unsigned char>((sum + window / 2) / window);
      const int add = i + r + 1, drop = i - r;
      if (add < length) sum += src[static_cast<std::ptrdiff_t>(add) * inStep];
      if (drop >= 0) sum -= src[static_cast<std::ptrdiff_t>(drop) * inStep];
    }
  }
}

}  // namespace

void Renderer::render(const CALayer& root, CGContext& context) { LayerPainter(context).drawLayer(root, false); }

std::shared_ptr<CGImage> Renderer::renderImage(const CALayer& root, CGFloat scale) {
  const CGRect bounds = root.bounds();
  auto context = CGContext::bitmap(bounds.size, scale);
  if (!context) return nullptr;
  context->translateBy(-bounds.minX(), -bounds.minY());
  render(root, *context);
  return context->makeImage();
}

void Renderer::blurAlpha(unsigned char* data, int width, int height, int stride, double sigma) {
  if (!(sigma > 0.25) || width <= 0 || height <= 0) return;
  // Three box widths whose successive application approximates the Gaussian (Kovesi's method).
  constexpr int passes = 3;
  const double ideal = std::sqrt(12 * sigma * sigma / passes + 1);
  int lower = static_cast<int>(std::floor(ideal));
  if (lower % 2 == 0) --lower;
  const int upper = lower + 2;
  const double m = (12 * sigma * sigma - passes * lower * lower - 4 * passes * lower - 3 * passes) / (-4 * lower - 4);
  const int useLower = static_cast<int>(std::round(m));

  std::vector<unsigned char> scratch(static_cast<std::size_t>(stride) * height);
  for (int pass = 0; pass < passes; ++pass) {
    const int r = ((pass < useLower ? lower : upper) - 1) / 2;
    if (r <= 0) continue;
    boxPass(data, scratch.data(), width, height, 1, stride, r);
    boxPass(scratch.data(), data, height, width, stride, 1, r);
  }
}

}  // namespace ios
