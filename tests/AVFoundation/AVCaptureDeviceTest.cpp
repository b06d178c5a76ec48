#include "CameraFixture.h"

#include <AVFoundation/AVCaptureDeviceDiscoverySession.h>
#include <AVFoundation/AVCaptureDeviceInput.h>
#include <Foundation/ProcessInfo.h>

#include <fstream>
#include <thread>

namespace ios {
namespace {

using test::CameraTest;

TEST_F(CameraTest, ThePromptIsAskedOnceAndItsAnswerFromAnyThreadArrivesOnTheMainQueue) {
  int prompts = 0;
  std::function<void(bool)> pending;
  AVCaptureDevice::setAccessPrompt([&](AVMediaType type, std::function<void(bool)> answer) {
    ++prompts;
    EXPECT_EQ(type, AVMediaType::video);
    pending = answer;
  });
  std::vector<bool> answers;
  auto record = [&](bool granted) {
    EXPECT_TRUE(RunLoop::isMainThread());
    answers.push_back(granted);
  };
  AVCaptureDevice::requestAccess(AVMediaTypeVideo, record);
  runUntilIdle();
  EXPECT_TRUE(answers.empty());                 // the user has not answered yet
  std::thread([&] { pending(false); }).join();  // prompts may answer from any thread
  pending(true);                                // a second answer is ignored
  runUntilIdle();
  EXPECT_EQ(answers, std::vector<bool>{false});
  EXPECT_EQ(AVCaptureDevice::authorizationStatus(AVMediaTypeVideo), AVAuthorizationStatus::denied);
  AVCaptureDevice::requestAccess(AVMediaTypeVideo, record);  // answered from the stored refusal
  runUntilIdle();
  EXPECT_EQ(answers, (std::vector<bool>{false, false}));
  EXPECT_EQ(prompts, 1);
}

TEST_F(CameraTest, DefaultPromptGrantsOnlyWhenTheHostSaysSo) {
  auto& info = ProcessInfo::processInfo();
  info.setEnvironmentValue("KERBELIN_CAMERA_ACCESS", std::nullopt);
  std::optional<bool> answer;
  AVCaptureDevice::requestAccess(AVMediaTypeVideo, [&](bool granted) { answer = granted; });
  runUntilIdle();
  EXPECT_EQ(answer, false);

  AVCaptureDevice::setAuthorizationStatus(AVMediaTypeVideo, AVAuthorizationStatus::notDetermined);
  info.setEnvironmentValue("KERBELIN_CAMERA_ACCESS", "granted");
  answer.reset();
  AVCaptureDevice::requestAccess(AVMediaTypeVideo, [&](bool granted) { answer = granted; });
  EXPECT_FALSE(answer);  // never inside the call, even when the prompt answers at once
  runUntilIdle();
  info.setEnvironmentValue("KERBELIN_CAMERA_ACCESS", std::nullopt);
  EXPECT_EQ(answer, true);
}

TEST_F(CameraTest, WithoutAnyCameraThereIsNoDeviceAndNoInput) {
  EXPECT_EQ(AVCaptureDevice::defaultDevice(AVMediaTypeVideo), nullptr);
  auto discovery = AVCaptureDeviceDiscoverySession::create({AVCaptureDeviceType::builtInWideAngleCamera},
                                                           AVMediaTypeVideo, AVCaptureDevicePosition::back);
  EXPECT_TRUE(discovery->devices().empty());
  std::string error;
  EXPECT_EQ(AVCaptureDeviceInput::create(nullptr, &error), nullptr);
  EXPECT_FALSE(error.empty());
}

TEST_F(CameraTest, FileCameraIsTheBackCameraAndStaysTheSameObject) {
  writeFrame("a.png", blank());
  AVCaptureDevice::setFileFrameSource({folder.string()}, 5);
  auto device = AVCaptureDevice::defaultDevice(AVMediaTypeVideo);
  ASSERT_NE(device, nullptr);
  EXPECT_EQ(AVCaptureDevice::defaultDevice(AVMediaTypeVideo), device);
  EXPECT_EQ(device->position(), AVCaptureDevicePosition::back);
  auto back = AVCaptureDeviceDiscoverySession::create({AVCaptureDeviceType::builtInWideAngleCamera},
                                                      AVMediaTypeVideo, AVCaptureDevicePosition::back);
  EXPECT_EQ(back->devices(), std::vector{device});
  auto front = AVCaptureDeviceDiscoverySession::create({AVCaptureDeviceType::builtInWideAngleCamera},
                                                       AVMediaTypeVideo, AVCaptureDevicePosition::front);
  EXPECT_TRUE(front->devices().empty());
  EXPECT_NE(AVCaptureDeviceInput::create(device), nullptr);
}

TEST_F(CameraTest, InputFailsWhenTheFilesHoldNoPicture) {
  std::filesystem::create_directories(folder / "empty");
  std::ofstream(folder / "broken.png") << "not a png";
  AVCaptureDevice::setFileFrameSource({(folder / "empty").string(), (folder / "broken.png").string()});
  std::string error;
  EXPECT_EQ(AVCaptureDeviceInput::create(AVCaptureDevice::defaultDevice(AVMediaTypeVideo), &error), nullptr);
  EXPECT_NE(error.find("Cannot Open"), std::string::npos) << error;
}

// The scanner's torch story runs on a camera with a torch; a desktop camera has none.
TEST_F(CameraTest, ACameraWithoutATorchRefusesToLightIt) {
  writeFrame("a.png", blank());
  AVCaptureDevice::setFileFrameSource({folder.string()});
  auto plain = AVCaptureDevice::defaultDevice(AVMediaTypeVideo);
  EXPECT_FALSE(plain->hasTorch());
  std::string error;
  ASSERT_TRUE(plain->lockForConfiguration(&error));
  EXPECT_FALSE(plain->setTorchModeOn(1.0f, &error));
  EXPECT_EQ(plain->torchMode(), AVCaptureTorchMode::off);
  plain->unlockForConfiguration();
}

}  // namespace
}  // namespace ios
