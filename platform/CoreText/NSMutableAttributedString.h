#pragma once

#include <CoreText/NSAttributedString.h>

#include <memory>
#include <string_view>
#include <vector>

namespace ios {

class NSMutableAttributedString : public NSAttributedString {
 public:
  static std::shared_ptr<NSMutableAttributedString> create(std::string_view string = {},
                                                           NSAttributes attributes = {});
  static std::shared_ptr<NSMutableAttributedString> create(const NSAttributedString& other);
  // Text and its runs at once, for builders that produce many runs. Runs are cut or extended (with
  // no attributes) to cover the text exactly; empty runs are dropped and equal neighbours merged.
  static std::shared_ptr<NSMutableAttributedString> create(std::string_view string, std::vector<Run> runs);

  // Attribute edits keep the text; the range is made safe first.
  void addAttribute(Key key, const NSAttributeValue& value, NSRange range);
  void addAttributes(const NSAttributes& attributes, NSRange range);

  // Plain text takes the attributes of the first character it replaces; an insertion (empty range)
  // takes those of the character before it, or of the one after it at location 0.
  void replaceCharacters(NSRange range, std::string_view string);
  void replaceCharacters(NSRange range, const NSAttributedString& string);
  void insert(const NSAttributedString& string, std::size_t location);
  void append(const NSAttributedString& string);
  void setAttributedString(const NSAttributedString& string);

  struct Private {};
  NSMutableAttributedString(const Private&, std::string_view string, NSAttributes attributes);

 private:
  // Makes a run boundary at `index` (UTF-16) and returns the index of the run starting there.
  std::size_t splitAt(std::size_t index);
  void coalesce();
  template <typename Edit>
  void editRuns(NSRange range, Edit edit);
  void replace(NSRange safeRange, std::string_view text, std::vector<Run> runs);
};

}  // namespace ios
