#pragma once

#include <Class/MyCode/PopupQRController/PopupQRCodeViewController.h>
#include <FloatingPanel/FloatingPanelController.h>
#include <FloatingPanel/FloatingPanelControllerDelegate.h>
#include <Foundation/Dictionary.h>
#include <UIKit/UITapGestureRecognizer.h>
#include <UIKit/UIViewController.h>

#include <memory>
#include <optional>
#include <string>

namespace kerbelin {

// What the opener of a QR sheet learns: the user asked to share the code `qr`. Told after the
// sheet has gone, so the opener can present the share sheet at once.
class ContainerFloatingQRCodeViewControllerDelegate {
 public:
  virtual ~ContainerFloatingQRCodeViewControllerDelegate() = default;
  virtual void shareQRcode(const std::string& qr) = 0;
};

// The QR bottom sheet. The opener instantiates it from the storyboard "MyCode", sets `code` (code
// mode) or `params` (token mode), `nameTitle` and, when it likes, `rootView`, and presents it over
// full screen without animation. It holds the pop-up as the panel's content, starts at the tip out
// of sight, slides to full when on screen, and closes by sliding down and dismissing itself: on a
// backdrop tap, when a drag leaves it at the tip, after a successful save, and for a share (the
// delegate is told once the dismissal has finished). Going off screen ends the pop-up's countdown.
class ContainerFloatingQRCodeViewController : public ios::UIViewController,
                                              public ios::FloatingPanelControllerDelegate,
                                              public PopupQRCodeViewControllerDelegate {
 public:
  // A new sheet from the "MyCode" storyboard; null if the scene is missing.
  static std::shared_ptr<ContainerFloatingQRCodeViewController> instantiate();
  static std::shared_ptr<ContainerFloatingQRCodeViewController> create();
  ContainerFloatingQRCodeViewController();

  // Held weakly: the opener presents (and so holds) this sheet.
  std::weak_ptr<ContainerFloatingQRCodeViewControllerDelegate> delegate;
  std::shared_ptr<ios::FloatingPanelController> fpc;
  std::optional<ios::Dictionary> params;
  std::string nameTitle;
  std::optional<std::string> code;
  // The screen the sheet was opened from, handed on to the pop-up. Held weakly: it presents this sheet.
  std::weak_ptr<ios::UIViewController> rootView;

  void viewDidLoad() override;
  void viewDidAppear(bool animated) override;
  void viewWillDisappear(bool animated) override;

  void handleBackdrop();
  std::shared_ptr<ios::FloatingPanelLayout> layoutFor(ios::FloatingPanelController&) override;
  void floatingPanelDidEndDecelerating(ios::FloatingPanelController& panel) override;

  void dissmisPopup(bool animation) override;
  void shareQRcode(const std::string& qr) override;

  // The pop-up inside the panel, once the view has loaded.
  std::shared_ptr<PopupQRCodeViewController> popup() const { return popup_; }

 private:
  // Slides the sheet down, dismisses, then runs `then`.
  void close(std::function<void()> then);

  std::shared_ptr<PopupQRCodeViewController> popup_;
  std::shared_ptr<ios::UITapGestureRecognizer> backdropTap_;
};

}  // namespace kerbelin
