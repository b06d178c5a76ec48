#include <UIKit/Nib/NibDocument.h>

#include <algorithm>

namespace ios {

std::string NibError::message() const {
  std::string text = file;
  if (line > 0) text += ":" + std::to_string(line);
  text += ": ";
  if (!path.empty()) text += path + ": ";
  return text + problem;
}

namespace {

// Screens load the same interface files each time they open; a file is parsed once per content.
class ParsedDocuments {
 public:
  std::shared_ptr<const NibDocument> find(const std::string& file, std::string_view text) const {
    std::lock_guard lock(mutex_);
    auto found = documents_.find(key(file, text));
    return found == documents_.end() ? nullptr : found->second;
  }
  void remember(const std::string& file, std::string_view text, std::shared_ptr<const NibDocument> document) {
    std::lock_guard lock(mutex_);
    if (documents_.size() >= kLimit) documents_.clear();
    documents_.emplace(key(file, text), std::move(document));
  }

 private:
  static constexpr std::size_t kLimit = 256;
  static std::string key(const std::string& file, std::string_view text) {
    std::string joined = file;
    joined.push_back('\0');  // no file name holds a NUL, so name and text cannot run into each other
    return joined.append(text);
  }
  mutable std::mutex mutex_;
  std::unordered_map<std::string, std::shared_ptr<const NibDocument>> documents_;
};

ParsedDocuments& parsedDocuments() {
  static ParsedDocuments documents;
  return documents;
}

}  // namespace

std::variant<std::shared_ptr<const NibDocument>, NibError> NibDocument::parse(std::string file,
                                                                              std::string_view text) {
  if (auto known = parsedDocuments().find(file, text)) return known;
  auto parsed = parseText(file, text);
  if (auto* document = std::get_if<std::shared_ptr<const NibDocument>>(&parsed))
    parsedDocuments().remember(file, text, *document);
  return parsed;
}

std::variant<std::shared_ptr<const NibDocument>, NibError> NibDocument::parseText(std::string file,
                                                                                  std::string_view text) {
  if (text.size() > maximumSize) {
    return NibError{file, 0, "",
                    "the file is " + std::to_string(text.size()) + " bytes, more than the " +
                        std::to_string(maximumSize) + " an interface file may have"};
  }
  NibJSON root;
  try {
    root = NibJSON::parse(text.begin(), text.end());
  } catch (const NibJSON::parse_error& error) {
    std::size_t offset = std::min<std::size_t>(error.byte > 0 ? error.byte - 1 : 0, text.size());
    int line = 1 + static_cast<int>(
                       std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(offset), '\n'));
    std::string what = error.what();
    // nlohmann's text starts with "[json.exception.parse_error.101] parse error at line 1, column 2: ".
    auto colon = what.find(": ");
    return NibError{file, line, "",
                    "malformed JSON: " + (colon == std::string::npos ? what : what.substr(colon + 2))};
  } catch (const NibJSON::exception& error) {
    // A value the parser cannot hold, such as a number too large for a double: no position known.
    std::string what = error.what();
    auto bracket = what.find("] ");
    return NibError{file, 0, "",
                    "malformed JSON: " + (bracket == std::string::npos ? what : what.substr(bracket + 2))};
  }
  if (!root.is_object()) return NibError{file, 1, "", "the file must hold a JSON object"};
  return std::shared_ptr<const NibDocument>(
      new NibDocument(std::move(file), std::string(text), std::move(root)));
}

int NibDocument::lineOf(const NibJSON* value) const {
  if (!value) return 0;
  std::call_once(mapped_, [this] { mapLines(); });
  auto found = offsets_.find(value);
  if (found == offsets_.end()) return 0;
  return 1 + static_cast<int>(
                 std::count(text_.begin(), text_.begin() + static_cast<std::ptrdiff_t>(found->second), '\n'));
}

namespace {

// Walks the text of a document that parsed, in step with the parsed values, noting where each value
// starts. The text is known to be valid JSON, so the scanner only needs to find token ends.
class LineMapper {
 public:
  static constexpr int maximumDepth = 256;

  LineMapper(const std::string& text, std::unordered_map<const NibJSON*, std::size_t>& offsets)
      : text_(text), offsets_(offsets) {}

  void walk(const NibJSON& value, int depth) {
    skipSpace();
    offsets_[&value] = at_;
    if (at_ >= text_.size()) return;
    if (text_[at_] == '{' && value.is_object() && depth < maximumDepth) {
      ++at_;
      while (skipSpace(), at_ < text_.size() && text_[at_] != '}') {
        std::size_t keyStart = at_;
        skipString();
        std::string key = NibJSON::parse(text_.begin() + static_cast<std::ptrdiff_t>(keyStart),
                                         text_.begin() + static_cast<std::ptrdiff_t>(at_))
                              .get<std::string>();
        skipSpace();
        ++at_;  // ':'
        auto member = value.find(key);
        if (member != value.end()) {
          walk(*member, depth + 1);
        } else {
          skipSpace();
          skipValue();
        }
        skipSpace();
        if (at_ < text_.size() && text_[at_] == ',') ++at_;
      }
      ++at_;
    } else if (text_[at_] == '[' && value.is_array() && depth < maximumDepth) {
      ++at_;
      std::size_t index = 0;
      while (skipSpace(), at_ < text_.size() && text_[at_] != ']') {
        if (index < value.size()) {
          walk(value[index], depth + 1);
        } else {
          skipValue();
        }
        ++index;
        skipSpace();
        if (at_ < text_.size() && text_[at_] == ',') ++at_;
      }
      ++at_;
    } else {
      skipValue();
    }
  }

 private:
  void skipSpace() {
    while (at_ < text_.size() &&
           (text_[at_] == ' ' || text_[at_] == '\t' || text_[at_] == '\n' || text_[at_] == '\r')) {
      ++at_;
    }
  }
  void skipString() {
    ++at_;  // the opening quote
    while (at_ < text_.size() && text_[at_] != '"') at_ += text_[at_] == '\\' ? 2 : 1;
    ++at_;
  }
  // Any value, without recursion: nesting is counted.
  void skipValue() {
    int depth = 0;
    while (at_ < text_.size()) {
      char c = text_[at_];
      if (c == '"') {
        skipString();
      } else if (c == '{' || c == '[') {
        ++depth;
        ++at_;
      } else if (c == '}' || c == ']') {
        if (depth == 0) return;
        --depth;
        ++at_;
      } else if (c == ',' && depth == 0) {
        return;
      } else {
        ++at_;
      }
      if (depth == 0 && (c == '"' || c == '}' || c == ']')) return;
    }
  }

  const std::string& text_;
  std::unordered_map<const NibJSON*, std::size_t>& offsets_;
  std::size_t at_ = 0;
};

}  // namespace

void NibDocument::mapLines() const {
  try {
    LineMapper(text_, offsets_).walk(root_, 0);
  } catch (const NibJSON::exception&) {
    // The text parsed before, so this does not happen; without a map errors just have no line.
  }
}

}  // namespace ios
