#pragma once

#include <CoreGraphics/CGGeometry.h>
#include <CoreText/NSMutableAttributedString.h>
#include <CoreText/UIFont.h>
#include <Foundation/Dictionary.h>
#include <UIKit/UIColor.h>
#include <UIKit/UIImage.h>
#include <UIKit/UIView.h>
#include <Ultilities/Enums/Enums.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kerbelin {

// Static helpers shared by the screens and the API client.
class Common {
 public:
  Common() = delete;

  // The request-body codec. A call's parameters travel as base64 text of their compact UTF-8 JSON.
  // A null value stands for "no parameters" and encodes as "{}"; text that is not valid UTF-8 is
  // carried with U+FFFD in place of the bad bytes, so encoding never fails.
  static std::string convertDictionaryToBase64(const ios::Dictionary& params);

  // The reverse, for a reply's "body": strict base64 (no whitespace, proper padding) of UTF-8 JSON
  // whose top level is an object. Anything else gives none: that includes a JSON array, a bare
  // value, an empty text and JSON that is not valid UTF-8.
  static std::optional<ios::Dictionary> convertBase64ToDictionary(std::string_view base64Text);

  // A card's screen state from its status letter (exact, case-sensitive): "A" or "O" Paid, "E" or
  // "C" Expire, "W" WaitPay, anything else UnPaid.
  static TypeDetailCard convertStatusToType(std::string_view status);

  // Rounds and shadows a view, in this order: corner radius, clipping on, background (white when
  // none is given), a black shadow of opacity 0.2 and radius 1.5 at `offet`, clipping off again so
  // that the shadow shows.
  static void SetShadowAndcornerRadiusView(ios::UIView& viewShadow, ios::CGFloat cornerRadius,
                                           ios::CGSize offet = ios::CGSize::zero,
                                           std::shared_ptr<ios::UIColor> color = ios::UIColor::white());

  // A QR code of the ASCII bytes of `text`, three pixels a module; none for text that is not ASCII
  // or when the generator gives nothing.
  static std::shared_ptr<ios::UIImage> generateQRCode(std::string_view text);

  // The key window's bottom (top) safe-area inset; 0 without a key window.
  static ios::CGFloat getBottomPadding();
  static ios::CGFloat getTopPadding();

  // Joins the pieces in order: bold ones in the bold system font of `fontSize` and `colorBold`,
  // the others in the system font and `colorRegular` (black when none is given).
  static std::shared_ptr<ios::NSMutableAttributedString> createAttributeMessageSimple(
      const std::vector<std::pair<std::string, bool>>& message, ios::CGFloat fontSize,
      std::shared_ptr<ios::UIColor> colorBold = ios::UIColor::black(),
      std::shared_ptr<ios::UIColor> colorRegular = ios::UIColor::black());

  // `text` with the five attributes the countdown lines use: font, stroke colour, foreground
  // colour, background colour and a stroke width of 0 (filled text).
  static std::shared_ptr<ios::NSMutableAttributedString> SetAttribuedText(
      std::string_view text, std::shared_ptr<ios::UIFont> font, std::shared_ptr<ios::UIColor> strokeColor,
      std::shared_ptr<ios::UIColor> foregroundColor, std::shared_ptr<ios::UIColor> backgroundColor);

  // Writes `image` as a JPEG of quality 1.0 to Documents/`imageName`, replacing an older file, and
  // returns its path; "" when there is no Documents folder, the image does not encode (an older
  // file then stays) or the write fails.
  static std::string saveImage(std::string_view imageName, const ios::UIImage& image);
  // The image in Documents/`fileName`, or none when the file is missing or not a readable image.
  static std::shared_ptr<ios::UIImage> loadImageFromDiskWith(std::string_view fileName);
};

}  // namespace kerbelin
