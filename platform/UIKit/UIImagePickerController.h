#pragma once

#include <UIKit/UIViewController.h>

#include <any>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace ios {

class UIImage;
class UIImagePickerController;

// Raw values as UIKit's.
enum class UIImagePickerControllerSourceType { photoLibrary = 0, camera = 1, savedPhotosAlbum = 2 };

// What a pick hands back, by key. The picked image is under `UIImagePickerControllerOriginalImage`
// as a `std::shared_ptr<UIImage>`.
using UIImagePickerInfo = std::map<std::string, std::any>;
inline constexpr char UIImagePickerControllerOriginalImage[] = "UIImagePickerControllerOriginalImage";
inline constexpr char UIImagePickerControllerMediaType[] = "UIImagePickerControllerMediaType";

// Told how a pick ended. The picker does not go away by itself: the delegate dismisses it. The
// default bodies dismiss it (animated), as the platform does for a delegate that does not answer.
class UIImagePickerControllerDelegate {
 public:
  virtual ~UIImagePickerControllerDelegate() = default;
  virtual void didFinishPickingMediaWithInfo(UIImagePickerController& picker, const UIImagePickerInfo& info);
  virtual void imagePickerControllerDidCancel(UIImagePickerController& picker);
};

// Where picked images come from: the process-wide stand-in for the photo library's chooser. The
// host installs a file chooser; tests install a scripted one (ScriptedImagePicker).
class ImagePickerSource {
 public:
  virtual ~ImagePickerSource() = default;
  virtual bool isSourceTypeAvailable(UIImagePickerControllerSourceType type) = 0;
  // Starts a pick for `picker`; `done` gets the image, or null for a cancel. It may be called at
  // once or later; the picker ignores a late answer once its pick has ended another way.
  virtual void pick(UIImagePickerController& picker, std::function<void(std::shared_ptr<UIImage>)> done) = 0;

  // The installed source. Without one no source type is available.
  static std::shared_ptr<ImagePickerSource> shared();
  static void setShared(std::shared_ptr<ImagePickerSource> source);
};

// The photo picker. Each time it comes on screen (after `present`), it asks the installed source for
// an image and tells the delegate how the pick ended. Its own screen says it is choosing and has a
// cancel button, "Hủy", that ends the pick as cancelled.
class UIImagePickerController : public UIViewController {
 public:
  static std::shared_ptr<UIImagePickerController> create();
  UIImagePickerController();

  static bool isSourceTypeAvailable(UIImagePickerControllerSourceType type);

  std::weak_ptr<UIImagePickerControllerDelegate> delegate;
  UIImagePickerControllerSourceType sourceType = UIImagePickerControllerSourceType::photoLibrary;
  bool allowsEditing = false;
  // Images only, as the platform's default.
  std::vector<std::string> mediaTypes{"public.image"};

  void loadView() override;
  void viewDidAppear(bool animated) override;
  void viewWillDisappear(bool animated) override;

 private:
  void finish(std::shared_ptr<UIImage> image, unsigned pick);

  unsigned pick_ = 0;  // counts picks, so that a stale answer is recognised
  bool picking_ = false;
};

}  // namespace ios
