#pragma once

#include <UIKit/UIImagePickerController.h>

#include <deque>
#include <functional>
#include <memory>
#include <set>

namespace ios {

// An image source that answers from a script, for tests and demo runs: each pick takes the next
// scripted answer (an image, or null for a cancel) and delivers it on a later run-loop turn, as a
// person's choice would come. With nothing scripted, the pick waits for `answer`.
class ScriptedImagePicker : public ImagePickerSource {
 public:
  static std::shared_ptr<ScriptedImagePicker> create() { return std::make_shared<ScriptedImagePicker>(); }

  // The library and the album are available unless changed here.
  std::set<UIImagePickerControllerSourceType> availableSources{
      UIImagePickerControllerSourceType::photoLibrary, UIImagePickerControllerSourceType::savedPhotosAlbum};
  void willPick(std::shared_ptr<UIImage> image) { script_.push_back(std::move(image)); }
  void willCancel() { script_.push_back(nullptr); }
  // Answers the pick that waits, at once; false when none waits.
  bool answer(std::shared_ptr<UIImage> image);
  bool isWaiting() const { return static_cast<bool>(waiting_); }
  int pickCount() const { return picks_; }

  bool isSourceTypeAvailable(UIImagePickerControllerSourceType type) override;
  void pick(UIImagePickerController& picker, std::function<void(std::shared_ptr<UIImage>)> done) override;

 private:
  std::deque<std::shared_ptr<UIImage>> script_;
  std::function<void(std::shared_ptr<UIImage>)> waiting_;
  int picks_ = 0;
};

}  // namespace ios
