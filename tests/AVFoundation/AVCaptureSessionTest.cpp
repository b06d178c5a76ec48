#include "CameraFixture.h"

#include <AVFoundation/AVCaptureDeviceInput.h>
#include <AVFoundation/AVCaptureMetadataOutput.h>
#include <AVFoundation/AVCaptureSession.h>
#include <AVFoundation/AVCaptureVideoPreviewLayer.h>
#include <Foundation/DispatchQueue.h>

namespace ios {
namespace {

struct Reading {
  double time;
  AVMetadataObjectType type;
  std::optional<std::string> text;
  bool onMainThread;
};

class RecordingDelegate : public AVCaptureMetadataOutputObjectsDelegate {
 public:
  void metadataOutput(const std::shared_ptr<AVCaptureMetadataOutput>& output,
                      const std::vector<std::shared_ptr<AVMetadataObject>>& objects,
                      const std::shared_ptr<AVCaptureConnection>& connection) override {
    EXPECT_FALSE(objects.empty());
    EXPECT_NE(connection, nullptr);
    for (const auto& object : objects) {
      auto code = std::dynamic_pointer_cast<AVMetadataMachineReadableCodeObject>(object);
      ASSERT_NE(code, nullptr);
      EXPECT_GE(code->bounds.minX(), 0);
      EXPECT_LE(code->bounds.maxX(), 1);
      EXPECT_GE(code->bounds.minY(), 0);
      EXPECT_LE(code->bounds.maxY(), 1);
      readings.push_back({RunLoop::main().now(), code->type, code->stringValue, RunLoop::isMainThread()});
    }
  }
  std::vector<Reading> readings;
};

class SessionTest : public test::CameraTest {
 protected:
  // A running session on the file camera, with a metadata output asking for `types`.
  void startSession(const std::vector<std::string>& frames, std::vector<AVMetadataObjectType> types,
                    double fps = 10) {
    AVCaptureDevice::setFileFrameSource(frames, fps);
    session = AVCaptureSession::create();
    auto input = AVCaptureDeviceInput::create(AVCaptureDevice::defaultDevice(AVMediaTypeVideo));
    ASSERT_NE(input, nullptr);
    session->addInput(input);
    output = AVCaptureMetadataOutput::create();
    session->addOutput(output);
    output->setMetadataObjectsDelegate(delegate, &DispatchQueue::main());
    output->setMetadataObjectTypes(std::move(types));
    session->startRunning();
  }

