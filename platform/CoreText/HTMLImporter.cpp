#include <CoreText/HTMLImporter.h>

#include "CSSValues.h"

#include <gumbo.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <iterator>
#include <list>
#include <map>
#include <mutex>
#include <tuple>

namespace ios {

namespace {

using Key = NSAttributedStringKey;

constexpr double kDefaultSize = 12.0;
const CGColor kLinkColor = CGColor::rgb(0, 0, 238 / 255.0, 1);

struct Style {
  double size = kDefaultSize;
  int weight = 400;
  bool italic = false;
  std::optional<CGColor> color;
  std::optional<CGColor> background;
  bool underline = false;
  bool strike = false;
  std::shared_ptr<const std::string> link;
  double baselineOffset = 0;
  bool preserveWhitespace = false;
  std::optional<NSTextAlignment> alignment;
};

enum class Kind { inlineElement, block, skipped, lineBreak, image, listItem, list, tableCell, transparent };

Kind kindOf(GumboTag tag) {
  switch (tag) {
    case GUMBO_TAG_HEAD:
    case GUMBO_TAG_TITLE:
    case GUMBO_TAG_SCRIPT:
    case GUMBO_TAG_STYLE:
    case GUMBO_TAG_TEMPLATE:
    case GUMBO_TAG_IFRAME:
    case GUMBO_TAG_OBJECT:
    case GUMBO_TAG_EMBED:
    case GUMBO_TAG_VIDEO:
    case GUMBO_TAG_AUDIO:
    case GUMBO_TAG_CANVAS:
    case GUMBO_TAG_SVG:
    case GUMBO_TAG_MATH:
    case GUMBO_TAG_NOSCRIPT:
    case GUMBO_TAG_TEXTAREA:
    case GUMBO_TAG_SELECT:
    case GUMBO_TAG_LINK:
    case GUMBO_TAG_META:
    case GUMBO_TAG_BASE:
    case GUMBO_TAG_INPUT:
    case GUMBO_TAG_FRAMESET:
    case GUMBO_TAG_FRAME:
    case GUMBO_TAG_NOFRAMES:
    case GUMBO_TAG_APPLET:
    case GUMBO_TAG_PARAM:
    case GUMBO_TAG_SOURCE:
    case GUMBO_TAG_TRACK:
    case GUMBO_TAG_XMP:
    case GUMBO_TAG_NOEMBED:
      return Kind::skipped;
    case GUMBO_TAG_HTML:
    case GUMBO_TAG_BODY:
      return Kind::transparent;
    case GUMBO_TAG_BR:
      return Kind::lineBreak;
    case GUMBO_TAG_IMG:
    case GUMBO_TAG_IMAGE:
      return Kind::image;
    case GUMBO_TAG_LI:
      return Kind::listItem;
    case GUMBO_TAG_UL:
    case GUMBO_TAG_OL:
    case GUMBO_TAG_MENU:
    case GUMBO_TAG_DIR:
      return Kind::list;
    case GUMBO_TAG_TD:
    case GUMBO_TAG_TH:
      return Kind::tableCell;
    case GUMBO_TAG_P:
    case GUMBO_TAG_DIV:
    case GUMBO_TAG_H1:
    case GUMBO_TAG_H2:
    case GUMBO_TAG_H3:
    case GUMBO_TAG_H4:
    case GUMBO_TAG_H5:
    case GUMBO_TAG_H6:
    case GUMBO_TAG_BLOCKQUOTE:
    case GUMBO_TAG_PRE:
    case GUMBO_TAG_LISTING:
    case GUMBO_TAG_SECTION:
    case GUMBO_TAG_ARTICLE:
    case GUMBO_TAG_HEADER:
    case GUMBO_TAG_FOOTER:
    case GUMBO_TAG_NAV:
    case GUMBO_TAG_ASIDE:
    case GUMBO_TAG_ADDRESS:
    case GUMBO_TAG_MAIN:
    case GUMBO_TAG_FIGURE:
    case GUMBO_TAG_FIGCAPTION:
    case GUMBO_TAG_FORM:
    case GUMBO_TAG_FIELDSET:
    case GUMBO_TAG_LEGEND:
    case GUMBO_TAG_CENTER:
    case GUMBO_TAG_HR:
    case GUMBO_TAG_DL:
    case GUMBO_TAG_DT:
    case GUMBO_TAG_DD:
    case GUMBO_TAG_TABLE:
    case GUMBO_TAG_TR:
    case GUMBO_TAG_CAPTION:
    case GUMBO_TAG_HGROUP:
    case GUMBO_TAG_DETAILS:
    case GUMBO_TAG_SUMMARY:
    case GUMBO_TAG_PLAINTEXT:
      return Kind::block;
    default:
      return Kind::inlineElement;
  }
}

const char* attributeValue(const GumboElement& element, const char* name) {
  const GumboAttribute* attribute = gumbo_get_attribute(&element.attributes, name);
  return attribute ? attribute->value : nullptr;
}

std::optional<NSTextAlignment> alignmentFrom(std::string_view value) {
  std::string v(value);
  for (char& c : v) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (v == "left" || v == "start") return NSTextAlignment::left;
  if (v == "center" || v == "-webkit-center") return NSTextAlignment::center;
  if (v == "right" || v == "end") return NSTextAlignment::right;
  if (v == "justify") return NSTextAlignment::justified;
  return std::nullopt;
}

// The element's own defaults (b, h1, a, ...), then its presentational attributes, then its style.
void applyElement(Style& style, const GumboElement& element, double rootSize) {
  static constexpr double kHeadingScale[] = {2.0, 1.5, 1.17, 1.0, 0.83, 0.67};
  GumboTag tag = element.tag;
  switch (tag) {
    case GUMBO_TAG_B:
    case GUMBO_TAG_STRONG:
    case GUMBO_TAG_TH:
      style.weight = 700;
      break;
    case GUMBO_TAG_I:
    case GUMBO_TAG_EM:
    case GUMBO_TAG_CITE:
    case GUMBO_TAG_VAR:
    case GUMBO_TAG_DFN:
    case GUMBO_TAG_ADDRESS:
      style.italic = true;
      break;
    case GUMBO_TAG_U:
    case GUMBO_TAG_INS:
      style.underline = true;
      break;
    case GUMBO_TAG_S:
    case GUMBO_TAG_STRIKE:
    case GUMBO_TAG_DEL:
      style.strike = true;
      break;
    case GUMBO_TAG_SMALL:
      style.size = style.size * 5 / 6;
      break;
    case GUMBO_TAG_BIG:
      style.size = style.size * 6 / 5;
      break;
    case GUMBO_TAG_SUP:
    case GUMBO_TAG_SUB: {
      double shift = style.size / 3;
      style.size = style.size * 5 / 6;
      style.baselineOffset += tag == GUMBO_TAG_SUP ? shift : -shift;
      break;
    }
    case GUMBO_TAG_PRE:
    case GUMBO_TAG_LISTING:
    case GUMBO_TAG_PLAINTEXT:
      style.preserveWhitespace = true;
      break;
    case GUMBO_TAG_CENTER:
      style.alignment = NSTextAlignment::center;
      break;
    case GUMBO_TAG_A:
      if (const char* href = attributeValue(element, "href")) {
        style.link = std::make_shared<const std::string>(href);
        style.color = kLinkColor;
        style.underline = true;
      }
      break;
    case GUMBO_TAG_FONT:
      if (const char* color = attributeValue(element, "color")) {
        if (auto parsed = css::parseColor(color)) style.color = parsed;
      }
      if (const char* size = attributeValue(element, "size")) {
        static constexpr double kFontSizes[] = {10.0 / 16, 13.0 / 16, 1.0, 18.0 / 16, 24.0 / 16, 2.0, 3.0};
        std::string_view s(size);
        int n = 0;
        bool relative = !s.empty() && (s.front() == '+' || s.front() == '-');
        int sign = !s.empty() && s.front() == '-' ? -1 : 1;
        if (relative) s.remove_prefix(1);
        if (!s.empty() && s.front() >= '0' && s.front() <= '9') {
          n = s.front() - '0';
          n = relative ? 3 + sign * n : n;
          style.size = rootSize * kFontSizes[std::clamp(n, 1, 7) - 1];
        }
      }
      break;
    default:
      if (tag >= GUMBO_TAG_H1 && tag <= GUMBO_TAG_H6) {
        style.size *= kHeadingScale[tag - GUMBO_TAG_H1];
        style.weight = 700;
      }
      break;
  }
  if (const char* align = attributeValue(element, "align")) {
    if (auto a = alignmentFrom(align)) style.alignment = a;
  }
  const char* inlineStyle = attributeValue(element, "style");
  if (!inlineStyle) return;
  double parentSize = style.size;
  for (const auto& [name, value] : css::parseDeclarations(inlineStyle)) {
    if (name == "font-size") {
      if (auto size = css::parseFontSize(value, parentSize, rootSize)) style.size = *size;
    } else if (name == "font-weight") {
      if (auto weight = css::parseFontWeight(value, style.weight)) style.weight = *weight;
    } else if (name == "font-style") {
      if (value == "italic" || value == "oblique") style.italic = true;
      if (value == "normal") style.italic = false;
    } else if (name == "color") {
      if (auto color = css::parseColor(value)) style.color = color;
    } else if (name == "background-color" || name == "background") {
      if (auto color = css::parseColor(value)) style.background = color;
    } else if (name == "text-decoration" || name == "text-decoration-line") {
      if (value.find("underline") != std::string::npos) style.underline = true;
      if (value.find("line-through") != std::string::npos) style.strike = true;
    } else if (name == "text-align") {
      if (auto a = alignmentFrom(value)) style.alignment = a;
    } else if (name == "white-space") {
      style.preserveWhitespace = value.rfind("pre", 0) == 0;
    }
  }
}

bool isHTMLSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

// Builds the text and its runs; appends merge into the last run when the attributes agree.
class Builder {
 public:
  explicit Builder(std::shared_ptr<const UIFont> baseFont) : baseFont_(std::move(baseFont)) {}

