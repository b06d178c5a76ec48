#include <Class/Pay/ContainerFloatingTermPayViewController.h>

#include <Class/Pay/MyFloatingTermPayPanelLayout.h>
#include <Class/Pay/TermPayViewController.h>
#include <Foundation/ClassRegistry.h>

namespace kerbelin {

namespace {
using Host = ContainerFloatingTermPayViewController;
const auto registration =
    ios::ClassRegistration<Host, ios::UIViewController>().method("handleBackdrop:", &Host::handleBackdrop);
}  // namespace

std::shared_ptr<ContainerFloatingTermPayViewController> ContainerFloatingTermPayViewController::create() {
  return std::make_shared<ContainerFloatingTermPayViewController>();
}

void ContainerFloatingTermPayViewController::viewDidLoad() {
  UIViewController::viewDidLoad();
  view()->setBackgroundColor(ios::UIColor::clear());
  auto self = sharedAs<Host>();
  fpc = ios::FloatingPanelController::create();
  fpc->setDelegate(std::static_pointer_cast<ios::FloatingPanelControllerDelegate>(self));
  auto content = TermPayViewController::create();
  content->paymentModel = paymentModel;
  fpc->set(content);
  fpc->surfaceView()->setBackgroundColor(ios::UIColor::clear());
  fpc->surfaceView()->setShadowHidden(false);
  fpc->surfaceView()->grabberHandle()->setHidden(true);
  auto tap = ios::UITapGestureRecognizer::create(std::weak_ptr<ios::NSObject>(self), "handleBackdrop:");
  fpc->backdropView()->addGestureRecognizer(tap);
  fpc->addPanel(self, nullptr, false);
}

void ContainerFloatingTermPayViewController::viewDidAppear(bool animated) {
  UIViewController::viewDidAppear(animated);
  fpc->move(ios::FloatingPanelPosition::full, true);
}

void ContainerFloatingTermPayViewController::viewWillDisappear(bool animated) {
  UIViewController::viewWillDisappear(animated);
  fpc->removePanelFromParent(true);
}

void ContainerFloatingTermPayViewController::handleBackdrop(const std::shared_ptr<ios::UITapGestureRecognizer>&) {
  auto self = sharedAs<Host>();
  fpc->move(ios::FloatingPanelPosition::tip, true, [self] { self->dismiss(false); });
}

std::shared_ptr<ios::FloatingPanelLayout> ContainerFloatingTermPayViewController::layoutFor(
    ios::FloatingPanelController&) {
  return MyFloatingTermPayPanelLayout::create();
}

void ContainerFloatingTermPayViewController::floatingPanelDidEndDecelerating(ios::FloatingPanelController& vc) {
  const auto position = vc.position();
  if (position == ios::FloatingPanelPosition::half || position == ios::FloatingPanelPosition::tip) dismiss(false);
}

}  // namespace kerbelin
