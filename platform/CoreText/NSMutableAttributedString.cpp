#include <CoreText/NSMutableAttributedString.h>

#include <algorithm>

namespace ios {

namespace {

std::string sanitized(std::string_view text) {
  if (isValidUTF8(text)) return std::string(text);
  return utf16ToUtf8(utf8ToUtf16(text)).value_or(std::string());
}

}  // namespace

NSMutableAttributedString::NSMutableAttributedString(const Private&, std::string_view string,
                                                     NSAttributes attributes)
    : NSAttributedString(NSAttributedString::Private{}, string, std::move(attributes)) {}

std::shared_ptr<NSMutableAttributedString> NSMutableAttributedString::create(std::string_view string,
                                                                             NSAttributes attributes) {
  return std::make_shared<NSMutableAttributedString>(Private{}, string, std::move(attributes));
}

std::shared_ptr<NSMutableAttributedString> NSMutableAttributedString::create(
    const NSAttributedString& other) {
  auto copy = create();
  copy->setAttributedString(other);
  return copy;
}

std::shared_ptr<NSMutableAttributedString> NSMutableAttributedString::create(std::string_view string,
                                                                             std::vector<Run> runs) {
  auto result = create(string);
  std::size_t remaining = result->length_;
  result->runs_.clear();
  for (Run& run : runs) {
    run.length = std::min(run.length, remaining);
    remaining -= run.length;
    result->runs_.push_back(std::move(run));
  }
  if (remaining > 0) result->runs_.push_back(Run{remaining, {}});
  result->coalesce();
  return result;
}

std::size_t NSMutableAttributedString::splitAt(std::size_t index) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < runs_.size(); ++i) {
    if (index == start) return i;
    if (index < start + runs_[i].length) {
      Run tail{start + runs_[i].length - index, runs_[i].attributes};
      runs_[i].length = index - start;
      runs_.insert(runs_.begin() + static_cast<std::ptrdiff_t>(i) + 1, std::move(tail));
      return i + 1;
    }
    start += runs_[i].length;
  }
  return runs_.size();
}

void NSMutableAttributedString::coalesce() {
  std::vector<Run> merged;
  for (Run& run : runs_) {
    if (run.length == 0) continue;
    if (!merged.empty() && merged.back().attributes == run.attributes) {
      merged.back().length += run.length;
    } else {
      merged.push_back(std::move(run));
    }
  }
  runs_ = std::move(merged);
}

template <typename Edit>
void NSMutableAttributedString::editRuns(NSRange range, Edit edit) {
  NSRange safe = clampedRange(range);
  if (safe.length == 0) return;
  std::size_t first = splitAt(safe.location);
  std::size_t last = splitAt(safe.upperBound());
  for (std::size_t i = first; i < last; ++i) edit(runs_[i].attributes);
  coalesce();
}

void NSMutableAttributedString::addAttribute(Key key, const NSAttributeValue& value, NSRange range) {
  editRuns(range, [&](NSAttributes& attrs) { attrs.insert_or_assign(key, value); });
}

void NSMutableAttributedString::addAttributes(const NSAttributes& attributes, NSRange range) {
  editRuns(range, [&](NSAttributes& attrs) {
    for (const auto& [key, value] : attributes) attrs.insert_or_assign(key, value);
  });
}

void NSMutableAttributedString::replace(NSRange safe, std::string_view text, std::vector<Run> runs) {
  auto bytes = byteRange(text_, safe).value_or(ByteRange{text_.size(), text_.size()});
  std::size_t first = splitAt(safe.location);
  std::size_t last = splitAt(safe.upperBound());
  runs_.erase(runs_.begin() + static_cast<std::ptrdiff_t>(first),
              runs_.begin() + static_cast<std::ptrdiff_t>(last));
  runs_.insert(runs_.begin() + static_cast<std::ptrdiff_t>(first), std::make_move_iterator(runs.begin()),
               std::make_move_iterator(runs.end()));
  text_.replace(bytes.begin, bytes.end - bytes.begin, text);
  length_ = utf16Length(text_);
  coalesce();
}

void NSMutableAttributedString::replaceCharacters(NSRange range, std::string_view string) {
  NSRange safe = clampedRange(range);
  std::string text = sanitized(string);
  NSAttributes inherited;
  if (safe.length > 0) {
    inherited = attributes(safe.location);
  } else if (safe.location > 0) {
    inherited = attributes(safe.location - 1);
  } else {
    inherited = attributes(0);
  }
  std::size_t length = utf16Length(text);
  std::vector<Run> runs;
  if (length > 0) runs.push_back(Run{length, std::move(inherited)});
  replace(safe, text, std::move(runs));
}

void NSMutableAttributedString::replaceCharacters(NSRange range, const NSAttributedString& string) {
  // Copy first: `string` may be this very object.
  std::string text = string.string();
  std::vector<Run> runs = string.runs();
  replace(clampedRange(range), text, std::move(runs));
}

void NSMutableAttributedString::insert(const NSAttributedString& string, std::size_t location) {
  replaceCharacters(NSRange{location, 0}, string);
}

void NSMutableAttributedString::append(const NSAttributedString& string) {
  replaceCharacters(NSRange{length_, 0}, string);
}

void NSMutableAttributedString::setAttributedString(const NSAttributedString& string) {
  replaceCharacters(NSRange{0, length_}, string);
}

}  // namespace ios
