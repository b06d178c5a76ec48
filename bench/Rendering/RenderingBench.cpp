// One full frame of a phone screen: 375x812 points at scale 2, twenty cards with rounded corners,
// shadows and two labels each (60 views), drawn by the renderer into a bitmap.

#include <CoreGraphics/CGContext.h>
#include <QuartzCore/Renderer.h>
#include <QuartzCore/ShadowMaskCache.h>
#include <UIKit/UILabel.h>
#include <UIKit/UIView.h>

#include <benchmark/benchmark.h>

#include <string>

namespace {

std::shared_ptr<ios::UIView> makeScreen() {
  auto screen = ios::UIView::create(ios::CGRect(0, 0, 375, 812));
  screen->setBackgroundColor(ios::UIColor::create(243.0 / 255, 243.0 / 255, 249.0 / 255, 1));
  for (int i = 0; i < 20; ++i) {
    auto card = ios::UIView::create(ios::CGRect(16, 8 + i * 40.0, 343, 36));
    card->setBackgroundColor(ios::UIColor::white());
    card->layer()->setCornerRadius(8);
    card->layer()->setShadowOpacity(0.2f);
    card->layer()->setShadowRadius(1.5);
    card->layer()->setShadowOffset(ios::CGSize{0, 0});
    auto title = ios::UILabel::create(ios::CGRect(12, 2, 220, 18));
    title->setText("Thẻ dịch vụ số " + std::to_string(i + 1));
    auto price = ios::UILabel::create(ios::CGRect(12, 18, 220, 16));
    price->setText("150.000 đ · Mã sản phẩm: KB-" + std::to_string(1000 + i));
    card->addSubview(title);
    card->addSubview(price);
    screen->addSubview(card);
  }
  screen->layoutIfNeeded();
  return screen;
}

void BM_DrawPhoneScreenWithShadowsAndText(benchmark::State& state) {
  auto screen = makeScreen();
  auto context = ios::CGContext::bitmap(ios::CGSize{375, 812}, 2);
  for (auto _ : state) {
    ios::Renderer::render(*screen->layer(), *context);
    benchmark::ClobberMemory();
  }
  state.SetLabel("60 views, 375x812 @2x");
}
BENCHMARK(BM_DrawPhoneScreenWithShadowsAndText)->Unit(benchmark::kMillisecond);

// The same frame with no shadow remembered from earlier frames: the first frame of a new screen.
// Its cards share one shape, so only the first card's shadow is blurred.
void BM_DrawPhoneScreenColdShadowCache(benchmark::State& state) {
  auto screen = makeScreen();
  auto context = ios::CGContext::bitmap(ios::CGSize{375, 812}, 2);
  for (auto _ : state) {
    ios::ShadowMaskCache::shared().clear();
    ios::Renderer::render(*screen->layer(), *context);
    benchmark::ClobberMemory();
  }
  state.SetLabel("60 views, 375x812 @2x");
}
BENCHMARK(BM_DrawPhoneScreenColdShadowCache)->Unit(benchmark::kMillisecond);

}  // namespace
