#pragma once

#include <string>

namespace ios {

// Names a kind of sharing service (saving to the photo album, copying, posting). The raw values are
// the platform's identifiers.
struct UIActivityType {
  std::string rawValue;

  // Defined in the library, not here: a header's copy of an object built at start-up is not shared
  // safely between a library and a host built by another compiler.
  static const UIActivityType airDrop;
  static const UIActivityType postToFacebook;
  static const UIActivityType postToTwitter;
  static const UIActivityType message;
  static const UIActivityType mail;
  static const UIActivityType print;
  static const UIActivityType copyToPasteboard;
  static const UIActivityType saveToCameraRoll;

  friend bool operator==(const UIActivityType&, const UIActivityType&) = default;
};

}  // namespace ios
