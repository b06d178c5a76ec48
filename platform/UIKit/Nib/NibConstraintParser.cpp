#include <UIKit/Nib/NibConstraintParser.h>

#include <cctype>
#include <charconv>
#include <cmath>
#include <map>

namespace ios {

namespace {

enum class Axis { horizontal, vertical, dimension };

Axis axisOf(NSLayoutAttribute attribute) {
  switch (attribute) {
    case NSLayoutAttribute::width:
    case NSLayoutAttribute::height:
      return Axis::dimension;
    case NSLayoutAttribute::top:
    case NSLayoutAttribute::bottom:
    case NSLayoutAttribute::centerY:
    case NSLayoutAttribute::firstBaseline:
    case NSLayoutAttribute::lastBaseline:
      return Axis::vertical;
    default:
      return Axis::horizontal;
  }
}

struct Failure {
  NibConstraintSyntaxError error;
};

// A cursor over the expression; every `expect...` throws Failure, caught once in `parse`.
class Reader {
 public:
  explicit Reader(std::string_view text) : text_(text) {}

  void skipSpace() {
    while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\t')) ++at_;
  }
  bool atEnd() {
    skipSpace();
    return at_ >= text_.size();
  }
  std::size_t column() const { return at_ + 1; }
  [[noreturn]] void fail(std::string message, std::size_t column) const {
    throw Failure{{column, std::move(message)}};
  }
  [[noreturn]] void fail(std::string message) const { fail(std::move(message), at_ + 1); }

  bool accept(std::string_view token) {
    skipSpace();
    if (text_.substr(at_).starts_with(token)) {
      at_ += token.size();
      return true;
    }
    return false;
  }
  // A word, not the start of a longer identifier.
  bool acceptKeyword(std::string_view word) {
    skipSpace();
    std::size_t end = at_ + word.size();
    if (!text_.substr(at_).starts_with(word)) return false;
    if (end < text_.size() && (std::isalnum(static_cast<unsigned char>(text_[end])) || text_[end] == '_'))
      return false;
    at_ = end;
    return true;
  }
  char peek() {
    skipSpace();
    return at_ < text_.size() ? text_[at_] : '\0';
  }

  std::string identifier(const char* what) {
    skipSpace();
    std::size_t start = at_;
    if (at_ < text_.size() && (std::isalpha(static_cast<unsigned char>(text_[at_])) || text_[at_] == '_')) {
      ++at_;
      while (at_ < text_.size() &&
             (std::isalnum(static_cast<unsigned char>(text_[at_])) || text_[at_] == '_'))
        ++at_;
    }
    if (start == at_) fail(std::string("expected ") + what);
    return std::string(text_.substr(start, at_ - start));
  }

  double number(const char* what) {
    skipSpace();
    std::size_t start = at_;
    bool negative = false;
    if (at_ < text_.size() && text_[at_] == '-') {
      negative = true;
      ++at_;
    }
    std::size_t digits = at_;
    while (at_ < text_.size() && (std::isdigit(static_cast<unsigned char>(text_[at_])) || text_[at_] == '.'))
      ++at_;
    if (digits == at_) {
      at_ = start;
      fail(std::string("expected ") + what);
    }
    double value = 0;
    auto [end, error] = std::from_chars(text_.data() + digits, text_.data() + at_, value);
    if (error != std::errc() || end != text_.data() + at_ || !std::isfinite(value)) {
      at_ = start;
      fail(std::string("expected ") + what);
    }
    return negative ? -value : value;
  }

