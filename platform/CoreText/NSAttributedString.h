#pragma once

#include <CoreText/NSAttributes.h>
#include <Foundation/NSObject.h>
#include <Foundation/NSString.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ios {

class NSMutableAttributedString;

// Text (UTF-8) with attributes over ranges. Every index and range is in UTF-16 code units, as in
// Foundation, so `length` of "Việt 😀" is 7.
//
// Ranges from callers are made safe rather than trusted: a location past the end becomes the end,
// a length running past the end is cut at the end, and a bound that falls between the two halves
// of a surrogate pair moves outward to take in the whole character. Nothing ever reads or writes
// outside the text. Text that is not valid UTF-8 is stored with each bad sequence replaced by U+FFFD.
class NSAttributedString : public NSObject {
 public:
  using Key = NSAttributedStringKey;

  // A stretch of text with one set of attributes. Runs cover the text in order, none is empty, and
  // no two neighbours have equal attributes. An empty text has no run.
  struct Run {
    std::size_t length = 0;
    NSAttributes attributes;
  };

  static std::shared_ptr<NSAttributedString> create(std::string_view string = {},
                                                    NSAttributes attributes = {});
  // `NSAttributedString(attachment:)`: one U+FFFC carrying the attachment.
  static std::shared_ptr<NSAttributedString> create(std::shared_ptr<NSTextAttachment> attachment);
  static std::shared_ptr<NSAttributedString> create(const NSAttributedString& other);

  const std::string& string() const { return text_; }
  std::size_t length() const { return length_; }
  const std::vector<Run>& runs() const { return runs_; }

  // The attributes of the character at `location` and, in `effectiveRange`, the whole run that has
  // them. A location at or past the end gives no attributes and the range {length, 0}.
  NSAttributes attributes(std::size_t location, NSRange* effectiveRange = nullptr) const;
  std::optional<NSAttributeValue> attribute(Key key, std::size_t location,
                                            NSRange* effectiveRange = nullptr) const;

  // Calls `body` for each stretch of `range` over which the attribute (or its absence) is the same,
  // in order; setting `stop` ends the walk.
  using AttributeVisitor = std::function<void(const std::optional<NSAttributeValue>&, NSRange, bool& stop)>;
  void enumerateAttribute(Key key, NSRange range, const AttributeVisitor& body) const;
  using AttributesVisitor = std::function<void(const NSAttributes&, NSRange, bool& stop)>;
  void enumerateAttributes(NSRange range, const AttributesVisitor& body) const;

  std::shared_ptr<NSAttributedString> attributedSubstring(NSRange range) const;
  std::shared_ptr<NSMutableAttributedString> mutableCopy() const;

  // The same text and the same attributes over the same ranges.
  bool isEqual(const NSAttributedString& other) const;
  friend bool operator==(const NSAttributedString& a, const NSAttributedString& b) { return a.isEqual(b); }

  // `range` made safe as described above.
  NSRange clampedRange(NSRange range) const;

  struct Private {};
  NSAttributedString(const Private&, std::string_view string, NSAttributes attributes);

 protected:
  std::string text_;
  std::size_t length_ = 0;
  std::vector<Run> runs_;
};

}  // namespace ios