  void text(std::string_view content, const Style& style) {
    if (style.preserveWhitespace) {
      flushSpace();
      std::string normalized;
      for (std::size_t i = 0; i < content.size(); ++i) {
        if (content[i] == '\r') {
          normalized += '\n';
          if (i + 1 < content.size() && content[i + 1] == '\n') ++i;
        } else {
          normalized += content[i];
        }
      }
      emit(normalized, style);
      return;
    }
    std::string collapsed;
    bool space = false;
    for (char c : content) {
      if (isHTMLSpace(c)) {
        space = true;
        continue;
      }
      if (space) collapsed += ' ';
      space = false;
      collapsed += c;
    }
    bool leading = !collapsed.empty() ? collapsed.front() == ' ' : space;
    bool trailing = space;
    if (!collapsed.empty() && collapsed.front() == ' ') collapsed.erase(0, 1);
    if (leading) requestSpace(style);
    if (collapsed.empty()) return;
    flushSpace();
    emit(collapsed, style);
    if (trailing) requestSpace(style);
  }

  void lineBreak(const Style& style) {
    pendingSpace_ = false;
    emit("\n", style);
  }

  // A block starts and ends on a line of its own. Right after a list marker the line is still
  // considered empty, so "<li><p>x</p></li>" keeps x beside its bullet; `force` ends even that line.
  void ensureNewLine(const Style& style, bool force = false) {
    pendingSpace_ = false;
    if (afterMarker_ && !force) return;
    if (!text_.empty() && text_.back() != '\n') emit("\n", style);
  }

