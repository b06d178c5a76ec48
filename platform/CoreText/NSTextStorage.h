#pragma once

#include <CoreText/NSMutableAttributedString.h>

#include <memory>
#include <vector>

namespace ios {

class NSLayoutManager;

// The text a layout manager lays out.
class NSTextStorage : public NSMutableAttributedString {
 public:
  static std::shared_ptr<NSTextStorage> create(std::string_view string = {}, NSAttributes attributes = {});

  void addLayoutManager(const std::shared_ptr<NSLayoutManager>& manager);
  void removeLayoutManager(const std::shared_ptr<NSLayoutManager>& manager);
  const std::vector<std::shared_ptr<NSLayoutManager>>& layoutManagers() const { return managers_; }

  NSTextStorage(const Private& p, std::string_view string, NSAttributes attributes)
      : NSMutableAttributedString(p, string, std::move(attributes)) {}

 private:
  std::vector<std::shared_ptr<NSLayoutManager>> managers_;
};

}  // namespace ios
