// The costs of a frosted-glass effect on a full phone screen at scale 2 (750 x 1624 pixels): one box
// pass at each blur size the presets use, and one colour-matrix pass; plus decoding a screen-sized
// PNG.
#include <Accelerate/vImageConvolution.h>
#include <Accelerate/vImageTransform.h>
#include <CoreGraphics/CGImage.h>
#include <ImageIO/CGImageSource.h>
#include <ImageIO/PNGCodec.h>

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

namespace {

constexpr int kWidth = 750, kHeight = 1624;

std::shared_ptr<ios::CGImage> screenImage() {
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(kWidth) * kHeight);
  for (std::size_t i = 0; i < pixels.size(); ++i)
    pixels[i] = 0xFF000000u | static_cast<std::uint32_t>(i * 2654435761u >> 8 & 0xFFFFFF);
  return ios::CGImage::create(kWidth, kHeight, std::move(pixels));
}

ios::vImage_Buffer bufferOf(ios::CGImage& image) {
  return {image.mutablePixels(), static_cast<ios::vImagePixelCount>(image.height()),
          static_cast<ios::vImagePixelCount>(image.width()), image.bytesPerRow()};
}

void BM_BoxConvolve(benchmark::State& state) {
  auto source = screenImage(), target = ios::CGImage::create(kWidth, kHeight);
  const auto src = bufferOf(*source), dest = bufferOf(*target);
  const auto kernel = static_cast<std::uint32_t>(state.range(0));
  for (auto _ : state)
    benchmark::DoNotOptimize(ios::vImageBoxConvolve_ARGB8888(&src, &dest, nullptr, 0, 0, kernel, kernel, nullptr,
                                                             ios::kvImageEdgeExtend));
}
BENCHMARK(BM_BoxConvolve)->Arg(39)->Arg(75)->Arg(113)->Unit(benchmark::kMillisecond);

void BM_MatrixMultiply(benchmark::State& state) {
  auto source = screenImage();
  const auto buffer = bufferOf(*source);
  const std::int16_t matrix[16] = {446, -15, -15, 0, -146, 314, -146, 0, -44, -44, 417, 0, 0, 0, 0, 256};
  for (auto _ : state)
    benchmark::DoNotOptimize(
        ios::vImageMatrixMultiply_ARGB8888(&buffer, &buffer, matrix, 256, nullptr, nullptr, ios::kvImageNoFlags));
}
BENCHMARK(BM_MatrixMultiply)->Unit(benchmark::kMillisecond);

void BM_DecodeScreenPNG(benchmark::State& state) {
  const auto png = *ios::PNGCodec::encode(*screenImage());
  for (auto _ : state) benchmark::DoNotOptimize(ios::CGImageSource::create(png));
}
BENCHMARK(BM_DecodeScreenPNG)->Unit(benchmark::kMillisecond);

}  // namespace
