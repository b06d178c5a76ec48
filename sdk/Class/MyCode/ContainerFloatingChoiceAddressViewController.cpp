#include <Class/MyCode/ContainerFloatingChoiceAddressViewController.h>

#include <Class/MyCode/MyFloatingPanelLayout.h>
#include <Foundation/ClassRegistry.h>
#include <Foundation/Console.h>
#include <Ultilities/Constants/Storyboards.h>

namespace kerbelin {

namespace {
using Host = ContainerFloatingChoiceAddressViewController;
const auto registration = ios::ClassRegistration<Host, ios::UIViewController>()
                              .property("indexChoiced", &Host::indexChoiced)
                              .method("handleBackdropWithTapGesture:", &Host::handleBackdrop);
}  // namespace

std::shared_ptr<ContainerFloatingChoiceAddressViewController> ContainerFloatingChoiceAddressViewController::create() {
  return std::make_shared<ContainerFloatingChoiceAddressViewController>();
}

void ContainerFloatingChoiceAddressViewController::viewDidLoad() {
  UIViewController::viewDidLoad();
  auto self = sharedAs<Host>();
  fpc = ios::FloatingPanelController::create();
  fpc->setDelegate(std::static_pointer_cast<ios::FloatingPanelControllerDelegate>(self));
  auto list = makeList();
  fpc->set(list);
  fpc->track(list->tableView.lock());
  fpc->surfaceView()->setBackgroundColor(ios::UIColor::clear());
  fpc->surfaceView()->setShadowHidden(false);
  fpc->surfaceView()->grabberHandle()->setHidden(true);
  fpc->backdropView()->addGestureRecognizer(
      ios::UITapGestureRecognizer::create(std::weak_ptr<ios::NSObject>(self), "handleBackdropWithTapGesture:"));
  fpc->addPanel(self);
}

std::shared_ptr<ChoiceAddressViewController> ContainerFloatingChoiceAddressViewController::makeList() {
  // The scene is part of the framework's resources; a missing one is a packaging fault.
  auto list = std::dynamic_pointer_cast<ChoiceAddressViewController>(
      shareInstanceMyCodeStoryboard()->instantiateViewController("ChoiceAddressViewController"));
  if (!list) ios::fatalError("The storyboard \"MyCode\" has no ChoiceAddressViewController scene");
  list->arrayText = arrayText;
  list->arrayArea = arrayArea;
  list->indexChoiced = indexChoiced;
  list->delegate = sharedAs<Host>();
  return list;
}

void ContainerFloatingChoiceAddressViewController::viewDidAppear(bool animated) {
  UIViewController::viewDidAppear(animated);
  if (fpc) fpc->move(ios::FloatingPanelPosition::full, true);
}

void ContainerFloatingChoiceAddressViewController::viewWillDisappear(bool animated) {
  UIViewController::viewWillDisappear(animated);
  if (fpc) fpc->removePanelFromParent(true);
}

std::shared_ptr<ios::FloatingPanelLayout> ContainerFloatingChoiceAddressViewController::layoutFor(
    ios::FloatingPanelController&) {
  return std::make_shared<MyFloatingPanelLayout>();
}

void ContainerFloatingChoiceAddressViewController::floatingPanelDidEndDecelerating(
    ios::FloatingPanelController& panel) {
  const auto at = panel.position();
  if (at == ios::FloatingPanelPosition::half || at == ios::FloatingPanelPosition::tip) dismiss(false);
}

void ContainerFloatingChoiceAddressViewController::handleBackdrop(
    const std::shared_ptr<ios::UITapGestureRecognizer>&) {
  slideDownAndClose(nullptr);
}

void ContainerFloatingChoiceAddressViewController::ChoiceIndexArea(std::shared_ptr<AreaModel> obj, int index) {
  if (delegate.expired()) return;
  slideDownAndClose([weak = weakAs<Host>(), obj = std::move(obj), index] {
    auto self = weak.lock();
    if (auto listener = self ? self->delegate.lock() : nullptr) listener->ChoiceIndexArea(obj, index);
  });
}

void ContainerFloatingChoiceAddressViewController::slideDownAndClose(std::function<void()> then) {
  if (!fpc) return;
  fpc->move(ios::FloatingPanelPosition::tip, true, [weak = weakAs<Host>(), then = std::move(then)] {
    if (then) then();
    if (auto self = weak.lock()) self->dismiss(false);
  });
}

}  // namespace kerbelin