  void listMarker(std::string_view marker, const Style& style) {
    pendingSpace_ = false;
    emit(marker, style);
    afterMarker_ = true;
  }

  void separator(const Style& style) {
    pendingSpace_ = false;
    if (!text_.empty() && text_.back() != '\n' && text_.back() != '\t') emit("\t", style);
  }

  void attachment(std::shared_ptr<NSTextAttachment> attachment, const Style& style) {
    flushSpace();
    afterMarker_ = false;
    NSAttributes attributes = attributesFor(style);
    attributes.insert_or_assign(Key::attachment, NSAttributeValue(std::move(attachment)));
    append("\xEF\xBF\xBC", 1, std::move(attributes));
  }

  std::shared_ptr<NSMutableAttributedString> finish() {
    return NSMutableAttributedString::create(text_, std::move(runs_));
  }

 private:
  bool atLineStart() const { return text_.empty() || text_.back() == '\n' || afterMarker_; }

  void requestSpace(const Style& style) {
    if (atLineStart() || pendingSpace_) return;
    pendingSpace_ = true;
    spaceStyle_ = style;
  }

  void flushSpace() {
    if (!pendingSpace_) return;
    pendingSpace_ = false;
    if (!atLineStart()) emit(" ", spaceStyle_);
  }

  void emit(std::string_view content, const Style& style) {
    if (content.empty()) return;
    afterMarker_ = false;
    append(content, utf16Length(content), attributesFor(style));
  }

