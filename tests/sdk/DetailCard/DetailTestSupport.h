#pragma once

// A fixture for the card detail and its QR sheet: the screen fixture with a plain screen at the
// bottom of the navigation stack, standing for the list the detail is opened from.

#include <CoreImage/BarcodeReader.h>
#include <UIKit/UIImage.h>
#include <support/ScreenTest.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <regex>
#include <string>
#include <vector>

namespace kerbelin::test {

inline const char kQRPath[] = "/kerbelin-app/generate-qr/req";

class DetailTest : public ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    root = ios::UIViewController::create();
    showInNavigation(root);
  }

  // The text a QR picture holds, or "" when none reads.
  static std::string decodedQR(const std::shared_ptr<ios::UIImage>& image) {
    if (!image || !image->cgImage()) return "";
    auto found = ios::BarcodeReader::read(*image->cgImage(), {});
    return found.empty() || !found.front().text ? "" : *found.front().text;
  }

  // A token's lifetime as the server sends it; none leaves "timeToken" out of the reply.
  using Lifetime = std::optional<std::int64_t>;
  struct IssuedToken {
    std::string token;
    double at;
    Lifetime lifetime;
  };
  // Past this many, token requests are held again, so that a client asking without pause comes to rest.
  static constexpr std::size_t kInstantTokens = 40;

  // From now on each token request is answered at once, as a server on the same machine would, with a
  // new token: the first with the lifetime `first`, the later ones with `rest`.
  void answerTokensAtOnce(Lifetime first, Lifetime rest) {
    issued.clear();
    fake->setHandler([this, first, rest](const ios::HTTPRequest& request) -> std::optional<ios::HTTPResult> {
      if (request.url.find(kQRPath) == std::string::npos || issued.size() >= kInstantTokens) return std::nullopt;
      issued.push_back({"KBQR-" + std::to_string(issued.size() + 1), now(), issued.empty() ? first : rest});
      ios::Dictionary body{{"token", issued.back().token}};
      if (issued.back().lifetime) body["timeToken"] = *issued.back().lifetime;
      return ios::FakeTransport::reply(200, replyText(body));
    });
  }

  // Whether the code `token` has run out: its lifetime and then `grace` seconds have gone by since it
  // was issued. A code this fixture never issued counts as run out.
  bool ranOut(const std::string& token, double grace) const {
    for (const auto& issue : issued) {
      if (issue.token == token) return now() >= issue.at + static_cast<long double>(issue.lifetime.value_or(0)) + grace;
    }
    return true;
  }

  // The seconds left that a countdown line reads; 0 for any other line.
  static long double secondsOn(const std::string& line) {
    static const std::regex countdown("sau (-?[0-9]+) giây");
    std::smatch seconds;
    return std::regex_search(line, seconds, countdown) ? std::stold(seconds[1].str()) : 0;
  }

  std::shared_ptr<ios::UIViewController> root;
  std::vector<IssuedToken> issued;
};

}  // namespace kerbelin::test
