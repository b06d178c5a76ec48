// Any text as a constraint expression. What parses must print back to an expression that parses to
// the same description, and errors must point inside the text (or just past its end).
#include <UIKit/Nib/NibConstraintParser.h>

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

using ios::NibConstraintDescription;
using ios::NibConstraintTerm;

const char* attributeName(ios::NSLayoutAttribute attribute) {
  for (const char* name : {"leading", "trailing", "left", "right", "top", "bottom", "width", "height",
                           "centerX", "centerY", "firstBaseline", "lastBaseline"}) {
    if (ios::NibConstraintParser::attributeNamed(name) == attribute) return name;
  }
  __builtin_trap();
}

// The grammar has no exponents: the shortest fixed notation that reads back as the same double.
std::string number(double value) {
  char text[512];
  auto end = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed).ptr;
  return std::string(text, end);
}

std::string term(const NibConstraintTerm& t) {
  std::string out = t.item;
  if (t.guide == NibConstraintTerm::Guide::safeArea) out += ".safeArea";
  if (t.guide == NibConstraintTerm::Guide::margins) out += ".margins";
  return out + "." + attributeName(t.attribute);
}

std::string print(const NibConstraintDescription& d) {
  std::string out = term(d.first);
  out += d.relation == ios::NSLayoutRelation::equal             ? " == "
         : d.relation == ios::NSLayoutRelation::lessThanOrEqual ? " <= "
                                                                : " >= ";
  if (d.second) {
    out += term(*d.second) + " * " + number(d.multiplier) + " + " + number(d.constant);
  } else {
    out += number(d.constant);
  }
  out += " @" + number(d.priority);
  if (!d.name.empty()) out += " as " + d.name;
  return out;
}

bool same(const NibConstraintTerm& a, const NibConstraintTerm& b) {
  return a.item == b.item && a.guide == b.guide && a.attribute == b.attribute;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  auto parsed = ios::NibConstraintParser::parse(text);
  if (auto* error = std::get_if<ios::NibConstraintSyntaxError>(&parsed)) {
    if (error->column < 1 || error->column > size + 1 || error->message.empty()) __builtin_trap();
    return 0;
  }
  const auto& description = std::get<NibConstraintDescription>(parsed);
  auto again = ios::NibConstraintParser::parse(print(description));
  auto* reparsed = std::get_if<NibConstraintDescription>(&again);
  if (!reparsed) __builtin_trap();
  if (!same(reparsed->first, description.first) || reparsed->relation != description.relation ||
      reparsed->second.has_value() != description.second.has_value() ||
      (description.second && !same(*reparsed->second, *description.second)) ||
      reparsed->multiplier != description.multiplier || reparsed->constant != description.constant ||
      reparsed->priority != description.priority || reparsed->name != description.name) {
    __builtin_trap();
  }
  return 0;
}