  void append(std::string_view content, std::size_t units, NSAttributes attributes) {
    text_.append(content);
    if (!runs_.empty() && runs_.back().attributes == attributes) {
      runs_.back().length += units;
    } else {
      runs_.push_back(NSAttributedString::Run{units, std::move(attributes)});
    }
  }

  std::shared_ptr<const UIFont> fontFor(const Style& style) {
    auto key = std::make_tuple(style.size, style.weight, style.italic);
    auto it = fonts_.find(key);
    if (it != fonts_.end()) return it->second;
    auto font = UIFont::create(style.size, weightFromCSS(style.weight), style.italic);
    fonts_.emplace(key, font);
    return font;
  }

  NSAttributes attributesFor(const Style& style) {
    NSAttributes attributes;
    attributes.emplace(Key::font, NSAttributeValue(fontFor(style)));
    attributes.emplace(Key::foregroundColor,
                       NSAttributeValue(style.color.value_or(CGColor::rgb(0, 0, 0, 1))));
    if (style.background) attributes.emplace(Key::backgroundColor, NSAttributeValue(*style.background));
    if (style.underline) attributes.emplace(Key::underlineStyle, NSAttributeValue(NSUnderlineStyle::single));
    if (style.strike) attributes.emplace(Key::strikethroughStyle, NSAttributeValue(NSUnderlineStyle::single));
    if (style.link) attributes.emplace(Key::link, NSAttributeValue(*style.link));
    if (style.baselineOffset != 0)
      attributes.emplace(Key::baselineOffset, NSAttributeValue(style.baselineOffset));
    if (style.alignment) {
      auto paragraph = paragraphs_.find(*style.alignment);
      if (paragraph == paragraphs_.end()) {
        auto made = NSParagraphStyle::create();
        made->alignment = *style.alignment;
        paragraph = paragraphs_.emplace(*style.alignment, NSAttributeValue(made)).first;
      }
      attributes.emplace(Key::paragraphStyle, paragraph->second);
    }
    return attributes;
  }

  std::shared_ptr<const UIFont> baseFont_;
  std::string text_;
  std::vector<NSAttributedString::Run> runs_;
  bool pendingSpace_ = false;
  bool afterMarker_ = false;
  Style spaceStyle_;
  std::map<std::tuple<double, int, bool>, std::shared_ptr<const UIFont>> fonts_;
  std::map<NSTextAlignment, NSAttributeValue> paragraphs_;
};

struct ListState {
  bool ordered = false;
  long next = 1;
};

std::string listMarker(const ListState& list, std::size_t depth) {
  if (list.ordered) return std::to_string(list.next) + ".";
  if (depth <= 1) return "\xE2\x80\xA2";  // •
  if (depth == 2) return "\xE2\x97\xA6";  // ◦
  return "\xE2\x96\xAA";                  // ▪
}

CGFloat dimension(const GumboElement& element, const char* name) {
  const char* value = attributeValue(element, name);
  if (!value) return 0;
  double v = std::strtod(value, nullptr);
  return std::isfinite(v) && v > 0 ? std::min(v, 10000.0) : 0;
}

// Walks the tree without recursion, so hostile nesting depth cannot exhaust the stack.
class Walker {
 public:
  Walker(Builder& builder, double rootSize) : builder_(builder), rootSize_(rootSize) {}

  void run(const GumboNode* root, const Style& base) {
    frames_.push_back(Frame{root, 0, base, Kind::transparent, false});
    while (!frames_.empty()) {
      Frame& frame = frames_.back();
      const GumboVector* children = childrenOf(frame.node);
      if (!children || frame.next >= children->length) {
        leave(frame);
        frames_.pop_back();
        continue;
      }
      const auto* child = static_cast<const GumboNode*>(children->data[frame.next++]);
      Style style = frame.style;  // copy: `frame` may move when frames_ grows
      visit(child, style);
    }
  }

 private:
  struct Frame {
    const GumboNode* node;
    unsigned int next;
    Style style;
    Kind kind;
    bool openedList;
  };

  static const GumboVector* childrenOf(const GumboNode* node) {
    if (node->type == GUMBO_NODE_DOCUMENT) return &node->v.document.children;
    if (node->type == GUMBO_NODE_ELEMENT) return &node->v.element.children;
    return nullptr;
  }

