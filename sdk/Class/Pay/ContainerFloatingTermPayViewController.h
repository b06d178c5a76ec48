#pragma once

#include <FloatingPanel/FloatingPanelController.h>
#include <FloatingPanel/FloatingPanelControllerDelegate.h>
#include <UIKit/UITapGestureRecognizer.h>
#include <UIKit/UIViewController.h>

#include <memory>

namespace kerbelin {

class PaymentModel;

// The terms sheet's host, presented over full screen by the order screen. It shows nothing of its
// own: its panel starts out of sight at the tip, slides up to full once the host is on screen, and
// the host goes away (without animation) after a tap on the backdrop has slid the panel back down,
// or as soon as a drag has let the panel come to rest at half or tip. Reads the order, never writes.
class ContainerFloatingTermPayViewController : public ios::UIViewController,
                                               public ios::FloatingPanelControllerDelegate {
 public:
  static std::shared_ptr<ContainerFloatingTermPayViewController> create();

  void viewDidLoad() override;
  void viewDidAppear(bool animated) override;
  void viewWillDisappear(bool animated) override;

  void handleBackdrop(const std::shared_ptr<ios::UITapGestureRecognizer>& tapGesture = nullptr);

  std::shared_ptr<ios::FloatingPanelLayout> layoutFor(ios::FloatingPanelController& vc) override;
  void floatingPanelDidEndDecelerating(ios::FloatingPanelController& vc) override;

  std::shared_ptr<ios::FloatingPanelController> fpc;  // made at load
  std::shared_ptr<PaymentModel> paymentModel;         // set by the presenter
};

}  // namespace kerbelin
