#pragma once

#include <UIKit/Nib/NibError.h>
#include <UIKit/Nib/NibValueConverter.h>

#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <variant>

namespace ios {

// The parsed text of one interface file, shared by every instantiation of it.
class NibDocument {
 public:
  // Larger files are refused unread.
  static constexpr std::size_t maximumSize = 8u << 20;

  // The document, or an error for an oversized file, malformed JSON or a top level that is not an
  // object. `file` names the file in error messages. The same name and text give the same document.
  static std::variant<std::shared_ptr<const NibDocument>, NibError> parse(std::string file,
                                                                          std::string_view text);

  const std::string& file() const { return file_; }
  const NibJSON& root() const { return root_; }
  // The 1-based line where `value`, a value inside `root()`, starts in the text; 0 when unknown
  // (a value nested deeper than the line map follows). The map is made on the first call only, so
  // files that load cleanly never pay for it.
  int lineOf(const NibJSON* value) const;

 private:
  NibDocument(std::string file, std::string text, NibJSON root)
      : file_(std::move(file)), text_(std::move(text)), root_(std::move(root)) {}

  static std::variant<std::shared_ptr<const NibDocument>, NibError> parseText(std::string file,
                                                                              std::string_view text);
  void mapLines() const;

  std::string file_;
  std::string text_;
  NibJSON root_;
  mutable std::once_flag mapped_;
  mutable std::unordered_map<const NibJSON*, std::size_t> offsets_;
};

}  // namespace ios
