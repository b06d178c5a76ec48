#pragma once

// A fixture for the card detail and its QR sheet: the screen fixture with a plain screen at the
// bottom of the navigation stack, standing for the list the detail is opened from.

#include <CoreImage/BarcodeReader.h>
#include <UIKit/UIImage.h>
#include <support/ScreenTest.h>

#include <memory>
#include <string>

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

  std::shared_ptr<ios::UIViewController> root;
};

}  // namespace kerbelin::test
