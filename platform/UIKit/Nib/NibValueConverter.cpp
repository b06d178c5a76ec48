#include <UIKit/Nib/NibValueConverter.h>

#include <CoreGraphics/CGGeometry.h>
#include <CoreGraphics/UIEdgeInsets.h>
#include <CoreText/UIFont.h>
#include <UIKit/Nib/NibEnumNames.h>
#include <UIKit/UIImage.h>

#include <cctype>
#include <cmath>
#include <cstdint>
#include <limits>
#include <map>
#include <mutex>
#include <optional>

namespace ios {

namespace {

using Result = NibValueConverter::Result;
using Context = NibValueConverter::Context;

std::optional<double> finiteNumber(const NibJSON& value) {
  if (!value.is_number()) return std::nullopt;
  double number = value.get<double>();
  if (!std::isfinite(number)) return std::nullopt;
  return number;
}

// Numbers from an array of exactly `count` numbers or an object with exactly the given keys.
std::optional<std::vector<double>> numbers(const NibJSON& value, const std::vector<const char*>& keys) {
  std::vector<double> out;
  if (value.is_array()) {
    if (value.size() != keys.size()) return std::nullopt;
    for (const auto& element : value) {
      auto number = finiteNumber(element);
      if (!number) return std::nullopt;
      out.push_back(*number);
    }
    return out;
  }
  if (value.is_object()) {
    if (value.size() != keys.size()) return std::nullopt;
    for (const char* key : keys) {
      auto found = value.find(key);
      if (found == value.end()) return std::nullopt;
      auto number = finiteNumber(*found);
      if (!number) return std::nullopt;
      out.push_back(*number);
    }
    return out;
  }
  return std::nullopt;
}

std::string joined(const std::vector<std::string>& names) {
  std::string out;
  for (const auto& name : names) out += (out.empty() ? "" : ", ") + name;
  return out;
}

template <class V>
Result integer(const NibJSON& value, const Context& context) {
  if (value.is_string()) {
    auto named = NibEnumNames::value(context.target, context.key, value.get<std::string>());
    if (!named) {
      auto names = NibEnumNames::names(context.target, context.key);
      if (names.empty()) return std::string("expected a number");
      return "expected one of " + joined(names);
    }
    auto fits = detail::numberTo<V>(detail::Number{detail::Number::Kind::signedInteger, *named, 0, 0});
    if (!fits) return std::string("the named value does not fit the key");
    return std::any(*fits);
  }
  std::optional<V> converted;
  if (value.is_number_unsigned()) {
    converted = detail::numberTo<V>(
        detail::Number{detail::Number::Kind::unsignedInteger, 0, value.get<unsigned long long>(), 0});
  } else if (value.is_number_integer()) {
    converted = detail::numberTo<V>(
        detail::Number{detail::Number::Kind::signedInteger, value.get<long long>(), 0, 0});
  } else if (value.is_number_float()) {
    converted =
        detail::numberTo<V>(detail::Number{detail::Number::Kind::floating, 0, 0, value.get<double>()});
  } else {
    return std::string("expected an integer");
  }
  if (!converted) return std::string("expected an integer in range");
  return std::any(*converted);
}

template <class V>
Result floating(const NibJSON& value, const Context&) {
  auto number = finiteNumber(value);
  if (!number) return std::string("expected a number");
  return std::any(static_cast<V>(*number));
}

Result boolean(const NibJSON& value, const Context&) {
  if (!value.is_boolean()) return std::string("expected true or false");
  return std::any(value.get<bool>());
}

Result text(const NibJSON& value, const Context&) {
  if (!value.is_string()) return std::string("expected a string");
  return std::any(value.get<std::string>());
}

Result colorObject(const NibJSON& value, const Context&) {
  if (value.is_null()) return std::any(std::shared_ptr<UIColor>());
  auto color = NibValueConverter::color(value);
  if (auto* error = std::get_if<std::string>(&color)) return *error;
  return std::any(std::get<std::shared_ptr<UIColor>>(color));
}

Result cgColor(const NibJSON& value, const Context&) {
  auto color = NibValueConverter::color(value);
  if (auto* error = std::get_if<std::string>(&color)) return *error;
  return std::any(std::get<std::shared_ptr<UIColor>>(color)->cgColor());
}

Result optionalCGColor(const NibJSON& value, const Context& context) {
  if (value.is_null()) return std::any(std::optional<CGColor>());
  auto color = cgColor(value, context);
  if (auto* error = std::get_if<std::string>(&color)) return *error;
  return std::any(std::optional<CGColor>(std::any_cast<CGColor>(std::get<std::any>(color))));
}

std::optional<UIFontWeight> weightNamed(std::string_view name) {
  static const std::map<std::string_view, UIFontWeight> weights{{"ultraLight", UIFontWeight::ultraLight},
                                                                {"thin", UIFontWeight::thin},
                                                                {"light", UIFontWeight::light},
                                                                {"regular", UIFontWeight::regular},
                                                                {"medium", UIFontWeight::medium},
                                                                {"semibold", UIFontWeight::semibold},
                                                                {"bold", UIFontWeight::bold},
                                                                {"heavy", UIFontWeight::heavy},
                                                                {"black", UIFontWeight::black}};
  auto found = weights.find(name);
  if (found == weights.end()) return std::nullopt;
  return found->second;
}

Result font(const NibJSON& value, const Context&) {
  if (value.is_null()) return std::any(std::shared_ptr<UIFont>());
  const std::string expected =
      "expected a font: {\"system\": size, \"weight\": name, \"italic\": bool} or {\"name\": font, \"size\": "
      "size}";
  if (!value.is_object()) return expected;
  if (value.contains("system")) {
    auto size = finiteNumber(value["system"]);
    if (!size || *size <= 0) return std::string("a system font needs a positive size");
    UIFontWeight weight = UIFontWeight::regular;
    bool italic = false;
    for (const auto& [key, field] : value.items()) {
      if (key == "system") continue;
      if (key == "weight") {
        auto named = field.is_string() ? weightNamed(field.get<std::string>()) : std::nullopt;
        if (!named) return std::string("unknown font weight ") + field.dump();
        weight = *named;
      } else if (key == "italic" && field.is_boolean()) {
        italic = field.get<bool>();
      } else {
        return expected;
      }
    }
    return std::any(UIFont::create(*size, weight, italic));
  }
  if (value.size() != 2 || !value.contains("name") || !value.contains("size")) return expected;
  auto size = finiteNumber(value["size"]);
  if (!value["name"].is_string() || !size || *size <= 0) return expected;
  auto made = UIFont::create(value["name"].get<std::string>(), *size);
  if (!made) return "unknown font name \"" + value["name"].get<std::string>() + "\"";
  return std::any(made);
}

Result image(const NibJSON& value, const Context& context) {
  if (value.is_null()) return std::any(std::shared_ptr<UIImage>());
  if (!value.is_string() || value.get<std::string>().empty())
    return std::string("expected an image asset name");
  auto name = value.get<std::string>();
  auto found = UIImage::named(name, context.bundle);
  if (!found) {
    return "no image named \"" + name + "\" in bundle \"" +
           (context.bundle ? context.bundle->bundleIdentifier : "") + "\"";
  }
  return std::any(found);
}

Result rect(const NibJSON& value, const Context&) {
  auto parts = numbers(value, {"x", "y", "width", "height"});
  if (!parts) return std::string("expected a rectangle [x, y, width, height]");
  return std::any(CGRect((*parts)[0], (*parts)[1], (*parts)[2], (*parts)[3]));
}

Result point(const NibJSON& value, const Context&) {
  auto parts = numbers(value, {"x", "y"});
  if (!parts) return std::string("expected a point [x, y]");
  return std::any(CGPoint{(*parts)[0], (*parts)[1]});
}

Result size(const NibJSON& value, const Context&) {
  auto parts = numbers(value, {"width", "height"});
  if (!parts) return std::string("expected a size [width, height]");
  return std::any(CGSize{(*parts)[0], (*parts)[1]});
}

Result insets(const NibJSON& value, const Context&) {
  auto parts = numbers(value, {"top", "left", "bottom", "right"});
  if (!parts) return std::string("expected insets [top, left, bottom, right]");
  return std::any(UIEdgeInsets{(*parts)[0], (*parts)[1], (*parts)[2], (*parts)[3]});
}

struct Converters {
  std::mutex mutex;
  std::map<std::type_index, NibValueConverter::Converter> byType;

