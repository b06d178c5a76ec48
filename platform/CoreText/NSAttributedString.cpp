#include <CoreText/NSAttributedString.h>
#include <CoreText/NSMutableAttributedString.h>

#include <algorithm>

namespace ios {

namespace {

std::string sanitized(std::string_view text) {
  if (isValidUTF8(text)) return std::string(text);
  return utf16ToUtf8(utf8ToUtf16(text)).value_or(std::string());
}

constexpr const char* kObjectReplacementCharacter = "\xEF\xBF\xBC";  // U+FFFC

}  // namespace

// ---- NSAttributedString ----

NSAttributedString::NSAttributedString(const Private&, std::string_view string, NSAttributes attributes)
    : text_(sanitized(string)), length_(utf16Length(text_)) {
  if (length_ > 0) runs_.push_back(Run{length_, std::move(attributes)});
}

std::shared_ptr<NSAttributedString> NSAttributedString::create(std::string_view string,
                                                               NSAttributes attributes) {
  return std::make_shared<NSAttributedString>(Private{}, string, std::move(attributes));
}

std::shared_ptr<NSAttributedString> NSAttributedString::create(std::shared_ptr<NSTextAttachment> attachment) {
  NSAttributes attributes;
  if (attachment) attributes.emplace(Key::attachment, NSAttributeValue(std::move(attachment)));
  return create(kObjectReplacementCharacter, std::move(attributes));
}

std::shared_ptr<NSAttributedString> NSAttributedString::create(const NSAttributedString& other) {
  auto copy = create();
  copy->text_ = other.text_;
  copy->length_ = other.length_;
  copy->runs_ = other.runs_;
  return copy;
}

NSRange NSAttributedString::clampedRange(NSRange range) const {
  std::size_t location = std::min(range.location, length_);
  std::size_t length = std::min(range.length, length_ - location);
  auto bytes = byteRange(text_, NSRange{location, length});
  if (!bytes) return NSRange{length_, 0};
  return nsRange(text_, *bytes).value_or(NSRange{length_, 0});
}

NSAttributes NSAttributedString::attributes(std::size_t location, NSRange* effectiveRange) const {
  std::size_t start = 0;
  for (const Run& run : runs_) {
    if (location < start + run.length) {
      if (effectiveRange) *effectiveRange = NSRange{start, run.length};
      return run.attributes;
    }
    start += run.length;
  }
  if (effectiveRange) *effectiveRange = NSRange{length_, 0};
  return {};
}

std::optional<NSAttributeValue> NSAttributedString::attribute(Key key, std::size_t location,
                                                              NSRange* effectiveRange) const {
  NSRange range;
  NSAttributes found = attributes(location, &range);
  std::optional<NSAttributeValue> value;
  if (auto it = found.find(key); it != found.end()) value = it->second;
  if (effectiveRange) {
    // Widen over neighbouring runs that agree on this one key.
    enumerateAttribute(key, NSRange{0, length_},
                       [&](const std::optional<NSAttributeValue>& v, NSRange r, bool& stop) {
                         if (location >= r.location && location < r.upperBound()) {
                           range = r;
                           stop = true;
                         }
                         (void)v;
                       });
    *effectiveRange = range;
  }
  return value;
}

void NSAttributedString::enumerateAttributes(NSRange range, const AttributesVisitor& body) const {
  NSRange safe = clampedRange(range);
  std::size_t start = 0;
  bool stop = false;
  for (const Run& run : runs_) {
    std::size_t begin = std::max(start, safe.location);
    std::size_t end = std::min(start + run.length, safe.upperBound());
    if (begin < end) {
      body(run.attributes, NSRange{begin, end - begin}, stop);
      if (stop) return;
    }
    start += run.length;
  }
}

void NSAttributedString::enumerateAttribute(Key key, NSRange range, const AttributeVisitor& body) const {
  std::optional<NSAttributeValue> current;
  NSRange pending{NSNotFound, 0};
  bool stop = false;
  enumerateAttributes(range, [&](const NSAttributes& attrs, NSRange r, bool& innerStop) {
    std::optional<NSAttributeValue> value;
    if (auto it = attrs.find(key); it != attrs.end()) value = it->second;
    if (pending.location != NSNotFound && value == current) {
      pending.length += r.length;
      return;
    }
    if (pending.location != NSNotFound) {
      body(current, pending, stop);
      if (stop) {
        innerStop = true;
        return;
      }
    }
    current = std::move(value);
    pending = r;
  });
  if (!stop && pending.location != NSNotFound) body(current, pending, stop);
}

std::shared_ptr<NSAttributedString> NSAttributedString::attributedSubstring(NSRange range) const {
  NSRange safe = clampedRange(range);
  auto result = create();
  auto bytes = byteRange(text_, safe).value_or(ByteRange{text_.size(), text_.size()});
  result->text_ = text_.substr(bytes.begin, bytes.end - bytes.begin);
  result->length_ = safe.length;
  enumerateAttributes(safe, [&](const NSAttributes& attrs, NSRange r, bool&) {
    result->runs_.push_back(Run{r.length, attrs});
  });
  return result;
}

std::shared_ptr<NSMutableAttributedString> NSAttributedString::mutableCopy() const {
  return NSMutableAttributedString::create(*this);
}

bool NSAttributedString::isEqual(const NSAttributedString& other) const {
  if (text_ != other.text_ || runs_.size() != other.runs_.size()) return false;
  for (std::size_t i = 0; i < runs_.size(); ++i) {
    if (runs_[i].length != other.runs_[i].length || runs_[i].attributes != other.runs_[i].attributes)
      return false;
  }
  return true;
}

}  // namespace ios
