#include <Class/MyCode/PopupQRController/ContainerFloatingQRCodeViewController.h>

#include <Class/MyCode/PopupQRController/MyFloatingQRCodePanelLayout.h>
#include <FloatingPanel/FloatingPanelSurfaceView.h>
#include <FloatingPanel/FloatingPanelBackdropView.h>
#include <FloatingPanel/GrabberHandleView.h>
#include <Foundation/ClassRegistry.h>
#include <Ultilities/Constants/Storyboards.h>

namespace kerbelin {

namespace {
using Host = ContainerFloatingQRCodeViewController;
const auto registration = ios::ClassRegistration<Host, ios::UIViewController>().method(
    "handleBackdropWithTapGesture:", &Host::handleBackdrop);
}  // namespace

std::shared_ptr<ContainerFloatingQRCodeViewController> ContainerFloatingQRCodeViewController::instantiate() {
  return std::dynamic_pointer_cast<Host>(
      shareInstanceMyCodeStoryboard()->instantiateViewController("ContainerFloatingQRCodeViewController"));
}

std::shared_ptr<ContainerFloatingQRCodeViewController> ContainerFloatingQRCodeViewController::create() {
  return std::make_shared<Host>();
}

ContainerFloatingQRCodeViewController::ContainerFloatingQRCodeViewController() = default;

void ContainerFloatingQRCodeViewController::viewDidLoad() {
  UIViewController::viewDidLoad();
  auto self = sharedAs<Host>();
  fpc = ios::FloatingPanelController::create();
  fpc->setDelegate(std::static_pointer_cast<ios::FloatingPanelControllerDelegate>(self));
  popup_ = std::dynamic_pointer_cast<PopupQRCodeViewController>(
      shareInstanceMyCodeStoryboard()->instantiateViewController("PopupQRCodeViewController"));
  if (!popup_) popup_ = PopupQRCodeViewController::create();
  popup_->params = params;
  popup_->nameTitle = nameTitle;
  popup_->code = code;
  popup_->rootView = rootView;
  popup_->delegate = std::static_pointer_cast<PopupQRCodeViewControllerDelegate>(self);
  fpc->set(popup_);
  fpc->surfaceView()->setBackgroundColor(ios::UIColor::clear());
  fpc->surfaceView()->setShadowHidden(false);
  fpc->surfaceView()->grabberHandle()->setHidden(true);
  backdropTap_ = ios::UITapGestureRecognizer::create(weak_from_this(), "handleBackdropWithTapGesture:");
  fpc->backdropView()->addGestureRecognizer(backdropTap_);
  fpc->addPanel(self);
}

void ContainerFloatingQRCodeViewController::viewDidAppear(bool animated) {
  UIViewController::viewDidAppear(animated);
  fpc->move(ios::FloatingPanelPosition::full, true);
}

void ContainerFloatingQRCodeViewController::viewWillDisappear(bool animated) {
  UIViewController::viewWillDisappear(animated);
  if (popup_) popup_->stopCountdown();
  if (fpc) fpc->removePanelFromParent(true);
}

std::shared_ptr<ios::FloatingPanelLayout> ContainerFloatingQRCodeViewController::layoutFor(
    ios::FloatingPanelController&) {
  return std::make_shared<MyFloatingQRCodePanelLayout>();
}

void ContainerFloatingQRCodeViewController::floatingPanelDidEndDecelerating(ios::FloatingPanelController& panel) {
  if (panel.position() == ios::FloatingPanelPosition::half || panel.position() == ios::FloatingPanelPosition::tip) {
    dismiss(false);
  }
}

void ContainerFloatingQRCodeViewController::handleBackdrop() {
  close(nullptr);
}

void ContainerFloatingQRCodeViewController::dissmisPopup(bool animation) {
  if (animation) {
    close(nullptr);
  } else {
    dismiss(false);
  }
}

void ContainerFloatingQRCodeViewController::shareQRcode(const std::string& qr) {
  auto weak = weakAs<Host>();
  close([weak, qr] {
    auto self = weak.lock();
    if (!self) return;
    if (auto opener = self->delegate.lock()) opener->shareQRcode(qr);
  });
}

void ContainerFloatingQRCodeViewController::close(std::function<void()> then) {
  auto weak = weakAs<Host>();
  fpc->move(ios::FloatingPanelPosition::tip, true, [weak, then = std::move(then)] {
    if (auto self = weak.lock()) self->dismiss(false, then);
  });
}

}  // namespace kerbelin
