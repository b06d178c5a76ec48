#pragma once

#include <Foundation/NSObject.h>

#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ios {

// Names interface files may use for the integer value of a key ("contentMode": "scaleAspectFill").
// Tables are per class and key and inherited: a table given for UIView's "contentMode" serves every
// view. View classes add their tables at static-initialisation time, next to their class
// registration:
//   const ios::NibEnumNames::Table kAlignment("UILabel", "textAlignment", {{"left", 0}, {"center", 1}});
class NibEnumNames {
 public:
  using Names = std::vector<std::pair<std::string, long long>>;

  // Adds (or replaces) the names of `key` for `className`.
  static void add(std::string className, std::string key, Names names);
  // The value named `name` for `key` of `object`'s class or its nearest ancestor with a table.
  // nullopt when no table applies or the table lacks the name.
  static std::optional<long long> value(const NSObject& object, std::string_view key, std::string_view name);
  // The names that would be accepted, for error messages; empty when no table applies.
  static std::vector<std::string> names(const NSObject& object, std::string_view key);

  struct Table {
    Table(std::string className, std::string key, Names names) {
      add(std::move(className), std::move(key), std::move(names));
    }
  };

 private:
  static const Names* tableFor(const NSObject& object, std::string_view key);
};

}  // namespace ios
