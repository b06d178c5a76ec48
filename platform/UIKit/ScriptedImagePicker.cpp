#include <UIKit/ScriptedImagePicker.h>

#include <Foundation/DispatchQueue.h>

namespace ios {

bool ScriptedImagePicker::isSourceTypeAvailable(UIImagePickerControllerSourceType type) {
  return availableSources.count(type) > 0;
}

void ScriptedImagePicker::pick(UIImagePickerController&, std::function<void(std::shared_ptr<UIImage>)> done) {
  ++picks_;
  if (script_.empty()) {
    waiting_ = std::move(done);
    return;
  }
  auto image = std::move(script_.front());
  script_.pop_front();
  DispatchQueue::main().async([done = std::move(done), image = std::move(image)] { done(image); });
}

bool ScriptedImagePicker::answer(std::shared_ptr<UIImage> image) {
  if (!waiting_) return false;
  auto done = std::move(waiting_);
  waiting_ = nullptr;
  done(std::move(image));
  return true;
}

}  // namespace ios
