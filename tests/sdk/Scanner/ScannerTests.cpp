// The scanner tab through its camera (a file camera playing prepared frames on the run loop's clock),
// its photo control (a scripted photo library) and its permission flow.

#include <AVFoundation/CameraFixture.h>

#include <Class/QRCode/QRCodeViewController.h>
#include <Desktop/RecordingURLOpener.h>
#include <UIKit/ScriptedImagePicker.h>
#include <UIKit/UIAlertController.h>
#include <Ultilities/Constants/Storyboards.h>
#include <support/ScreenTest.h>

#include <support/ScratchDirectory.h>

#include <filesystem>

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

// The camera fixture's frames: a grey picture, with a QR code or a linear code drawn on it.
struct Frames : ios::test::CameraTest {
  using CameraTest::blank;
  using CameraTest::frameWithLinearCode;
  using CameraTest::frameWithQR;
};

class ScannerTest : public ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    AVCaptureDevice::setSystemCamerasEnabled(false);
    AVCaptureDevice::clearFileFrameSource();
    AVCaptureDevice::setAccessPrompt(nullptr);
    ios::UIApplication::shared()->setURLOpener(opener);
    ios::ImagePickerSource::setShared(photos);
    freshScreen();
  }
  void TearDown() override {
    ScreenTest::TearDown();
    screen.reset();
    AVCaptureDevice::clearFileFrameSource();
    AVCaptureDevice::setAccessPrompt(nullptr);
    ios::UIApplication::shared()->setURLOpener(nullptr);
    ios::ImagePickerSource::setShared(nullptr);
  }

  // The camera shows `frame`; access is as given; then the screen comes on screen.
  void show(const std::shared_ptr<ios::CGImage>& frame, AVAuthorizationStatus access = AVAuthorizationStatus::authorized) {
    const std::string path = (std::filesystem::path(folder.path()) / "frame.png").string();
    ASSERT_TRUE(ios::UIImage::create(frame)->pngData()->write(path));
    AVCaptureDevice::setFileFrameSource({path}, 10, true);
    AVCaptureDevice::setAuthorizationStatus(AVMediaType::video, access);
    window->setRootViewController(screen);
    settle();
  }
  void settle() {
    runUntilIdle();
    ScreenTest::settle();
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
    tap(findLabel(*window, title));
    settle();
  }

  ios::test::ScratchDirectory folder;
  std::shared_ptr<Listener> listener = std::make_shared<Listener>();
  std::shared_ptr<ios::RecordingURLOpener> opener = ios::RecordingURLOpener::create();
  std::shared_ptr<ios::ScriptedImagePicker> photos = ios::ScriptedImagePicker::create();
  std::shared_ptr<QRCodeViewController> screen;
  std::shared_ptr<ios::UIViewController> other = ios::UIViewController::create();
};

TEST_F(ScannerTest, TheCameraReadsQRAndBarCodesOncePerAppearance) {
  struct Case {
    const char* name;
    std::shared_ptr<ios::CGImage> frame;
    std::vector<std::string> read;
  };
  const Case cases[] = {
      {"qr", Frames::frameWithQR("KB-TOKEN-123"), {"KB-TOKEN-123"}},
      {"ean13", Frames::frameWithLinearCode(ZXing::BarcodeFormat::EAN13, "8935049500018"), {"8935049500018"}},
      {"nothing", Frames::blank(), {}},
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
    leaveAndComeBack();  // each appearance allows one more read
    advance(1);
    runUntilIdle();
    auto twice = c.read;
    twice.insert(twice.end(), c.read.begin(), c.read.end());
    EXPECT_EQ(listener->codes, twice);
    window->setRootViewController(other);
    settle();
    EXPECT_FALSE(screen->captureSession->isRunning());  // the camera is off behind another tab
  }
}

TEST_F(ScannerTest, AccessIsAskedOnceAndWhileDeniedEachAppearanceOffersTheSettings) {
  int prompts = 0;
  AVCaptureDevice::setAccessPrompt([&](AVMediaType, std::function<void(bool)> answer) {
    ++prompts;
    answer(false);
  });
  show(Frames::frameWithQR("KB"), AVAuthorizationStatus::notDetermined);
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
  show(Frames::frameWithQR("KB-GRANTED"), AVAuthorizationStatus::notDetermined);
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
      {"qr", Frames::frameWithQR("KB-PHOTO"), {"KB-PHOTO"}, false},
      {"bar code only", Frames::frameWithLinearCode(ZXing::BarcodeFormat::Code128, "ABC-123"), {}, true},
      {"no code", Frames::blank(), {}, true},
      {"cancelled", nullptr, {}, false},
  };
  show(Frames::blank());
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
  show(Frames::blank());
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