  Converters() {
    byType.emplace(typeid(bool), boolean);
    byType.emplace(typeid(char), integer<char>);
    byType.emplace(typeid(signed char), integer<signed char>);
    byType.emplace(typeid(unsigned char), integer<unsigned char>);
    byType.emplace(typeid(short), integer<short>);
    byType.emplace(typeid(unsigned short), integer<unsigned short>);
    byType.emplace(typeid(int), integer<int>);
    byType.emplace(typeid(unsigned), integer<unsigned>);
    byType.emplace(typeid(long), integer<long>);
    byType.emplace(typeid(unsigned long), integer<unsigned long>);
    byType.emplace(typeid(long long), integer<long long>);
    byType.emplace(typeid(unsigned long long), integer<unsigned long long>);
    byType.emplace(typeid(float), floating<float>);
    byType.emplace(typeid(double), floating<double>);
    byType.emplace(typeid(std::string), text);
    byType.emplace(typeid(std::shared_ptr<UIColor>), colorObject);
    byType.emplace(typeid(CGColor), cgColor);
    byType.emplace(typeid(std::optional<CGColor>), optionalCGColor);
    byType.emplace(typeid(std::shared_ptr<UIFont>), font);
    byType.emplace(typeid(std::shared_ptr<UIImage>), image);
    byType.emplace(typeid(CGRect), rect);
    byType.emplace(typeid(CGPoint), point);
    byType.emplace(typeid(CGSize), size);
    byType.emplace(typeid(UIEdgeInsets), insets);
  }
};

Converters& converters() {
  static Converters instance;
  return instance;
}

std::optional<int> hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return std::nullopt;
}

const std::map<std::string_view, const std::shared_ptr<UIColor>& (*)()>& namedColors() {
  static const std::map<std::string_view, const std::shared_ptr<UIColor>& (*)()> colors{
      {"clear", &UIColor::clear},       {"black", &UIColor::black},   {"white", &UIColor::white},
      {"darkGray", &UIColor::darkGray}, {"gray", &UIColor::gray},     {"lightGray", &UIColor::lightGray},
      {"red", &UIColor::red},           {"green", &UIColor::green},   {"blue", &UIColor::blue},
      {"yellow", &UIColor::yellow},     {"orange", &UIColor::orange}, {"systemBlue", &UIColor::systemBlue}};
  return colors;
}

}  // namespace

