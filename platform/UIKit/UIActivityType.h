#pragma once

#include <string>

namespace ios {

// Names a kind of sharing service (saving to the photo album, copying, posting). The raw values are
// the platform's identifiers.
struct UIActivityType {
  std::string rawValue;

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

inline const UIActivityType UIActivityType::airDrop{"com.apple.UIKit.activity.AirDrop"};
inline const UIActivityType UIActivityType::postToFacebook{"com.apple.UIKit.activity.PostToFacebook"};
inline const UIActivityType UIActivityType::postToTwitter{"com.apple.UIKit.activity.PostToTwitter"};
inline const UIActivityType UIActivityType::message{"com.apple.UIKit.activity.Message"};
inline const UIActivityType UIActivityType::mail{"com.apple.UIKit.activity.Mail"};
inline const UIActivityType UIActivityType::print{"com.apple.UIKit.activity.Print"};
inline const UIActivityType UIActivityType::copyToPasteboard{"com.apple.UIKit.activity.CopyToPasteboard"};
inline const UIActivityType UIActivityType::saveToCameraRoll{"com.apple.UIKit.activity.SaveToCameraRoll"};

}  // namespace ios
