#pragma once

#include <UIKit/NSLayoutConstraint.h>

#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace ios {

// One side of a constraint as written: an item name, an optional guide of that item, an attribute.
struct NibConstraintTerm {
  enum class Guide { none, safeArea, margins };
  std::string item;  // an object id, "superview" or "self"
  Guide guide = Guide::none;
  NSLayoutAttribute attribute = NSLayoutAttribute::notAnAttribute;
  std::size_t column = 0;  // 1-based column where the item name starts
};

// A constraint expression with its names still unresolved.
struct NibConstraintDescription {
  NibConstraintTerm first;
  NSLayoutRelation relation = NSLayoutRelation::equal;
  std::optional<NibConstraintTerm> second;  // absent for a constant width or height
  double multiplier = 1;
  double constant = 0;
  float priority = UILayoutPriorityRequired;
  std::string name;  // after "as": the constraint's identifier and id
};

struct NibConstraintSyntaxError {
  std::size_t column = 0;  // 1-based
  std::string message;
};

// Reads the constraint grammar of interface files (docs/INTERFACE_FILES.md):
//
//   constraint := term relation rhs [ "@" priority ] [ "as" name ]
//   term       := item [ "." guide ] "." attribute      guide := safeArea | margins
//   rhs        := number | term [ ("*" | "/") number ] [ ("+" | "-") number ]
//   relation   := "==" | ">=" | "<="
//   priority   := number (1...1000) | required | high | low
//
// Whitespace between tokens is free. Anything else, a position attribute with a bare number, or
// attributes of different axes is an error with the 1-based column where the problem starts.
class NibConstraintParser {
 public:
  static std::variant<NibConstraintDescription, NibConstraintSyntaxError> parse(std::string_view text);
  // The attribute named in expressions ("leading", "centerX", "lastBaseline", ...).
  static std::optional<NSLayoutAttribute> attributeNamed(std::string_view name);
};

}  // namespace ios
