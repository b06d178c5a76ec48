// The bottom sheets in a window too short for them: a phone held sideways. Each rests at the top of
// the window rather than above it, a drag down closes it and the screen below works again.

#include <Class/MyCode/ContainerFloatingChoiceAddressViewController.h>
#include <Class/MyCode/PopupQRController/ContainerFloatingQRCodeViewController.h>
#include <Class/Pay/Cell/TermPayTableViewCell.h>
#include <Class/Pay/ContainerFloatingTermPayViewController.h>
#include <UIKit/UIScreen.h>
#include <Ultilities/Constants/Storyboards.h>
#include <sdk/Pay/PayTestSupport.h>

#include <gtest/gtest.h>

#include <functional>

namespace kerbelin::test {
namespace {

// The screen is fixed once read: this binary's is a small phone in landscape, shorter than every
// sheet, with the safe area such a phone has sideways.
const bool kScreenConfigured =
    ios::UIScreen::configure({.points = {568, 320}, .scale = 2, .safeAreaInsets = {0, 44, 21, 44}});

class ShortWindow : public PayTest {
 protected:
  // Opens the terms sheet from the order screen's link.
  std::shared_ptr<ios::UIViewController> openTerms() {
    openOrder();
    answer(lastBill(), orderJSON());
    auto& table = *screen->table.lock();
    auto row = rowOf<TermPayTableViewCell>(table, {table.numberOfSections() - 1, 0});
    tap(*row->termButton.lock());
    return screen->presentedViewController();
  }
  std::shared_ptr<ios::UIViewController> openQR() {
    auto sheet = ContainerFloatingQRCodeViewController::instantiate();
    sheet->code = "KB000123";
    sheet->nameTitle = "Thẻ 10 buổi bơi";
    return presentOverFullScreen(sheet);
  }
  std::shared_ptr<ios::UIViewController> openAreaPicker() {
    auto sheet = std::dynamic_pointer_cast<ContainerFloatingChoiceAddressViewController>(
        shareInstanceMyCodeStoryboard()->instantiateViewController(
            "ContainerFloatingChoiceAddressViewController"));
    sheet->arrayText = std::vector<std::string>{"Trong tuần này", "Trong tháng này", "Chọn ngày"};
    return presentOverFullScreen(sheet);
  }
  std::shared_ptr<ios::UIViewController> presentOverFullScreen(
      const std::shared_ptr<ios::UIViewController>& sheet) {
    sheet->modalPresentationStyle = ios::UIModalPresentationStyle::overFullScreen;
    presenter()->present(sheet, false);
    runUntilIdle();
    return sheet;
  }
  // The order screen once it is open, otherwise the screen below it.
  std::shared_ptr<ios::UIViewController> presenter() const {
    if (screen) return screen;
    return caller;
  }

  // The panel of whichever sheet is up.
  static std::shared_ptr<ios::FloatingPanelController> panelOf(
      const std::shared_ptr<ios::UIViewController>& host) {
    for (const auto& child : host->children())
      if (auto panel = std::dynamic_pointer_cast<ios::FloatingPanelController>(child)) return panel;
    return nullptr;
  }
};

TEST_F(ShortWindow, EverySheetRestsInsideTheWindowAndADragDownClosesItSoTheOrderCanBePaid) {
  const std::vector<std::pair<const char*, std::function<std::shared_ptr<ios::UIViewController>()>>> sheets =
      {{"terms", [&] { return openTerms(); }},
       {"QR code", [&] { return openQR(); }},
       {"area picker", [&] { return openAreaPicker(); }}};
  for (const auto& [name, open] : sheets) {
    SCOPED_TRACE(name);
    auto host = open();
    ASSERT_NE(host, nullptr);
    advance(1);
    auto panel = panelOf(host);
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->position(), ios::FloatingPanelPosition::full);
    EXPECT_EQ(panel->surfaceView()->frame().minY(), 0);  // at the top, not above it

    touches->drag({284, 40}, {284, 300}, 0.15);
    advance(1);
    runUntilIdle();
    EXPECT_FALSE(panel->isAnimating());  // come to rest
    EXPECT_EQ(presenter()->presentedViewController(), nullptr);
  }
  // The order screen below works again: its pay control goes on.
  tap(*screen->viewPayment.lock());
  EXPECT_EQ(requestsTo(kWaitPath).size(), 1u);
}

}  // namespace
}  // namespace kerbelin::test