  void visit(const GumboNode* node, const Style& parent) {
    switch (node->type) {
      case GUMBO_NODE_TEXT:
      case GUMBO_NODE_WHITESPACE:
      case GUMBO_NODE_CDATA:
        builder_.text(node->v.text.text, parent);
        return;
      case GUMBO_NODE_ELEMENT:
        enter(node, parent);
        return;
      default:  // comments, templates, the document
        return;
    }
  }

  void enter(const GumboNode* node, const Style& parent) {
    const GumboElement& element = node->v.element;
    Kind kind = kindOf(element.tag);
    if (kind == Kind::skipped) return;
    Style style = parent;
    applyElement(style, element, rootSize_);
    switch (kind) {
      case Kind::lineBreak:
        builder_.lineBreak(style);
        return;
      case Kind::image: {
        auto attachment = NSTextAttachment::create();
        attachment->bounds = CGRect(0, 0, dimension(element, "width"), dimension(element, "height"));
        builder_.attachment(std::move(attachment), style);
        return;
      }
      case Kind::block:
      case Kind::list:
        builder_.ensureNewLine(style, kind == Kind::list);
        if (element.tag == GUMBO_TAG_HR) return;
        break;
      case Kind::listItem: {
        builder_.ensureNewLine(style, true);
        std::string marker(std::max<std::size_t>(1, lists_.size()), '\t');
        if (!lists_.empty()) {
          marker += listMarker(lists_.back(), lists_.size());
          ++lists_.back().next;
        } else {
          marker += listMarker(ListState{}, 1);
        }
        builder_.listMarker(marker + "\t", style);
        break;
      }
      case Kind::tableCell:
        builder_.separator(style);
        break;
      default:
        break;
    }
    bool openedList = false;
    if (kind == Kind::list) {
      ListState list;
      list.ordered = element.tag == GUMBO_TAG_OL;
      if (const char* start = attributeValue(element, "start")) {
        long value = std::strtol(start, nullptr, 10);
        if (value > -1000000 && value < 1000000) list.next = value;
      }
      lists_.push_back(list);
      openedList = true;
    }
    frames_.push_back(Frame{node, 0, std::move(style), kind, openedList});
  }

  void leave(const Frame& frame) {
    if (frame.openedList) lists_.pop_back();
    if (frame.kind == Kind::block || frame.kind == Kind::list || frame.kind == Kind::listItem) {
      builder_.ensureNewLine(frame.style, frame.kind != Kind::block);
    }
  }

  Builder& builder_;
  double rootSize_;
  std::vector<Frame> frames_;
  std::vector<ListState> lists_;
};

// The HTML parser's cost grows with the square of the nesting depth, so hostile input such as
// 100,000 unclosed <div>s would hold the main thread for minutes. Like WebKit's parser, which stops
// nesting at 512 levels, we keep the depth bounded: opening tags that would go deeper are left out
// (their text stays). The depth is estimated from the tags alone, which is all that is needed here.
constexpr std::size_t kMaximumDepth = 512;

bool isVoidElement(std::string_view name) {
  static constexpr std::string_view kVoid[] = {
      "area",  "base",   "br",    "col", "embed", "hr",     "img",      "input",   "link", "meta",
      "param", "source", "track", "wbr", "image", "keygen", "basefont", "bgsound", "frame"};
  std::string lowered(name);
  for (char& c : lowered) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return std::find(std::begin(kVoid), std::end(kVoid), lowered) != std::end(kVoid);
}

// The end of the tag starting at `open` (one past its '>'), skipping quoted attribute values.
std::size_t tagEnd(std::string_view html, std::size_t open) {
  char quote = 0;
  for (std::size_t i = open + 1; i < html.size(); ++i) {
    char c = html[i];
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == '>') {
      return i + 1;
    }
  }
  return html.size();
}

std::string_view capNesting(std::string_view html, std::string& storage) {
  std::size_t depth = 0, copied = 0, i = 0;
  bool changed = false;
  while ((i = html.find('<', i)) != std::string_view::npos && i + 1 < html.size()) {
    char next = html[i + 1];
    if (html.substr(i, 4) == "<!--") {
      std::size_t close = html.find("-->", i + 4);
      i = close == std::string_view::npos ? html.size() : close + 3;
      continue;
    }
    bool closing = next == '/';
    std::size_t nameStart = i + (closing ? 2 : 1);
    std::size_t nameEnd = nameStart;
    while (nameEnd < html.size() && std::isalnum(static_cast<unsigned char>(html[nameEnd]))) ++nameEnd;
    if (nameEnd == nameStart || !std::isalpha(static_cast<unsigned char>(html[nameStart]))) {
      ++i;
      continue;
    }
    std::size_t end = tagEnd(html, i);
    bool selfClosing = end >= 2 && html[end - 1] == '>' && html[end - 2] == '/';
    if (closing) {
      depth -= depth > 0 ? 1 : 0;
    } else if (!selfClosing && !isVoidElement(html.substr(nameStart, nameEnd - nameStart))) {
      if (depth >= kMaximumDepth) {
        storage.append(html.substr(copied, i - copied));
        copied = end;
        changed = true;
      } else {
        ++depth;
      }
    }
    i = end;
  }
  if (!changed) return html;
  storage.append(html.substr(copied));
  return storage;
}

}  // namespace

