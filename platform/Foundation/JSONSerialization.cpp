#include <Foundation/JSONSerialization.h>

#include <cstddef>
#include <cstring>
#include <iterator>

namespace ios {

namespace {

// nlohmann's own tree builder behind a gate that stops the parse at the first level too deep, so
// that neither the parse nor anything after it recurses without bound.
class DepthLimitedBuilder {
 public:
  using Json = Dictionary;
  explicit DepthLimitedBuilder(Json& root) : builder_(root, /*allow_exceptions=*/false) {}

  bool tooDeep() const { return tooDeep_; }

  bool null() { return builder_.null(); }
  bool boolean(bool value) { return builder_.boolean(value); }
  bool number_integer(Json::number_integer_t value) { return builder_.number_integer(value); }
  bool number_unsigned(Json::number_unsigned_t value) { return builder_.number_unsigned(value); }
  bool number_float(Json::number_float_t value, const Json::string_t& text) {
    return builder_.number_float(value, text);
  }
  bool string(Json::string_t& value) { return builder_.string(value); }
  bool binary(Json::binary_t& value) { return builder_.binary(value); }
  bool key(Json::string_t& value) { return builder_.key(value); }
  bool start_object(std::size_t size) { return enter() && builder_.start_object(size); }
  bool end_object() { return leave() && builder_.end_object(); }
  bool start_array(std::size_t size) { return enter() && builder_.start_array(size); }
  bool end_array() { return leave() && builder_.end_array(); }
  bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) { return false; }

 private:
  bool enter() {
    tooDeep_ = ++depth_ > JSONSerialization::maximumDepth;
    return !tooDeep_;
  }
  bool leave() {
    --depth_;
    return true;
  }

  nlohmann::detail::json_sax_dom_parser<Json> builder_;
  int depth_ = 0;
  bool tooDeep_ = false;
};

// The parser's place in the text. A type of this file's own makes the parser built for it private to
// this library, so the lexer's call per character is a direct one and not one through the library's
// symbol table, as it would be for a parser over plain pointers that any library may also build.
struct Cursor {
  using iterator_category = std::forward_iterator_tag;
  using value_type = char;
  using difference_type = std::ptrdiff_t;
  using pointer = const char*;
  using reference = const char&;

  const char* at = nullptr;

  reference operator*() const { return *at; }
  Cursor& operator++() {
    ++at;
    return *this;
  }
  Cursor operator++(int) {
    Cursor before = *this;
    ++at;
    return before;
  }
  bool operator==(const Cursor&) const = default;
};

}  // namespace

std::variant<Dictionary, JSONSerialization::ReadError> JSONSerialization::read(std::string_view text,
                                                                              ReadingOptions options) {
  // The parser takes a NUL byte for the end of the text, which would accept "{}\0garbage"; a NUL is
  // never valid JSON anyway (inside a string it must be escaped).
  if (std::memchr(text.data(), '\0', text.size())) return ReadError::invalid;
  Dictionary value;
  DepthLimitedBuilder builder(value);
  if (!Dictionary::sax_parse(Cursor{text.data()}, Cursor{text.data() + text.size()}, &builder)) {
    return builder.tooDeep() ? ReadError::tooDeep : ReadError::invalid;
  }
  if (options == ReadingOptions::none && !value.is_object() && !value.is_array()) return ReadError::invalid;
  return value;
}

std::optional<Dictionary> JSONSerialization::jsonObject(const Data& data) {
  auto result = read(data.bytes);
  if (auto* value = std::get_if<Dictionary>(&result)) return std::move(*value);
  return std::nullopt;
}

Data JSONSerialization::data(const Dictionary& withJSONObject) {
  return Data(withJSONObject.dump(-1, ' ', false, Dictionary::error_handler_t::replace));
}

}  // namespace ios
