// A hit in each of the renderer's and the text system's caches, with few and with many entries
// kept: a hit should cost about the same however full the cache is. Each loop asks for the entries
// in the order they went in, so every hit is for the least recently used one.

#include <CoreText/TextLayoutCache.h>
#include <QuartzCore/ScaledPictures.h>
#include <QuartzCore/ShadowMaskCache.h>
#include <QuartzCore/SharedShadows.h>

#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

using ios::SurfaceRef;

constexpr std::size_t kRoomy = 256u << 20;  // no entry goes for want of room

SurfaceRef tinySurface(cairo_format_t format) {
  return SurfaceRef(cairo_image_surface_create(format, 1, 1));
}

void reportHits(benchmark::State& state, std::size_t hits, std::size_t asked) {
  if (hits != asked) state.SkipWithError("a lookup missed");
  state.SetItemsProcessed(static_cast<std::int64_t>(asked));
}

ios::ScaledPictures::Key pictureKey(std::uint64_t image) {
  return {image, ios::CGRect(0, 0, 8, 8), {}};
}

void BM_ScaledPicturesHit(benchmark::State& state) {
  const auto kept = static_cast<std::uint64_t>(state.range(0));
  ios::ScaledPictures cache(kRoomy);
  auto draw = [] { return tinySurface(CAIRO_FORMAT_ARGB32); };
  for (std::uint64_t i = 0; i < kept; ++i) cache.picture(pictureKey(i), draw);
  std::uint64_t next = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(cache.picture(pictureKey(next), draw));
    next = next + 1 == kept ? 0 : next + 1;
  }
  reportHits(state, cache.hits(), state.iterations());
}
BENCHMARK(BM_ScaledPicturesHit)->Arg(10)->Arg(1000);

// Shadows of cards of as many heights, each with a shadow path, as a list of cards casts them.
ios::SharedShadows::Key shadowKey(int index) {
  ios::SharedShadows::Key key;
  key.bounds = ios::CGRect(0, 0, 343, 40 + index);
  key.extent = key.bounds.insetBy(-10, -10);
  key.cornerRadius = 8;
  key.radius = 3;
  key.path = ios::CGPath::roundedRect(key.bounds, 8, 8);
  return key;
}

void BM_SharedShadowsHit(benchmark::State& state) {
  const auto kept = static_cast<int>(state.range(0));
  ios::SharedShadows cache(kRoomy);
  std::vector<ios::SharedShadows::Key> keys;
  for (int i = 0; i < kept; ++i) keys.push_back(shadowKey(i));
  auto make = [] { return tinySurface(CAIRO_FORMAT_A8); };
  for (const auto& key : keys) cache.alpha(key, make);
  int next = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(cache.alpha(keys[next], make));
    next = next + 1 == kept ? 0 : next + 1;
  }
  reportHits(state, cache.hits(), state.iterations());
}
BENCHMARK(BM_SharedShadowsHit)->Arg(10)->Arg(1000);

void BM_SharedShadowsColoredHit(benchmark::State& state) {
  const auto kept = static_cast<int>(state.range(0));
  ios::SharedShadows cache(kRoomy);
  std::vector<SurfaceRef> alphas;
  auto make = [] { return tinySurface(CAIRO_FORMAT_A8); };
  for (int i = 0; i < kept; ++i) alphas.push_back(cache.alpha(shadowKey(i), make));
  const ios::CGColor::RGBA color{0, 0, 0.4, 0.5};
  auto tint = [] { return tinySurface(CAIRO_FORMAT_ARGB32); };
  for (const auto& alpha : alphas) cache.colored(alpha.get(), color, tint);
  int next = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(cache.colored(alphas[next].get(), color, tint));
    next = next + 1 == kept ? 0 : next + 1;
  }
  reportHits(state, cache.hits(), state.iterations());
}
BENCHMARK(BM_SharedShadowsColoredHit)->Arg(10)->Arg(1000);

void BM_ShadowMaskCacheHit(benchmark::State& state) {
  constexpr int kSide = 16;
  const auto kept = static_cast<int>(state.range(0));
  ios::ShadowMaskCache cache(kRoomy);
  std::vector<std::vector<unsigned char>> masks;
  for (int i = 0; i < kept; ++i) {
    masks.emplace_back(kSide * kSide, 0);
    std::memcpy(masks.back().data(), &i, sizeof i);  // every mask its own alpha
  }
  auto blur = [](unsigned char* data) { std::memset(data, 0x40, kSide * kSide); };
  std::vector<unsigned char> work(kSide * kSide);
  auto lookUp = [&](int index) {
    work = masks[index];  // a hit writes the blurred alpha over the source
    cache.blur(work.data(), kSide, kSide, kSide, 2.0, blur);
  };
  for (int i = 0; i < kept; ++i) lookUp(i);
  int next = 0;
  for (auto _ : state) {
    lookUp(next);
    benchmark::DoNotOptimize(work.data());
    next = next + 1 == kept ? 0 : next + 1;
  }
  reportHits(state, cache.hits(), state.iterations());
}
BENCHMARK(BM_ShadowMaskCacheHit)->Arg(10)->Arg(1000);

// Per thread and bounded at its capacity: measured on a thread of its own, so that it starts empty.
void BM_TextLayoutCacheHit(benchmark::State& state) {
  const auto kept = static_cast<std::size_t>(state.range(0));
  std::vector<std::shared_ptr<ios::NSAttributedString>> texts;
  for (std::size_t i = 0; i < kept; ++i)
    texts.push_back(ios::NSAttributedString::create("Thẻ số " + std::to_string(i)));
  ios::TextLayoutOptions options;
  options.width = 343;
  std::thread([&] {
    auto& cache = ios::TextLayoutCache::forCurrentThread();
    for (const auto& text : texts) cache.layout(*text, options);
    std::size_t next = 0;
    for (auto _ : state) {
      benchmark::DoNotOptimize(cache.layout(*texts[next], options));
      next = next + 1 == kept ? 0 : next + 1;
    }
    if (cache.count() != kept) state.SkipWithError("a layout was dropped");
  }).join();
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_TextLayoutCacheHit)->Arg(10)->Arg(ios::TextLayoutCache::kCapacity)->UseRealTime();

}  // namespace
