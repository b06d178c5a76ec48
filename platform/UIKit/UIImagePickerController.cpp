#include <UIKit/UIImagePickerController.h>

#include <Foundation/SharedSlot.h>
#include <UIKit/UIButton.h>
#include <UIKit/UIColor.h>
#include <UIKit/UIImage.h>
#include <UIKit/UILabel.h>
#include <UIKit/UIScreen.h>

namespace ios {

namespace {

const auto registration =
    ClassRegistration<UIImagePickerController, UIViewController>("UIImagePickerController").factory([] {
      return UIImagePickerController::create();
    });

// No chooser on this machine.
class NoImagePickerSource : public ImagePickerSource {
 public:
  bool isSourceTypeAvailable(UIImagePickerControllerSourceType) override { return false; }
  void pick(UIImagePickerController&, std::function<void(std::shared_ptr<UIImage>)> done) override {
    done(nullptr);
  }
};

SharedSlot<ImagePickerSource>& installed() {
  static SharedSlot<ImagePickerSource> slot([] { return std::make_shared<NoImagePickerSource>(); });
  return slot;
}

}  // namespace

void UIImagePickerControllerDelegate::didFinishPickingMediaWithInfo(UIImagePickerController& picker,
                                                                    const UIImagePickerInfo&) {
  picker.dismiss(true);
}

void UIImagePickerControllerDelegate::imagePickerControllerDidCancel(UIImagePickerController& picker) {
  picker.dismiss(true);
}

std::shared_ptr<ImagePickerSource> ImagePickerSource::shared() {
  return installed().get();
}

void ImagePickerSource::setShared(std::shared_ptr<ImagePickerSource> source) {
  installed().set(std::move(source));
}

std::shared_ptr<UIImagePickerController> UIImagePickerController::create() {
  return std::make_shared<UIImagePickerController>();
}

UIImagePickerController::UIImagePickerController() {
  modalPresentationStyle = UIModalPresentationStyle::fullScreen;
}

bool UIImagePickerController::isSourceTypeAvailable(UIImagePickerControllerSourceType type) {
  return ImagePickerSource::shared()->isSourceTypeAvailable(type);
}

void UIImagePickerController::loadView() {
  const CGRect bounds = UIScreen::main()->bounds();
  const CGFloat top = UIScreen::main()->safeAreaInsets().top;
  auto root = UIView::create(bounds);
  root->setBackgroundColor(UIColor::white());

  auto heading = UILabel::create(CGRect(80, top, bounds.width() - 160, 44));
  heading->setText("Ảnh");
  heading->setFont(UIFont::systemFont(17, UIFontWeight::semibold));
  heading->setTextAlignment(NSTextAlignment::center);
  root->addSubview(heading);

  auto cancel = UIButton::create(UIButtonType::system);
  cancel->setTitle("Hủy", UIControl::normal);
  cancel->setTitleColor(UIColor::systemBlue(), UIControl::normal);
  cancel->setFrame(CGRect(bounds.width() - 80, top, 72, 44));
  std::weak_ptr<UIImagePickerController> weak =
      std::static_pointer_cast<UIImagePickerController>(shared_from_this());
  cancel->addAction(
      [weak](UIControl&) {
        if (auto self = weak.lock()) self->finish(nullptr, self->pick_);
      },
      UIControl::touchUpInside);
  root->addSubview(cancel);

  auto status = UILabel::create(CGRect(16, bounds.height() / 2 - 22, bounds.width() - 32, 44));
  status->setText("Đang chọn ảnh…");
  status->setTextColor(UIColor::gray());
  status->setTextAlignment(NSTextAlignment::center);
  root->addSubview(status);
  setView(root);
}

void UIImagePickerController::viewDidAppear(bool animated) {
  UIViewController::viewDidAppear(animated);
  if (picking_) return;
  picking_ = true;
  const unsigned pick = ++pick_;
  std::weak_ptr<UIImagePickerController> weak =
      std::static_pointer_cast<UIImagePickerController>(shared_from_this());
  ImagePickerSource::shared()->pick(*this, [weak, pick](std::shared_ptr<UIImage> image) {
    if (auto self = weak.lock()) self->finish(std::move(image), pick);
  });
}

void UIImagePickerController::viewWillDisappear(bool animated) {
  UIViewController::viewWillDisappear(animated);
  // Leaving the screen ends the pick: an answer that arrives later is dropped.
  picking_ = false;
  ++pick_;
}

void UIImagePickerController::finish(std::shared_ptr<UIImage> image, unsigned pick) {
  if (!picking_ || pick != pick_) return;
  picking_ = false;
  ++pick_;  // answered: later calls for the same pick are stale
  auto self = std::static_pointer_cast<UIImagePickerController>(shared_from_this());
  auto d = delegate.lock();
  if (image) {
    UIImagePickerInfo info{{UIImagePickerControllerOriginalImage, image},
                           {UIImagePickerControllerMediaType, std::string("public.image")}};
    if (d) {
      d->didFinishPickingMediaWithInfo(*self, info);
    } else {
      dismiss(true);
    }
  } else if (d) {
    d->imagePickerControllerDidCancel(*self);
  } else {
    dismiss(true);
  }
}

}  // namespace ios
