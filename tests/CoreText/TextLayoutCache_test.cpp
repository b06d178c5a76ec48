#include <CoreText/TextLayoutCache.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>

namespace ios {
namespace {

TextLayoutOptions wrappedAt(CGFloat width) {
  TextLayoutOptions options;
  options.width = width;
  options.defaultFont = UIFont::systemFont(14);
  return options;
}

std::shared_ptr<const TextLayout> layoutOf(const std::string& text, const TextLayoutOptions& options) {
  return TextLayoutCache::forCurrentThread().layout(*NSAttributedString::create(text), options);
}

// An equal text with equal options finds the kept layout; other options get a layout of their own.
TEST(TextLayoutCache, FindsOnlyEqualTextsWithEqualOptions) {
  const std::string text = "Thẻ 10 ly cà phê trứng";
  const auto kept = layoutOf(text, wrappedAt(80));
  EXPECT_EQ(layoutOf(text, wrappedAt(80)), kept);
  auto sameFontAnotherObject = wrappedAt(80);
  sameFontAnotherObject.defaultFont = UIFont::create(14, UIFontWeight::regular, false);
  EXPECT_EQ(layoutOf(text, sameFontAnotherObject), kept);

  // Labels cover the text, its attributes and their own settings; these are the options they never set.
  auto with = [&](const std::function<void(TextLayoutOptions&)>& change) {
    auto options = wrappedAt(80);
    change(options);
    return layoutOf(text, options);
  };
  for (const auto& other : {with([](auto& o) { o.lineFragmentPadding = 5; }),
                            with([](auto& o) { o.defaultFont = nullptr; }),
                            with([](auto& o) { o.lineBreakMode = NSLineBreakMode::byCharWrapping; })}) {
    EXPECT_NE(other, kept);
  }
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