std::variant<std::shared_ptr<UIColor>, std::string> NibValueConverter::color(const NibJSON& value) {
  const std::string expected =
      "expected a colour: \"#RRGGBB\", \"#RRGGBBAA\", a colour name, {\"white\": w, \"alpha\": a} or "
      "{\"red\": r, \"green\": g, \"blue\": b, \"alpha\": a}";
  if (value.is_string()) {
    const auto& text = value.get_ref<const std::string&>();
    if (!text.empty() && text[0] == '#') {
      if (text.size() != 7 && text.size() != 9) return expected;
      CGFloat components[4] = {0, 0, 0, 1};
      for (size_t i = 1, index = 0; i < text.size(); i += 2, ++index) {
        auto high = hexDigit(text[i]);
        auto low = hexDigit(text[i + 1]);
        if (!high || !low) return expected;
        components[index] = (*high * 16 + *low) / 255.0;
      }
      return UIColor::create(components[0], components[1], components[2], components[3]);
    }
    auto found = namedColors().find(text);
    if (found == namedColors().end()) return expected;
    return found->second();
  }
  if (auto grey = numbers(value, {"white", "alpha"})) return UIColor::create((*grey)[0], (*grey)[1]);
  if (auto rgb = numbers(value, {"red", "green", "blue", "alpha"})) {
    return UIColor::create((*rgb)[0], (*rgb)[1], (*rgb)[2], (*rgb)[3]);
  }
  return expected;
}

NibValueConverter::Result NibValueConverter::convert(const NibJSON& value, std::type_index type,
                                                     const Context& context) {
  Converter converter;
  {
    auto& all = converters();
    std::lock_guard lock(all.mutex);
    auto found = all.byType.find(type);
    if (found != all.byType.end()) converter = found->second;
  }
  if (!converter) return std::string("the key's type cannot be written in an interface file");
  return converter(value, context);
}

void NibValueConverter::add(std::type_index type, Converter converter) {
  auto& all = converters();
  std::lock_guard lock(all.mutex);
  all.byType[type] = std::move(converter);
}

}  // namespace ios