 private:
  std::string_view text_;
  std::size_t at_ = 0;
};

NibConstraintTerm term(Reader& reader) {
  NibConstraintTerm result;
  reader.skipSpace();
  result.column = reader.column();
  result.item = reader.identifier("an item name");
  if (!reader.accept(".")) reader.fail("expected \".\" and an attribute");
  std::size_t nameColumn = (reader.skipSpace(), reader.column());
  std::string name = reader.identifier("an attribute");
  if (name == "safeArea" || name == "margins") {
    result.guide =
        name == "safeArea" ? NibConstraintTerm::Guide::safeArea : NibConstraintTerm::Guide::margins;
    if (!reader.accept(".")) reader.fail("expected \".\" and an attribute of the " + name + " guide");
    nameColumn = (reader.skipSpace(), reader.column());
    name = reader.identifier("an attribute");
  }
  auto attribute = NibConstraintParser::attributeNamed(name);
  if (!attribute) reader.fail("unknown attribute \"" + name + "\"", nameColumn);
  result.attribute = *attribute;
  return result;
}

float priority(Reader& reader) {
  reader.skipSpace();
  std::size_t column = reader.column();
  if (std::isalpha(static_cast<unsigned char>(reader.peek()))) {
    std::string name = reader.identifier("a priority");
    if (name == "required") return UILayoutPriorityRequired;
    if (name == "high") return UILayoutPriorityDefaultHigh;
    if (name == "low") return UILayoutPriorityDefaultLow;
    reader.fail("unknown priority \"" + name + "\" (a number 1...1000, required, high or low)", column);
  }
  double value = reader.number("a priority");
  if (value < 1 || value > 1000) reader.fail("a priority must be between 1 and 1000", column);
  return static_cast<float>(value);
}

NibConstraintDescription constraint(Reader& reader) {
  NibConstraintDescription result;
  result.first = term(reader);
  std::size_t relationColumn = (reader.skipSpace(), reader.column());
  if (reader.accept("==")) {
    result.relation = NSLayoutRelation::equal;
  } else if (reader.accept(">=")) {
    result.relation = NSLayoutRelation::greaterThanOrEqual;
  } else if (reader.accept("<=")) {
    result.relation = NSLayoutRelation::lessThanOrEqual;
  } else {
    reader.fail("expected ==, >= or <=");
  }
  char next = reader.peek();
  std::size_t rhsColumn = reader.column();
  if (std::isalpha(static_cast<unsigned char>(next)) || next == '_') {
    result.second = term(reader);
    if (reader.accept("*")) {
      result.multiplier = reader.number("a multiplier");
    } else if (reader.accept("/")) {
      std::size_t column = (reader.skipSpace(), reader.column());
      double divisor = reader.number("a divisor");
      if (divisor == 0) reader.fail("division by zero", column);
      result.multiplier = 1 / divisor;
    }
    if (reader.accept("+")) {
      result.constant = reader.number("a constant");
    } else if (reader.accept("-")) {
      result.constant = -reader.number("a constant");
    }
  } else {
    result.constant = reader.number("a number or an item");
  }
  if (reader.accept("@")) result.priority = priority(reader);
  if (reader.acceptKeyword("as")) {
    result.name = reader.identifier("a name after \"as\"");
  }
  if (!reader.atEnd()) reader.fail("unexpected text");

  Axis firstAxis = axisOf(result.first.attribute);
  if (!result.second) {
    if (firstAxis != Axis::dimension) {
      reader.fail("a position attribute needs an item to relate to, not a bare number", rhsColumn);
    }
  } else if (axisOf(result.second->attribute) != firstAxis) {
    reader.fail("cannot relate attributes of different axes", relationColumn);
  }
  return result;
}

}  // namespace

std::optional<NSLayoutAttribute> NibConstraintParser::attributeNamed(std::string_view name) {
  static const std::map<std::string_view, NSLayoutAttribute> attributes{
      {"leading", NSLayoutAttribute::leading},
      {"trailing", NSLayoutAttribute::trailing},
      {"left", NSLayoutAttribute::left},
      {"right", NSLayoutAttribute::right},
      {"top", NSLayoutAttribute::top},
      {"bottom", NSLayoutAttribute::bottom},
      {"width", NSLayoutAttribute::width},
      {"height", NSLayoutAttribute::height},
      {"centerX", NSLayoutAttribute::centerX},
      {"centerY", NSLayoutAttribute::centerY},
      {"firstBaseline", NSLayoutAttribute::firstBaseline},
      {"lastBaseline", NSLayoutAttribute::lastBaseline}};
  auto found = attributes.find(name);
  if (found == attributes.end()) return std::nullopt;
  return found->second;
}

std::variant<NibConstraintDescription, NibConstraintSyntaxError> NibConstraintParser::parse(
    std::string_view text) {
  Reader reader(text);
  try {
    return constraint(reader);
  } catch (const Failure& failure) {
    return failure.error;
  }
}

}  // namespace ios
