#include <CoreText/NSLayoutManager.h>

#include <algorithm>
#include <cmath>

namespace ios {

void NSLayoutManager::addTextContainer(std::shared_ptr<NSTextContainer> container) {
  if (container) containers_.push_back(std::move(container));
}

void NSLayoutManager::setTextStorage(const std::shared_ptr<NSTextStorage>& storage) {
  storage_ = storage;
}

const TextLayout* NSLayoutManager::layout() const {
  auto storage = storage_.lock();
  if (!storage || containers_.empty()) return nullptr;
  const NSTextContainer& container = *containers_.front();
  CGFloat width = std::isfinite(container.size.width) ? container.size.width : 0;
  bool fresh = snapshot_ && snapshot_->text->isEqual(*storage) && snapshot_->width == width &&
               snapshot_->padding == container.lineFragmentPadding &&
               snapshot_->mode == container.lineBreakMode &&
               snapshot_->lines == container.maximumNumberOfLines;
  if (!fresh) {
    snapshot_ = Snapshot{NSAttributedString::create(*storage), width, container.lineFragmentPadding,
                         container.lineBreakMode, container.maximumNumberOfLines};
    TextLayoutOptions options;
    options.width = width;
    options.lineFragmentPadding = container.lineFragmentPadding;
    options.lineBreakMode = container.lineBreakMode;
    options.numberOfLines = container.maximumNumberOfLines;
    layout_.emplace(snapshot_->text, options);
  }
  return &*layout_;
}

std::size_t NSLayoutManager::numberOfGlyphs() const {
  auto storage = storage_.lock();
  return storage ? storage->length() : 0;
}

CGRect NSLayoutManager::lineFragmentRect(std::size_t glyphIndex, NSRange* effectiveRange) const {
  if (effectiveRange) *effectiveRange = NSRange{NSNotFound, 0};
  const TextLayout* current = layout();
  if (!current) return CGRect::zero;
  auto line = current->lineIndex(glyphIndex);
  if (!line) return CGRect::zero;
  const LineFragment& fragment = current->lineFragments()[*line];
  if (effectiveRange) *effectiveRange = fragment.characterRange;
  return fragment.rect;
}

CGRect NSLayoutManager::lineFragmentUsedRect(std::size_t glyphIndex, NSRange* effectiveRange) const {
  lineFragmentRect(glyphIndex, effectiveRange);
  const TextLayout* current = layout();
  auto line = current ? current->lineIndex(glyphIndex) : std::nullopt;
  return line ? current->lineFragments()[*line].usedRect : CGRect::zero;
}

CGRect NSLayoutManager::usedRect(const NSTextContainer&) const {
  const TextLayout* current = layout();
  return current ? current->usedRect() : CGRect::zero;
}

NSRange NSLayoutManager::glyphRange(const NSTextContainer&) const {
  const TextLayout* current = layout();
  return NSRange{0, current ? current->visibleLength() : 0};
}

std::size_t NSLayoutManager::characterIndex(CGPoint point, const NSTextContainer&) const {
  const TextLayout* current = layout();
  return current ? current->characterIndex(point) : 0;
}

}  // namespace ios