  std::shared_ptr<AVCaptureSession> session;
  std::shared_ptr<AVCaptureMetadataOutput> output;
  std::shared_ptr<RecordingDelegate> delegate = std::make_shared<RecordingDelegate>();
};

TEST_F(SessionTest, FileCameraReportsAQRCodeOnTheMainQueueInVirtualTime) {
  const auto empty = writeFrame("1-empty.png", blank());
  const auto code = writeFrame("2-code.png", frameWithQR("https://example.com/card/77"));
  startSession({empty, code}, {AVMetadataObjectTypeQRCode});
  ASSERT_TRUE(session->isRunning());
  runUntilIdle();
  EXPECT_EQ(session->deliveredFrameCount(), 0);
  advance(0.1);  // the empty frame
  EXPECT_EQ(session->deliveredFrameCount(), 1);
  EXPECT_TRUE(delegate->readings.empty());
  advance(0.1);  // the code
  ASSERT_EQ(delegate->readings.size(), 1u);
  EXPECT_DOUBLE_EQ(delegate->readings[0].time, 0.2);
  EXPECT_EQ(delegate->readings[0].type, AVMetadataObjectTypeQRCode);
  EXPECT_EQ(delegate->readings[0].text, "https://example.com/card/77");
  EXPECT_TRUE(delegate->readings[0].onMainThread);
  // The files play in a loop, and every frame that shows the code is reported again.
  advance(0.8);
  EXPECT_EQ(session->deliveredFrameCount(), 10);
  EXPECT_EQ(delegate->readings.size(), 5u);
}

TEST_F(SessionTest, LinearCodesAreReportedUnderThePlatformsTypes) {
  const auto upca = writeFrame("a.png", frameWithLinearCode(ZXing::BarcodeFormat::UPCA, "036000291452"));
  const auto itf = writeFrame("b.png", frameWithLinearCode(ZXing::BarcodeFormat::ITF, "00012345600012"));
  const auto code128 = writeFrame("c.png", frameWithLinearCode(ZXing::BarcodeFormat::Code128, "CARD-2026"));
  const auto ean8 = writeFrame("d.png", frameWithLinearCode(ZXing::BarcodeFormat::EAN8, "96385074"));
  startSession({upca, itf, code128, ean8}, {AVMetadataObjectTypeEAN13Code, AVMetadataObjectTypeITF14Code,
                                            AVMetadataObjectTypeCode128Code, AVMetadataObjectTypeEAN8Code});
  advance(0.4);
  ASSERT_EQ(delegate->readings.size(), 4u);
  EXPECT_EQ(delegate->readings[0].type, AVMetadataObjectTypeEAN13Code);
  EXPECT_EQ(delegate->readings[0].text, "0036000291452");  // UPC-A as EAN-13
  EXPECT_EQ(delegate->readings[1].type, AVMetadataObjectTypeITF14Code);
  EXPECT_EQ(delegate->readings[1].text, "00012345600012");
  EXPECT_EQ(delegate->readings[2].type, AVMetadataObjectTypeCode128Code);
  EXPECT_EQ(delegate->readings[2].text, "CARD-2026");
  EXPECT_EQ(delegate->readings[3].type, AVMetadataObjectTypeEAN8Code);

  // The same ITF symbol under the other name when only that one is asked for.
  output->setMetadataObjectTypes({AVMetadataObjectTypeInterleaved2of5Code});
  delegate->readings.clear();
  advance(0.4);
  ASSERT_EQ(delegate->readings.size(), 1u);
  EXPECT_EQ(delegate->readings[0].type, AVMetadataObjectTypeInterleaved2of5Code);
}

TEST_F(SessionTest, StoppingEndsFramesAndAGoneDelegateOrSessionIsHarmless) {
  const auto code = writeFrame("code.png", frameWithQR("stop me"));
  startSession({code}, {AVMetadataObjectTypeQRCode});
  advance(0.1);
  EXPECT_EQ(delegate->readings.size(), 1u);
  session->stopRunning();
  EXPECT_FALSE(session->isRunning());
  advance(1);
  EXPECT_EQ(session->deliveredFrameCount(), 1);
  EXPECT_EQ(delegate->readings.size(), 1u);

  session->startRunning();
  delegate.reset();  // the output holds its delegate weakly
  advance(0.3);
  EXPECT_EQ(session->deliveredFrameCount(), 4);
  session.reset();  // dropped while running: the camera stops with it
  advance(1);
  EXPECT_EQ(loop().pendingCount(), 0u);
}

TEST_F(SessionTest, PreviewLayerShowsTheLatestFrameFilled) {
  const auto first = writeFrame("1.png", blank(320, 240, 0xffff0000u));
  const auto second = writeFrame("2.png", blank(320, 240, 0xff0000ffu));
  startSession({first, second}, {});
  auto preview = AVCaptureVideoPreviewLayer::create(session);
  EXPECT_EQ(preview->session(), session);
  preview->setVideoGravity(AVLayerVideoGravityResizeAspectFill);
  EXPECT_EQ(preview->contentsGravity(), CALayerContentsGravity::resizeAspectFill);
  EXPECT_EQ(preview->contents(), nullptr);
  advance(0.1);
  ASSERT_NE(preview->contents(), nullptr);
  EXPECT_EQ(preview->contents()->pixel(5, 5), 0xffff0000u);
  advance(0.1);
  EXPECT_EQ(preview->contents()->pixel(5, 5), 0xff0000ffu);
  preview.reset();  // the session does not keep its preview layers
  advance(0.1);
  EXPECT_EQ(session->deliveredFrameCount(), 3);
}

}  // namespace
}  // namespace ios
