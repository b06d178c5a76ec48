#include <CoreText/TextLayoutCache.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace ios {
namespace {

using Key = NSAttributedStringKey;

TextLayoutOptions wrappedAt(CGFloat width) {
  TextLayoutOptions options;
  options.width = width;
  options.defaultFont = UIFont::systemFont(14);
  return options;
}

std::shared_ptr<const TextLayout> layoutOf(const std::string& text, const TextLayoutOptions& options) {
  return TextLayoutCache::forCurrentThread().layout(*NSAttributedString::create(text), options);
}

// An equal text with equal options finds the kept layout; any difference in what is laid out or
// drawn gets a layout of its own, made for exactly those inputs.
TEST(TextLayoutCache, FindsOnlyEqualTextsWithEqualOptions) {
  const std::string text = "Thẻ 10 ly cà phê trứng";
  auto& cache = TextLayoutCache::forCurrentThread();
  const auto kept = layoutOf(text, wrappedAt(80));
  EXPECT_EQ(layoutOf(text, wrappedAt(80)), kept);
  auto sameFontAnotherObject = wrappedAt(80);
  sameFontAnotherObject.defaultFont = UIFont::create(14, UIFontWeight::regular, false);
  EXPECT_EQ(layoutOf(text, sameFontAnotherObject), kept);

  struct Case {
    const char* what;
    std::function<std::shared_ptr<const TextLayout>()> layout;
  };
  auto with = [&](const std::function<void(TextLayoutOptions&)>& change) {
    auto options = wrappedAt(80);
    change(options);
    return layoutOf(text, options);
  };
  auto attributed = [&](NSAttributes attributes) {
    return cache.layout(*NSAttributedString::create(text, std::move(attributes)), wrappedAt(80));
  };
  const std::vector<Case> cases = {
      {"another text", [&] { return layoutOf("Thẻ 20 ly cà phê", wrappedAt(80)); }},
      {"another width", [&] { return with([](auto& o) { o.width = 120; }); }},
      {"a line limit", [&] { return with([](auto& o) { o.numberOfLines = 1; }); }},
      {"a line-break mode", [&] { return with([](auto& o) { o.lineBreakMode = NSLineBreakMode::byCharWrapping; }); }},
      {"an alignment", [&] { return with([](auto& o) { o.alignment = NSTextAlignment::right; }); }},
      {"padding", [&] { return with([](auto& o) { o.lineFragmentPadding = 5; }); }},
      {"a bold default font", [&] { return with([](auto& o) { o.defaultFont = UIFont::boldSystemFont(14); }); }},
      {"no default font", [&] { return with([](auto& o) { o.defaultFont = nullptr; }); }},
      {"a default colour", [&] { return with([](auto& o) { o.defaultColor = CGColor::white(); }); }},
      {"a colour attribute", [&] { return attributed({{Key::foregroundColor, CGColor::white()}}); }},
      {"a font attribute", [&] { return attributed({{Key::font, UIFont::boldSystemFont(14)}}); }},
  };
  for (const auto& c : cases) {
    const auto other = c.layout();
    EXPECT_NE(other, kept) << c.what;
    EXPECT_EQ(c.layout(), other) << c.what << " is kept too";
  }
}

TEST(TextLayoutCache, KeepsItsOwnCopyOfAMutableText) {
  auto text = NSAttributedString::create("Giá cũ")->mutableCopy();
  auto& cache = TextLayoutCache::forCurrentThread();
  const auto before = cache.layout(*text, wrappedAt(0));
  text->addAttribute(Key::strikethroughStyle, 1, NSRange{0, 3});
  const auto after = cache.layout(*text, wrappedAt(0));
  EXPECT_NE(after, before);
  EXPECT_TRUE(after->text().isEqual(*text));
  EXPECT_FALSE(before->text().isEqual(*text));
}

// Memory stays bounded: at most kCapacity layouts, the least recently used dropped first; long
// texts and texts with attachments are never kept.
TEST(TextLayoutCache, KeepsAtMostItsCapacityDroppingTheLeastRecentlyUsed) {
  auto& cache = TextLayoutCache::forCurrentThread();
  const auto options = wrappedAt(0);
  const auto first = layoutOf("dòng 0", options);
  const auto second = layoutOf("dòng 1", options);
  for (std::size_t i = 2; i < TextLayoutCache::kCapacity + 40; ++i) {
    layoutOf("dòng " + std::to_string(i), options);
    if (i % 16 == 0) {
      EXPECT_EQ(layoutOf("dòng 0", options), first) << "used recently, so kept";
    }
  }
  EXPECT_EQ(cache.count(), TextLayoutCache::kCapacity);
  EXPECT_EQ(layoutOf("dòng 0", options), first);
  EXPECT_NE(layoutOf("dòng 1", options), second) << "the least recently used was dropped";

  const std::string longText(TextLayoutCache::kLongestText + 1, 'x');
  EXPECT_NE(layoutOf(longText, options), layoutOf(longText, options));
  auto withAttachment = NSAttributedString::create(NSTextAttachment::create());
  EXPECT_NE(cache.layout(*withAttachment, options), cache.layout(*withAttachment, options));
  EXPECT_EQ(cache.count(), TextLayoutCache::kCapacity);
}

TEST(TextLayoutCache, EachThreadKeepsItsOwnLayouts) {
  const auto options = wrappedAt(0);
  const auto here = layoutOf("Mua thẻ", options);
  std::shared_ptr<const TextLayout> there;
  std::size_t countThere = 0;
  std::thread([&] {
    there = layoutOf("Mua thẻ", options);
    countThere = TextLayoutCache::forCurrentThread().count();
  }).join();
  EXPECT_NE(there, here);
  EXPECT_EQ(countThere, 1u);
  EXPECT_EQ(layoutOf("Mua thẻ", options), here);
}

}  // namespace
}  // namespace ios
