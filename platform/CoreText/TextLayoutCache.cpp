#include <CoreText/TextLayoutCache.h>

#include <algorithm>
#include <functional>
#include <string_view>

namespace ios {

namespace {

void mix(std::size_t& seed, std::size_t value) {
  seed ^= value + 0x9e3779b97f4a7c15ULL + (seed << 6) + (seed >> 2);
}

std::size_t hashOf(const NSAttributedString& text, const TextLayoutOptions& options) {
  std::size_t seed = std::hash<std::string_view>()(text.string());
  mix(seed, text.runs().size());
  mix(seed, std::hash<CGFloat>()(options.width));
  mix(seed, options.numberOfLines);
  mix(seed, static_cast<std::size_t>(options.lineBreakMode) << 4 |
                static_cast<std::size_t>(options.alignment.value_or(NSTextAlignment::natural)));
  if (options.defaultFont) mix(seed, std::hash<CGFloat>()(options.defaultFont->pointSize()));
  return seed;
}

bool sameOptions(const TextLayoutOptions& a, const TextLayoutOptions& b) {
  return a.width == b.width && a.numberOfLines == b.numberOfLines && a.lineBreakMode == b.lineBreakMode &&
         a.alignment == b.alignment && a.lineFragmentPadding == b.lineFragmentPadding &&
         sameFont(a.defaultFont, b.defaultFont) && a.defaultColor == b.defaultColor;
}

bool mayKeep(const NSAttributedString& text) {
  if (text.string().size() > TextLayoutCache::kLongestText) return false;
  return std::none_of(text.runs().begin(), text.runs().end(), [](const NSAttributedString::Run& run) {
    return run.attributes.contains(NSAttributedStringKey::attachment);
  });
}

}  // namespace

TextLayoutCache& TextLayoutCache::forCurrentThread() {
  thread_local TextLayoutCache cache;
  return cache;
}

std::shared_ptr<const TextLayout> TextLayoutCache::layout(const NSAttributedString& text,
                                                          const TextLayoutOptions& options) {
  if (!mayKeep(text)) return std::make_shared<const TextLayout>(NSAttributedString::create(text), options);
  if (const auto* kept = layouts_.find({&text, &options})) return *kept;
  auto made = std::make_shared<const TextLayout>(NSAttributedString::create(text), options);
  layouts_.keep({&made->text(), &made->options()}, made);
  return made;
}

bool TextLayoutCache::Key::operator==(const Key& other) const {
  return sameOptions(*options, *other.options) && text->isEqual(*other.text);
}

std::size_t TextLayoutCache::KeyHash::operator()(const Key& key) const { return hashOf(*key.text, *key.options); }

}  // namespace ios
