#pragma once

#include "support/ScratchDirectory.h"
#include "support/VirtualTime.h"

#include <AVFoundation/AVCaptureDevice.h>
#include <CoreImage/CIFilter.h>
#include <UIKit/UIImage.h>
#include <ZXing/BitMatrix.h>
#include <ZXing/MultiFormatWriter.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace ios::test {

// A main-loop test with a folder of camera pictures and no real camera in the way.
class CameraTest : public MainLoopTest {
 protected:
  void SetUp() override {
    MainLoopTest::SetUp();
    AVCaptureDevice::setSystemCamerasEnabled(false);
    AVCaptureDevice::clearFileFrameSource();
    AVCaptureDevice::setAccessPrompt(nullptr);
    AVCaptureDevice::setAuthorizationStatus(AVMediaType::video, AVAuthorizationStatus::notDetermined);
  }
  void TearDown() override {
    AVCaptureDevice::clearFileFrameSource();
    AVCaptureDevice::setAccessPrompt(nullptr);
    MainLoopTest::TearDown();
  }

  // Writes `image` as a PNG in the folder and returns its path.
  std::string writeFrame(const std::string& name, const std::shared_ptr<CGImage>& image) {
    const std::string path = (folder / name).string();
    EXPECT_TRUE(UIImage::create(image)->pngData()->write(path));
    return path;
  }

  static std::shared_ptr<CGImage> blank(int width = 320, int height = 240,
                                        std::uint32_t color = 0xffd0d0d0u) {
    auto image = CGImage::create(width, height);
    std::fill_n(image->mutablePixels(), width * height, color);
    return image;
  }

  // A grey frame with a code drawn at (x, y) from the writer's module matrix, `scale` pixels a module.
  static std::shared_ptr<CGImage> frameWithCode(const ZXing::BitMatrix& modules, int scale, int x = 20,
                                                int y = 20) {
    auto image = blank();
    for (int row = 0; row < modules.height() * scale; ++row) {
      for (int col = 0; col < modules.width() * scale; ++col) {
        if (x + col >= image->width() || y + row >= image->height()) continue;
        image->mutablePixels()[(y + row) * image->width() + x + col] =
            modules.get(col / scale, row / scale) ? 0xff000000u : 0xffffffffu;
      }
    }
    return image;
  }
  static std::shared_ptr<CGImage> frameWithQR(const std::string& text) {
    auto filter = CIFilter::create("CIQRCodeGenerator");
    filter->setValue(Data::fromText(text), "inputMessage");
    auto code = filter->outputImage()->transformed(CGAffineTransform::scale(4, 4))->bitmap();
    auto image = blank();
    for (int row = 0; row < code->height(); ++row) {
      for (int col = 0; col < code->width(); ++col)
        image->mutablePixels()[(30 + row) * 320 + 60 + col] = code->pixel(col, row);
    }
    return image;
  }
  static std::shared_ptr<CGImage> frameWithLinearCode(ZXing::BarcodeFormat format,
                                                      const std::string& contents) {
    return frameWithCode(ZXing::MultiFormatWriter(format).setMargin(10).encode(contents, 0, 60), 2, 10, 60);
  }

  ScratchDirectory scratch;
  std::filesystem::path folder = scratch.path();
};

}  // namespace ios::test
