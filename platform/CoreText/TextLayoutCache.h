#pragma once

#include <CoreText/TextLayout.h>
#include <Foundation/BoundedCache.h>

#include <cstddef>
#include <memory>

namespace ios {

// Laid-out texts kept for reuse, so that views showing the same text with the same settings (rows
// of a list, a screen opened again, a label measured and then drawn) lay it out once.
//
// A layout is found again only for an equal text (same string, same attributes over the same
// ranges) and equal options (width, line limit, line-break mode, alignment, padding, default font
// by value, default colour). Texts holding an attachment are never kept: an attachment is a
// mutable object, so an equal-looking text may lay out differently later.
//
// Memory: at most `kCapacity` layouts of texts of at most `kLongestText` UTF-8 bytes each; the
// least recently used layout goes first, and a longer text is laid out afresh every time. A layout
// of a label's usual text takes about 5 KB, one of the longest kept text about 15 KB: at most about
// 4 MB per thread.
//
// Pango layouts belong to the thread that made them, so each thread has its own cache.
class TextLayoutCache {
 public:
  static constexpr std::size_t kCapacity = 256;
  static constexpr std::size_t kLongestText = 256;

  static TextLayoutCache& forCurrentThread();

  // The layout of `text` with `options`: a kept one when there is one, else a new one (kept when
  // the text may be).
  std::shared_ptr<const TextLayout> layout(const NSAttributedString& text, const TextLayoutOptions& options);

  std::size_t count() const { return layouts_.count(); }

 private:
  // A text and its options: the caller's while looking up, the kept layout's own once kept.
  struct Key {
    const NSAttributedString* text;
    const TextLayoutOptions* options;
    bool operator==(const Key& other) const;
  };
  struct KeyHash {
    std::size_t operator()(const Key& key) const;
  };

  BoundedCache<Key, std::shared_ptr<const TextLayout>, KeyHash> layouts_{{.count = kCapacity}};
};

}  // namespace ios
