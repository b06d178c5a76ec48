#pragma once

#include <Class/MyCode/ChoiceAddressViewController.h>
#include <FloatingPanel/FloatingPanelController.h>
#include <UIKit/UITapGestureRecognizer.h>
#include <UIKit/UIViewController.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kerbelin {

class AreaModel;

// Told the row the user picked in the picker sheet: the area of that row (none for plain titles)
// and its index. Sent once per pick, after the sheet has slid down, just before it closes.
class ContainerFloatingChoiceAddressViewControllerDelegate {
 public:
  virtual ~ContainerFloatingChoiceAddressViewControllerDelegate() = default;
  virtual void ChoiceIndexArea(std::shared_ptr<AreaModel> obj, int index) = 0;
};

// A bottom sheet listing areas or plain titles, one of them checked, for the user to pick one.
//
// The caller instantiates it from the storyboard "MyCode" (scene
// "ContainerFloatingChoiceAddressViewController"), sets `arrayArea` or `arrayText`, `indexChoiced`
// and `delegate`, and presents it over full screen without animation. The inputs are read once, when
// the view loads. The sheet slides up when the host comes on screen. A tap on a row slides it down,
// then reports the row to the delegate, then dismisses the host; without a delegate a row tap does
// nothing. A tap beside the sheet, or a swipe that leaves it low, closes it without a report.
class ContainerFloatingChoiceAddressViewController : public ios::UIViewController,
                                                     public ios::FloatingPanelControllerDelegate,
                                                     public ChoiceAddressViewControllerDelegate {
 public:
  static std::shared_ptr<ContainerFloatingChoiceAddressViewController> create();

  // Held weakly: the caller presents (and so owns) this host.
  std::weak_ptr<ContainerFloatingChoiceAddressViewControllerDelegate> delegate;
  std::shared_ptr<ios::FloatingPanelController> fpc;
  std::vector<std::shared_ptr<AreaModel>> arrayArea;
  // When present, even empty, the rows are these titles and `arrayArea` is not shown.
  std::optional<std::vector<std::string>> arrayText;
  // The checked row; -1 checks none.
  int indexChoiced = -1;

  void viewDidLoad() override;
  void viewDidAppear(bool animated) override;
  void viewWillDisappear(bool animated) override;

  // The backdrop's tap: slides the sheet down, then closes without a report.
  void handleBackdrop(const std::shared_ptr<ios::UITapGestureRecognizer>& tapGesture = nullptr);

  // FloatingPanelControllerDelegate
  std::shared_ptr<ios::FloatingPanelLayout> layoutFor(ios::FloatingPanelController& panel) override;
  // A swipe that comes to rest low (half or tip) closes the host without a report.
  void floatingPanelDidEndDecelerating(ios::FloatingPanelController& panel) override;

  // ChoiceAddressViewControllerDelegate: the list's tapped row.
  void ChoiceIndexArea(std::shared_ptr<AreaModel> obj, int index) override;

 private:
  std::shared_ptr<ChoiceAddressViewController> makeList();
  // Slides the sheet to the tip, then runs `then` and dismisses the host.
  void slideDownAndClose(std::function<void()> then);
};

}  // namespace kerbelin
