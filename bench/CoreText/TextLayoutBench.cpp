#include <CoreText/HTMLImporter.h>
#include <CoreText/PangoFontDescription.h>
#include <CoreText/PangoFontSystem.h>
#include <CoreText/TextLayout.h>

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

using ios::NSAttributedString;
using ios::NSAttributedStringKey;

// 100 different multi-line Vietnamese label texts, as a screen of promotion rows would show.
std::vector<std::shared_ptr<NSAttributedString>> labels() {
  const char* pieces[] = {
      "Ưu đãi giảm giá ",     "đến 50% ",         "cho khách hàng thân thiết ",  "khi thanh toán bằng thẻ ",
      "tại tất cả cửa hàng ", "trên toàn quốc. ", "Áp dụng đến hết tháng này, ", "số lượng có hạn. "};
  std::vector<std::shared_ptr<NSAttributedString>> result;
  for (int i = 0; i < 100; ++i) {
    std::string text;
    for (int j = 0; j < 3 + i % 6; ++j) text += pieces[(i + j) % 8];
    text += "Mã " + std::to_string(1000 + i);
    auto font =
        i % 3 == 0 ? ios::UIFont::systemFont(15, ios::UIFontWeight::semibold) : ios::UIFont::systemFont(15);
    result.push_back(NSAttributedString::create(text, {{NSAttributedStringKey::font, font}}));
  }
  return result;
}

void LayOutAndMeasure100LabelsAt343(benchmark::State& state) {
  auto texts = labels();
  for (auto _ : state) {
    double height = 0;
    for (const auto& text : texts) {
      ios::TextLayout layout(text, {.width = 343});
      height += layout.roundedUpSize().height;
    }
    benchmark::DoNotOptimize(height);
  }
  state.SetItemsProcessed(state.iterations() * 100);
}
BENCHMARK(LayOutAndMeasure100LabelsAt343)->Unit(benchmark::kMillisecond);

void LayOut100LabelsTwoLinesTruncated(benchmark::State& state) {
  auto texts = labels();
  for (auto _ : state) {
    std::size_t lines = 0;
    for (const auto& text : texts) {
      ios::TextLayout layout(
          text, {.width = 343, .numberOfLines = 2, .lineBreakMode = ios::NSLineBreakMode::byTruncatingTail});
      lines += layout.lineCount();
    }
    benchmark::DoNotOptimize(lines);
  }
  state.SetItemsProcessed(state.iterations() * 100);
}
BENCHMARK(LayOut100LabelsTwoLinesTruncated)->Unit(benchmark::kMillisecond);

void ImportPromotionHTML(benchmark::State& state) {
  std::string html =
      "<body style=\"font-family: '-apple-system', 'HelveticaNeue';font-size : 15.0\"><p><b>Ưu đãi:</b> giảm "
      "<span style=\"color:#FF5722\">20%</span> cho đơn từ 100.000đ</p><ul><li>Áp dụng tại cửa hàng</li>"
      "<li>Không cộng dồn</li></ul><br />Chi tiết xem <a href=\"https://example.invalid\">tại đây</a></body>";
  for (auto _ : state) benchmark::DoNotOptimize(ios::htmlToAttributedString(html));
}
BENCHMARK(ImportPromotionHTML)->Unit(benchmark::kMicrosecond);


// A long text as a user pastes it or a back-end sends it: `length` letters, each word of eight
// followed by a space, or none at all. With spaces and no line limit, a layout costs what one plain
// Pango layout of the paragraph costs (LayOutLongTextInOnePangoLayout): 1.01-1.02x its callgrind
// instruction count from 1,500 to 25,000 letters (4ca9cd1: 1.01x). Without a break the
// same length costs more, 2.6-2.7x the spaced text at 10,000 letters, as each line of an unbroken
// run is found by measuring on through the run; but it stays linear, 100,000 letters nine to eleven
// times 10,000, where one Pango layout of them takes about 29 s.
std::shared_ptr<NSAttributedString> longText(std::size_t length, bool spaced) {
  std::string text;
  text.reserve(length);
  for (std::size_t i = 0; i < length; ++i) text += spaced && i % 9 == 8 ? ' ' : static_cast<char>('a' + i % 26);
  return NSAttributedString::create(text, {{NSAttributedStringKey::font, ios::UIFont::systemFont(15)}});
}

// args: letters, spaced (0/1), line limit (0 = none, 2 = a two-line truncating label).
void LayOutLongText(benchmark::State& state) {
  auto text = longText(static_cast<std::size_t>(state.range(0)), state.range(1) != 0);
  const auto limit = static_cast<std::size_t>(state.range(2));
  for (auto _ : state) {
    ios::TextLayout layout(
        text, {.width = 343, .numberOfLines = limit, .lineBreakMode = ios::NSLineBreakMode::byTruncatingTail});
    benchmark::DoNotOptimize(layout.lineCount());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(LayOutLongText)
    ->ArgNames({"letters", "spaced", "lines"})
    ->ArgsProduct({{10'000, 100'000}, {1, 0}, {0, 2}})
    ->Args({1'500, 1, 0})
    ->Args({25'000, 1, 0})
    ->Unit(benchmark::kMillisecond);

// The anchor for LayOutLongText: one plain Pango layout of the same paragraph at the same width
// and font, lines found and measured, nothing else. Not at 100,000 unbroken letters: Pango's own
// cost there is the square of the run's length.
void LayOutLongTextInOnePangoLayout(benchmark::State& state) {
  auto text = longText(static_cast<std::size_t>(state.range(0)), state.range(1) != 0);
  PangoFontDescription* font = ios::detail::pangoFontDescription(*ios::UIFont::systemFont(15));
  for (auto _ : state) {
    PangoLayout* layout = pango_layout_new(ios::detail::pinnedContext());
    pango_layout_set_text(layout, text->string().data(), static_cast<int>(text->string().size()));
    pango_layout_set_font_description(layout, font);
    pango_layout_set_width(layout, 343 * PANGO_SCALE);
    pango_layout_set_wrap(layout, PANGO_WRAP_WORD_CHAR);
    PangoRectangle logical;
    pango_layout_get_extents(layout, nullptr, &logical);
    benchmark::DoNotOptimize(logical);
    g_object_unref(layout);
  }
  pango_font_description_free(font);
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(LayOutLongTextInOnePangoLayout)
    ->ArgNames({"letters", "spaced"})
    ->Args({1'500, 1})
    ->Args({10'000, 1})
    ->Args({25'000, 1})
    ->Args({10'000, 0})
    ->Unit(benchmark::kMillisecond);

}  // namespace
