// The scanner tab through its camera (a file camera playing prepared frames on the run loop's clock),
// its photo control (a scripted photo library) and its permission flow.

#include <AVFoundation/CameraFixture.h>

#include <Class/QRCode/QRCodeViewController.h>
#include <Desktop/RecordingURLOpener.h>
#include <UIKit/ScriptedImagePicker.h>
#include <UIKit/TouchGenerator.h>
#include <UIKit/UIAlertController.h>
#include <UIKit/UIApplication.h>
#include <UIKit/UILabel.h>
#include <UIKit/UINavigationController.h>
#include <UIKit/UIWindow.h>
#include <Ultilities/Constants/Storyboards.h>
#include <support/ScreenTest.h>

#include <gtest/gtest.h>

namespace kerbelin::test {
namespace {

using ios::AVAuthorizationStatus;
using ios::AVCaptureDevice;
using ios::AVMediaType;

class Listener : public QRScannerControllerDelegate {
 public:
  void qrScanningSucceeded(const std::string& code) override { codes.push_back(code); }
  std::vector<std::string> codes;
};

class ScannerTest : public ios::test::CameraTest {
 protected:
  void SetUp() override {
    CameraTest::SetUp();
    ios::DispatchQueue::setGlobalInline(true);
    opener = ios::RecordingURLOpener::create();
    ios::UIApplication::shared()->setURLOpener(opener);
    photos = ios::ScriptedImagePicker::create();
    ios::ImagePickerSource::setShared(photos);
    window = ios::UIWindow::create();
    window->makeKeyAndVisible();
    touches = std::make_unique<ios::TouchGenerator>(window);
    screen = std::dynamic_pointer_cast<QRCodeViewController>(
        shareInstanceQRCodeStoryboard()->instantiateViewController("QRCodeViewController"));
    screen->delegate = listener;
    other = ios::UIViewController::create();
  }
  void TearDown() override {
    touches.reset();
    window->setRootViewController(nullptr);
    ios::UIApplication::shared()->setKeyWindow(nullptr);
    window.reset();
    screen.reset();
    ios::UIApplication::shared()->setURLOpener(nullptr);
    ios::ImagePickerSource::setShared(nullptr);
    CameraTest::TearDown();
  }

  // The camera shows `frame`; access is as given; then the screen comes on screen.
  void show(const std::shared_ptr<ios::CGImage>& frame, AVAuthorizationStatus access = AVAuthorizationStatus::authorized) {
    AVCaptureDevice::setFileFrameSource({writeFrame("frame.png", frame)}, 10, true);
    AVCaptureDevice::setAuthorizationStatus(AVMediaType::video, access);
    window->setRootViewController(screen);
    settle();
  }
  void settle() {
    runUntilIdle();
    advance(0.5);
    runUntilIdle();
  }
  // A new scanner, as a new tab shell makes it.
  void freshScreen() {
    window->setRootViewController(other);
    settle();
    screen = std::dynamic_pointer_cast<QRCodeViewController>(
        shareInstanceQRCodeStoryboard()->instantiateViewController("QRCodeViewController"));
    screen->delegate = listener;
  }
  // Another tab, then the scanner's again.
  void leaveAndComeBack() {
    window->setRootViewController(other);
    settle();
    window->setRootViewController(screen);
    settle();
  }
  std::shared_ptr<ios::UIAlertController> alert() const {
    return std::dynamic_pointer_cast<ios::UIAlertController>(screen->presentedViewController());
  }
  bool shows(const std::string& text) const { return findLabel(*window, text) != nullptr; }
  void tapButton(const std::string& title) {
    auto label = findLabel(*window, title);
    ASSERT_NE(label, nullptr) << title;
    const auto frame = label->convert(label->bounds(), window.get());
    touches->tap({frame.midX(), frame.midY()});
    settle();
  }

