#pragma once

#include <CoreText/NSTextContainer.h>
#include <CoreText/NSTextStorage.h>
#include <CoreText/TextLayout.h>
#include <Foundation/NSObject.h>

#include <memory>
#include <optional>
#include <vector>

namespace ios {

// TextKit's layout manager over a TextLayout. Glyph indices are character (UTF-16) indices. Layout
// is redone lazily whenever the storage's text or attributes, or the first container's settings,
// differ from what was last laid out; only the first container is laid out.
class NSLayoutManager : public NSObject {
 public:
  static std::shared_ptr<NSLayoutManager> create() { return std::make_shared<NSLayoutManager>(); }

  void addTextContainer(std::shared_ptr<NSTextContainer> container);
  const std::vector<std::shared_ptr<NSTextContainer>>& textContainers() const { return containers_; }
  // Set by NSTextStorage::addLayoutManager; the storage owns its layout managers.
  std::shared_ptr<NSTextStorage> textStorage() const { return storage_.lock(); }
  void setTextStorage(const std::shared_ptr<NSTextStorage>& storage);

  std::size_t numberOfGlyphs() const;
  // The line fragment holding `glyphIndex` and, in `effectiveRange`, that line's glyph range. A zero
  // rect and {NSNotFound, 0} for an index that is not laid out.
  CGRect lineFragmentRect(std::size_t glyphIndex, NSRange* effectiveRange = nullptr) const;
  CGRect lineFragmentUsedRect(std::size_t glyphIndex, NSRange* effectiveRange = nullptr) const;
  CGRect usedRect(const NSTextContainer& container) const;
  NSRange glyphRange(const NSTextContainer& container) const;
  // `characterIndex(for:in:fractionOfDistanceBetweenInsertionPoints: nil)`: see TextLayout.
  std::size_t characterIndex(CGPoint point, const NSTextContainer& container) const;
  void ensureLayout(const NSTextContainer& /*container*/) const { layout(); }

  // The current layout (null without storage or container).
  const TextLayout* layout() const;

 private:
  std::weak_ptr<NSTextStorage> storage_;
  std::vector<std::shared_ptr<NSTextContainer>> containers_;
  struct Snapshot {
    std::shared_ptr<NSAttributedString> text;
    CGFloat width;
    CGFloat padding;
    NSLineBreakMode mode;
    std::size_t lines;
  };
  mutable std::optional<Snapshot> snapshot_;
  mutable std::optional<TextLayout> layout_;
};

}  // namespace ios
