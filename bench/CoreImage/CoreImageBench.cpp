#include <CoreImage/BarcodeReader.h>
#include <CoreImage/CIContext.h>
#include <CoreImage/CIDetector.h>
#include <CoreImage/CIFilter.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>

namespace {

using namespace ios;

// A 100-character token, the kind the QR pop-ups show.
std::string token() {
  std::string text;
  for (int i = 0; i < 100; ++i)
    text += "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789"[(i * 7 + 3) % 62];
  return text;
}

// What the system does to show a code: generate, scale by 3, make an image.
void BM_QRGenerateToken(benchmark::State& state) {
  const Data message = Data::fromText(token());
  for (auto _ : state) {
    auto filter = CIFilter::create("CIQRCodeGenerator");
    filter->setValue(message, "inputMessage");
    auto image = UIImageWithCIImage(filter->outputImage()->transformed(CGAffineTransform::scale(3, 3)));
    benchmark::DoNotOptimize(image);
  }
}
BENCHMARK(BM_QRGenerateToken)->Unit(benchmark::kMicrosecond);

// A 1280x960 camera-like photo: a gradient with grain.
std::shared_ptr<CGImage> photo() {
  auto photo = CGImage::create(1280, 960);
  std::uint32_t state = 7;
  for (int y = 0; y < 960; ++y) {
    for (int x = 0; x < 1280; ++x) {
      state = state * 1664525u + 1013904223u;
      const int grain = static_cast<int>(state >> 28) - 8;
      const auto c = [&](int base) { return static_cast<std::uint32_t>(std::clamp(base + grain, 0, 255)); };
      photo->mutablePixels()[y * 1280 + x] =
          0xff000000u | c(90 + 100 * x / 1280) << 16 | c(120 + 60 * y / 960) << 8 | c(140);
    }
  }
  return photo;
}

// The photo with the token's code (scaled by 6) pasted in off-centre.
std::shared_ptr<CIImage> photoWithCode() {
  auto photo = ::photo();
  auto filter = CIFilter::create("CIQRCodeGenerator");
  filter->setValue(Data::fromText(token()), "inputMessage");
  auto code = filter->outputImage()->transformed(CGAffineTransform::scale(6, 6))->bitmap();
  for (int y = 0; y < code->height(); ++y) {
    for (int x = 0; x < code->width(); ++x)
      photo->mutablePixels()[(300 + y) * 1280 + 600 + x] = code->pixel(x, y);
  }
  return CIImage::create(photo);
}

// The photo with dark strokes of many sizes strewn over it and no code: every reader finds edges to
// follow, and the binarised frame is far from blank.
std::shared_ptr<CGImage> busyPhoto() {
  auto busy = photo();
  std::uint32_t state = 11;
  const auto next = [&state](std::uint32_t below) {
    state = state * 1664525u + 1013904223u;
    return static_cast<int>((state >> 8) % below);
  };
  for (int i = 0; i < 600; ++i) {
    const int w = 2 + next(40), h = 2 + next(12), left = next(1280 - w), top = next(960 - h);
    for (int y = top; y < top + h; ++y) std::fill_n(busy->mutablePixels() + y * 1280 + left, w, 0xff202020u);
  }
  return busy;
}

void detect(benchmark::State& state, const char* accuracy, bool withCode) {
  auto image = withCode ? photoWithCode() : CIImage::create(photo());
  auto detector =
      CIDetector::create(CIDetectorTypeQRCode, CIContext::create(), {{CIDetectorAccuracy, accuracy}});
  for (auto _ : state) {
    auto features = detector->features(image);
    if (withCode && features.size() != 1) state.SkipWithError("the code was not found");
    benchmark::DoNotOptimize(features);
  }
}

void BM_QRDetectPhoto1280x960High(benchmark::State& state) {
  detect(state, CIDetectorAccuracyHigh, true);
}
void BM_QRDetectPhoto1280x960Low(benchmark::State& state) {
  detect(state, CIDetectorAccuracyLow, true);
}
void BM_QRDetectNoCode1280x960High(benchmark::State& state) {
  detect(state, CIDetectorAccuracyHigh, false);
}
// One camera frame as the scanner's metadata output searches it on the global queue: every code kind
// the scanner asks for, without the extra passes (the next frame is another chance).
void searchCameraFrame(benchmark::State& state, bool withCode, bool busy = false) {
  auto frame =
      withCode ? photoWithCode()->bitmap() : std::shared_ptr<const CGImage>(busy ? busyPhoto() : photo());
  BarcodeReader::Options options;
  options.tryHarder = false;
  options.symbologies = BarcodeSymbology::qr | BarcodeSymbology::aztec | BarcodeSymbology::dataMatrix |
                        BarcodeSymbology::pdf417 | BarcodeSymbology::ean8 | BarcodeSymbology::ean13 |
                        BarcodeSymbology::upcA | BarcodeSymbology::upcE | BarcodeSymbology::code39 |
                        BarcodeSymbology::code93 | BarcodeSymbology::code128 | BarcodeSymbology::itf;
  for (auto _ : state) {
    auto readings = BarcodeReader::read(*frame, options);
    if (withCode && readings.size() != 1) state.SkipWithError("the code was not found");
    benchmark::DoNotOptimize(readings);
  }
}
void BM_CameraFrameSearch1280x960(benchmark::State& state) { searchCameraFrame(state, true); }
void BM_CameraFrameSearchNoCode1280x960(benchmark::State& state) { searchCameraFrame(state, false); }
BENCHMARK(BM_CameraFrameSearch1280x960)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CameraFrameSearchNoCode1280x960)->Unit(benchmark::kMillisecond);
// A frame with no code but plenty of structure, where no reader can be skipped.
void BM_CameraFrameSearchBusyNoCode1280x960(benchmark::State& state) { searchCameraFrame(state, false, true); }
BENCHMARK(BM_CameraFrameSearchBusyNoCode1280x960)->Unit(benchmark::kMillisecond);

BENCHMARK(BM_QRDetectPhoto1280x960High)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QRDetectPhoto1280x960Low)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_QRDetectNoCode1280x960High)->Unit(benchmark::kMillisecond);

}  // namespace
