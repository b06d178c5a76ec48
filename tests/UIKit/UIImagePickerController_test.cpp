#include <UIKit/ScriptedImagePicker.h>
#include <UIKit/UIImage.h>
#include <UIKit/UIImagePickerController.h>
#include <UIKit/UIWindow.h>

#include <gtest/gtest.h>
#include <support/WindowTest.h>

#include "ControllerTestSupport.h"

#include <string>
#include <vector>

namespace ios {
namespace {

// A screen that picks a photo the way the QR scanner does: it dismisses the picker itself and uses the
// image in the dismissal's completion.
class PickingScreen : public UIViewController, public UIImagePickerControllerDelegate {
 public:
  std::vector<std::string> log;
  std::shared_ptr<UIImage> scanned;

  void viewDidAppear(bool) override { log.push_back("didAppear"); }
  void didFinishPickingMediaWithInfo(UIImagePickerController& picker,
                                     const UIImagePickerInfo& info) override {
    auto it = info.find(UIImagePickerControllerOriginalImage);
    auto image = it == info.end() ? nullptr : std::any_cast<std::shared_ptr<UIImage>>(it->second);
    log.push_back("picked");
    picker.dismiss(true, [this, image] {
      log.push_back("scan");
      scanned = image;
    });
  }
  void imagePickerControllerDidCancel(UIImagePickerController& picker) override {
    log.push_back("Cancel");
    picker.dismiss(true);
  }
};

// Adopts the delegate without answering anything.
class SilentScreen : public UIViewController, public UIImagePickerControllerDelegate {};

class Picker : public test::WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    ImagePickerSource::setShared(source);
    show(screen);
    screen->log.clear();
    picker = UIImagePickerController::create();
    picker->delegate = screen;
    image = UIImage::create(CGImage::create(2, 2, std::vector<std::uint32_t>(4, 0xFFFFFFFF)));
  }
  void TearDown() override {
    ImagePickerSource::setShared(nullptr);
    WindowTest::TearDown();
  }

  std::shared_ptr<ScriptedImagePicker> source = ScriptedImagePicker::create();
  std::shared_ptr<PickingScreen> screen = std::make_shared<PickingScreen>();
  std::shared_ptr<UIImagePickerController> picker;
  std::shared_ptr<UIImage> image;
};

TEST_F(Picker, APickReachesTheDelegateWhichDismissesAndScansInTheCompletion) {
  source->willPick(image);
  screen->present(picker, true);
  EXPECT_EQ(source->pickCount(), 0);  // the pick starts once the picker is on screen
  settle();
  EXPECT_EQ(source->pickCount(), 1);
  settle();
  // Full screen: the presenter left and comes back when the picker goes, before the completion.
  EXPECT_EQ(screen->log, (std::vector<std::string>{"picked", "didAppear", "scan"}));
  EXPECT_EQ(screen->scanned, image);
  EXPECT_EQ(screen->presentedViewController(), nullptr);
}

// A chooser that keeps every pick's answer callback, to answer them in any order.
class SlowChooser : public ImagePickerSource {
 public:
  std::vector<std::function<void(std::shared_ptr<UIImage>)>> pending;
  bool isSourceTypeAvailable(UIImagePickerControllerSourceType) override { return true; }
  void pick(UIImagePickerController&, std::function<void(std::shared_ptr<UIImage>)> done) override {
    pending.push_back(std::move(done));
  }
};

TEST_F(Picker, TheCancelButtonEndsAWaitingPickWhoseLateAnswerDoesNotEndTheNextOne) {
  auto chooser = std::make_shared<SlowChooser>();
  ImagePickerSource::setShared(chooser);
  screen->present(picker, true);
  settle();
  ASSERT_TRUE(test::tapButton(window, "Hủy"));
  settle();
  EXPECT_EQ(screen->log, (std::vector<std::string>{"Cancel", "didAppear"}));
  screen->present(picker, true);  // the same picker, a new pick
  settle();
  ASSERT_EQ(chooser->pending.size(), 2u);
  screen->log.clear();
  chooser->pending[0](image);  // the first chooser answers late
  settle();
  EXPECT_TRUE(screen->log.empty());
  EXPECT_EQ(screen->presentedViewController(), picker);
  chooser->pending[1](image);
  settle();
  EXPECT_EQ(screen->log, (std::vector<std::string>{"picked", "didAppear", "scan"}));
}

TEST_F(Picker, AvailabilityComesFromTheInstalledSource) {
  EXPECT_TRUE(
      UIImagePickerController::isSourceTypeAvailable(UIImagePickerControllerSourceType::savedPhotosAlbum));
  EXPECT_FALSE(UIImagePickerController::isSourceTypeAvailable(UIImagePickerControllerSourceType::camera));
  source->availableSources.clear();
  EXPECT_FALSE(
      UIImagePickerController::isSourceTypeAvailable(UIImagePickerControllerSourceType::savedPhotosAlbum));
  ImagePickerSource::setShared(nullptr);  // no chooser at all
  EXPECT_FALSE(
      UIImagePickerController::isSourceTypeAvailable(UIImagePickerControllerSourceType::photoLibrary));
}

TEST_F(Picker, ADelegateThatDoesNotAnswerLeavesThePickerToDismissItself) {
  auto silent = std::make_shared<SilentScreen>();
  window->setRootViewController(silent);
  picker->delegate = silent;
  source->willPick(image);
  silent->present(picker, true);
  settle();
  settle();
  EXPECT_EQ(silent->presentedViewController(), nullptr);
  EXPECT_EQ(picker->view()->window(), nullptr);
}

}  // namespace
}  // namespace ios
