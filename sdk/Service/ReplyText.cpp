#include <Service/ReplyText.h>

#include <Foundation/JSONSerialization.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <variant>

namespace kerbelin {

namespace {

// Where the body's text lies in the reply text: from just after its opening quote to its closing one.
struct Span {
  std::size_t begin = 0;
  std::size_t end = 0;
};

bool isSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

std::size_t find(std::string_view text, char c, std::size_t from, std::size_t to) {
  const void* found = std::memchr(text.data() + from, c, to - from);
  return found ? static_cast<std::size_t>(static_cast<const char*>(found) - text.data()) : std::string_view::npos;
}

// The index of the quote that closes the string opened at `open`, or npos. An escaped character is
// stepped over whatever it is, which finds the same end as the lexer for every text it accepts.
// Both searches run over the whole body's text at library speed.
std::size_t closingQuote(std::string_view text, std::size_t open) {
  std::size_t from = open + 1;
  while (from <= text.size()) {
    const std::size_t quote = find(text, '"', from, text.size());
    if (quote == std::string_view::npos) return quote;
    const std::size_t escape = find(text, '\\', from, quote);
    if (escape == std::string_view::npos) return quote;
    from = escape + 2;
  }
  return std::string_view::npos;
}

// Whether any of the eight bytes in `word` is below 0x20 or above 0x7E: a byte below 0x20 borrows
// into its top bit when 0x20 is taken away, one from 0x7F carries into it when 1 is added, and one
// from 0x80 has it set already.
bool hasUnplainByte(std::uint64_t word) {
  constexpr std::uint64_t ones = 0x0101010101010101u, tops = 0x8080808080808080u;
  return (((word - 0x20 * ones) & ~word) | word | (word + ones)) & tops;
}

// Text without quotes or escapes that reads as itself inside a JSON string: no control or
// non-ASCII byte. The body's text is most of a reply, so it is tested eight bytes at a time.
bool isPlainText(std::string_view text) {
  std::size_t i = 0;
  for (; i + 8 <= text.size(); i += 8) {
    std::uint64_t word;
    std::memcpy(&word, text.data() + i, 8);
    if (hasUnplainByte(word)) return false;
  }
  for (; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c < 0x20 || c > 0x7E) return false;
  }
  return true;
}

// Walks the reply's tokens far enough to know its top-level keys, the strings among them found by
// their quotes alone. For a text that reads, that is exactly the parser's view; for one that does
// not, the cut cannot make it read (see readReplyLiftingBody).
class BodyFinder {
 public:
  explicit BodyFinder(std::string_view text) : text_(text) {}

  // The span of the last top-level "body" string when it is plain; none otherwise.
  std::optional<Span> find() {
    std::size_t i = 0;
    while (i < text_.size() && isSpace(text_[i])) ++i;
    if (i == text_.size() || text_[i] != '{') return std::nullopt;
    while (i < text_.size() && !unsure_) i = step(i);
    if (unsure_) return std::nullopt;
    return body_;
  }

 private:
  std::size_t step(std::size_t i) {
    const char c = text_[i];
    if (c == '"') return string(i);
    if (isSpace(c) || c == ':') return i + 1;
    if (depth_ == 1 && afterBodyKey_) body_.reset();  // the last "body" holds something else
    afterBodyKey_ = false;
    if (c == '{' || c == '[') ++depth_;
    if (c == '}' || c == ']') --depth_;
    expectingKey_ = depth_ == 1 && (c == '{' || c == ',');
    return i + 1;
  }

  std::size_t string(std::size_t open) {
    const std::size_t close = closingQuote(text_, open);
    if (close == std::string_view::npos) {
      unsure_ = true;
      return text_.size();
    }
    const std::string_view inside = text_.substr(open + 1, close - open - 1);
    if (depth_ == 1 && expectingKey_) key(inside);
    else if (depth_ == 1 && afterBodyKey_) value(open + 1, close, inside);
    else afterBodyKey_ = false;
    expectingKey_ = false;
    return close + 1;
  }

  void key(std::string_view name) {
    // An escaped key may spell "body"; which key it is would take the lexer to tell.
    if (name.find('\\') != std::string_view::npos) unsure_ = true;
    afterBodyKey_ = name == "body";
  }

  void value(std::size_t begin, std::size_t end, std::string_view inside) {
    afterBodyKey_ = false;
    if (inside.find('\\') == std::string_view::npos && isPlainText(inside)) body_ = Span{begin, end};
    else body_.reset();
  }

  std::string_view text_;
  int depth_ = 0;
  bool expectingKey_ = false;
  bool afterBodyKey_ = false;
  bool unsure_ = false;
  std::optional<Span> body_;
};

}  // namespace

// The cut leaves `""` where the body's text was. Plain text lexes as itself, so the text reads if
// and only if the cut text does, with the same depth, and then to the same value but for the body.
std::optional<LiftedReply> readReplyLiftingBody(std::string_view text) {
  const std::optional<Span> body = BodyFinder(text).find();
  if (!body) return std::nullopt;
  std::string rest;
  rest.reserve(text.size() - (body->end - body->begin));
  rest.append(text.substr(0, body->begin)).append(text.substr(body->end));
  auto parsed = ios::JSONSerialization::read(rest, ios::JSONSerialization::ReadingOptions::fragmentsAllowed);
  auto* reply = std::get_if<ios::Dictionary>(&parsed);
  if (!reply || !reply->is_object()) return std::nullopt;
  auto found = reply->find("body");
  if (found == reply->end() || !found->is_string() || !found->get_ref<const std::string&>().empty()) {
    return std::nullopt;
  }
  return LiftedReply{std::move(*reply), text.substr(body->begin, body->end - body->begin)};
}

}  // namespace kerbelin
