#pragma once

#include <Foundation/Bundle.h>
#include <Foundation/NSObject.h>
#include <UIKit/UIColor.h>

#include <nlohmann/json.hpp>

#include <any>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <typeindex>
#include <variant>

namespace ios {

// Interface files keep their keys in file order, so properties are set in the order written.
using NibJSON = nlohmann::ordered_json;

// Turns a property value written in an interface file into the type a key declares (`typeOfKey`), so
// that `setValue` receives exactly what the setter takes. Built in: bool, every integer and
// floating-point type (an integer key also takes a name from NibEnumNames), std::string, colours
// (`std::shared_ptr<UIColor>`, `CGColor`, `std::optional<CGColor>`), fonts, images (by asset name, in
// the interface file's own bundle), CGRect, CGPoint, CGSize and UIEdgeInsets. INTERFACE_FILES.md lists
// the spellings. A class with a key of another type adds a converter for that type.
class NibValueConverter {
 public:
  struct Context {
    const NSObject& target;  // the object whose key is being set
    std::string_view key;    // the last component of the key path
    const std::shared_ptr<Bundle>& bundle;
  };
  // The converted value, or a sentence saying what was expected.
  using Result = std::variant<std::any, std::string>;
  using Converter = std::function<Result(const NibJSON& value, const Context& context)>;

  static Result convert(const NibJSON& value, std::type_index type, const Context& context);
  // Adds or replaces the converter for values of `type`.
  static void add(std::type_index type, Converter converter);

  // The colour "#RRGGBB" / "#RRGGBBAA" / {"white": w, "alpha": a} / {"red": r, "green": g, "blue": b,
  // "alpha": a} (components 0...1) / a standard colour name ("clear", "white", "systemBlue", ...).
  static std::variant<std::shared_ptr<UIColor>, std::string> color(const NibJSON& value);
};

}  // namespace ios