namespace {

std::shared_ptr<NSMutableAttributedString> parse(std::string_view html, const std::shared_ptr<const UIFont>& baseFont) {
  Style base;
  base.size = baseFont->pointSize();
  base.weight = cssWeight(baseFont->weight());
  base.italic = baseFont->isItalic();

  std::string storage;
  std::string_view bounded = capNesting(html, storage);
  GumboOptions options = kGumboDefaultOptions;
  options.max_errors = 0;  // the error list is never read
  GumboOutput* output = gumbo_parse_with_options(&options, bounded.data(), bounded.size());
  if (!output) return nullptr;
  Builder builder(baseFont);
  Walker(builder, base.size).run(output->document, base);
  gumbo_destroy_output(&options, output);
  return builder.finish();
}

bool holdsAttachment(const NSAttributedString& text) {
  return std::any_of(text.runs().begin(), text.runs().end(),
                     [](const NSAttributedString::Run& run) { return run.attributes.contains(Key::attachment); });
}

// Screens convert the same snippets (a card's promotion, its terms) each time they show them, and
// parsing is most of the cost: recent results are kept and handed out as copies. At most
// kCapacity results of markup up to kLongestMarkup bytes, the least recently used dropped first.
// A result holding an attachment is never kept: the caller may fill in its mutable attachment.
class RecentImports {
 public:
  static constexpr std::size_t kCapacity = 32;
  static constexpr std::size_t kLongestMarkup = 4096;

  std::shared_ptr<NSMutableAttributedString> find(std::string_view html, const std::shared_ptr<const UIFont>& font) {
    std::lock_guard lock(mutex_);
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
      if (it->html != html || !sameFont(it->font, font)) continue;
      entries_.splice(entries_.begin(), entries_, it);
      return NSMutableAttributedString::create(*it->text);
    }
    return nullptr;
  }

  void keep(std::string_view html, std::shared_ptr<const UIFont> font, const NSAttributedString& text) {
    if (html.size() > kLongestMarkup || holdsAttachment(text)) return;
    std::lock_guard lock(mutex_);
    if (entries_.size() >= kCapacity) entries_.pop_back();
    entries_.push_front({std::string(html), std::move(font), NSAttributedString::create(text)});
  }

 private:
  struct Entry {
    std::string html;
    std::shared_ptr<const UIFont> font;
    std::shared_ptr<const NSAttributedString> text;
  };
  std::mutex mutex_;
  std::list<Entry> entries_;
};

RecentImports& recentImports() {
  static RecentImports imports;
  return imports;
}

}  // namespace

std::shared_ptr<NSMutableAttributedString> htmlToAttributedString(std::string_view html,
                                                                  std::shared_ptr<const UIFont> baseFont) {
  if (!isValidUTF8(html)) return nullptr;
  if (!baseFont) baseFont = UIFont::systemFont(kDefaultSize);
  if (auto kept = recentImports().find(html, baseFont)) return kept;
  auto text = parse(html, baseFont);
  if (text) recentImports().keep(html, std::move(baseFont), *text);
  return text;
}

std::shared_ptr<NSMutableAttributedString> attributedStringFromHTMLData(
    const Data& utf16Data, std::shared_ptr<const UIFont> baseFont) {
  auto text = stringFromUnicodeData(utf16Data);
  if (!text) return nullptr;
  return htmlToAttributedString(*text, std::move(baseFont));
}

}  // namespace ios