  std::shared_ptr<Listener> listener = std::make_shared<Listener>();
  std::shared_ptr<ios::RecordingURLOpener> opener;
  std::shared_ptr<ios::ScriptedImagePicker> photos;
  std::shared_ptr<ios::UIWindow> window;
  std::unique_ptr<ios::TouchGenerator> touches;
  std::shared_ptr<QRCodeViewController> screen;
  std::shared_ptr<ios::UIViewController> other;
};

TEST_F(ScannerTest, TheCameraReadsQRAndBarCodesOncePerAppearance) {
  struct Case {
    const char* name;
    std::shared_ptr<ios::CGImage> frame;
    std::vector<std::string> read;
  };
  const Case cases[] = {
      {"qr", frameWithQR("KB-TOKEN-123"), {"KB-TOKEN-123"}},
      {"ean13", frameWithLinearCode(ZXing::BarcodeFormat::EAN13, "8935049500018"), {"8935049500018"}},
      {"nothing", blank(), {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    listener->codes.clear();
    freshScreen();
    show(c.frame);
    advance(1);  // ten frames: only the first code counts
    runUntilIdle();
    EXPECT_TRUE(screen->captureSession->isRunning());
    EXPECT_EQ(listener->codes, c.read);
    window->setRootViewController(other);
    settle();
    EXPECT_FALSE(screen->captureSession->isRunning());  // the camera is off behind another tab
  }
  // Each appearance allows one more read.
  listener->codes.clear();
  freshScreen();
  show(frameWithQR("KB-AGAIN"));
  leaveAndComeBack();
  advance(1);
  runUntilIdle();
  EXPECT_EQ(listener->codes, (std::vector<std::string>{"KB-AGAIN", "KB-AGAIN"}));
}

TEST_F(ScannerTest, AccessIsAskedOnceAndWhileDeniedEachAppearanceOffersTheSettings) {
  int prompts = 0;
  AVCaptureDevice::setAccessPrompt([&](AVMediaType, std::function<void(bool)> answer) {
    ++prompts;
    answer(false);
  });
  show(frameWithQR("KB"), AVAuthorizationStatus::notDetermined);
  EXPECT_EQ(prompts, 1);
  EXPECT_EQ(alert(), nullptr);  // refused at the prompt: nothing shown yet
  EXPECT_FALSE(screen->captureSession->isRunning());

  leaveAndComeBack();
  ASSERT_NE(alert(), nullptr);
  EXPECT_EQ(alert()->title, "Thông báo");
  EXPECT_TRUE(shows("Vui lòng vào Cài đặt và cho phép truy cập camera."));
  advance(1);
  EXPECT_TRUE(listener->codes.empty());  // no camera while denied
  tapButton("Cài đặt");
  ASSERT_EQ(opener->opened.size(), 1u);
  EXPECT_EQ(opener->opened[0].absoluteString(), "app-settings:");

  leaveAndComeBack();
  ASSERT_NE(alert(), nullptr);
  tapButton("Hủy");
  EXPECT_EQ(alert(), nullptr);
  EXPECT_EQ(opener->opened.size(), 1u);
  EXPECT_EQ(prompts, 1);
}

TEST_F(ScannerTest, GrantingAccessAtThePromptStartsTheCamera) {
  AVCaptureDevice::setAccessPrompt([](AVMediaType, std::function<void(bool)> answer) { answer(true); });
  show(frameWithQR("KB-GRANTED"), AVAuthorizationStatus::notDetermined);
  advance(1);
  runUntilIdle();
  EXPECT_EQ(listener->codes, (std::vector<std::string>{"KB-GRANTED"}));
  ASSERT_NE(screen->videoPreviewLayer, nullptr);
  EXPECT_EQ(screen->videoPreviewLayer->superlayer(), screen->viewCamera.lock()->layer());
}

TEST_F(ScannerTest, APhotoIsReadForItsQRCodeOrSaysNoneWasFound) {
  struct Case {
    const char* name;
    std::shared_ptr<ios::CGImage> photo;  // null: the pick is cancelled
    std::vector<std::string> read;
    bool notFound;
  };
  const Case cases[] = {
      {"qr", frameWithQR("KB-PHOTO"), {"KB-PHOTO"}, false},
      {"bar code only", frameWithLinearCode(ZXing::BarcodeFormat::Code128, "ABC-123"), {}, true},
      {"no code", blank(), {}, true},
      {"cancelled", nullptr, {}, false},
  };
  show(blank());
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    listener->codes.clear();
    if (c.photo) {
      photos->willPick(ios::UIImage::create(c.photo));
    } else {
      photos->willCancel();
    }
    tapButton("Chọn ảnh");
    settle();  // the picker slides in, answers and slides out
    EXPECT_EQ(screen->presentedViewController(), nullptr);
    EXPECT_EQ(listener->codes, c.read);
    EXPECT_EQ(shows("Không tìm thấy mã QR code."), c.notFound);
    advance(2);  // the message goes after 1.3 s
    runUntilIdle();
    EXPECT_FALSE(shows("Không tìm thấy mã QR code."));
    leaveAndComeBack();
  }
}

TEST_F(ScannerTest, TheTorchControlSwitchesTheTorch) {
  show(blank());
  auto camera = AVCaptureDevice::defaultDevice(AVMediaType::video);
  ASSERT_TRUE(camera && camera->hasTorch());
  tapButton("Đèn flash");
  EXPECT_EQ(camera->torchMode(), ios::AVCaptureTorchMode::on);
  EXPECT_FLOAT_EQ(camera->torchLevel(), 1.0f);
  tapButton("Đèn flash");
  EXPECT_EQ(camera->torchMode(), ios::AVCaptureTorchMode::off);
  EXPECT_FALSE(camera->isLockedForConfiguration());
}

}  // namespace
}  // namespace kerbelin::test
