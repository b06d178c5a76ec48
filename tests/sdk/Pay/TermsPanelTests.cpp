// The terms sheet opened from the order screen's link: where it rests, what it shows and the two
// ways to close it. (Without a key window the sheet has no safe area below: the common padding's own
// tests hold that.)

#include "PayTestSupport.h"

#include <Class/Pay/Cell/TermPayTableViewCell.h>
#include <Class/Pay/Cell/TermsAndConditionPayTableViewCell.h>
#include <Class/Pay/ContainerFloatingTermPayViewController.h>
#include <Class/Pay/TermPayViewController.h>
#include <CoreText/NSAttributedString.h>

#include <functional>

namespace kerbelin::test {
namespace {

using ios::FloatingPanelPosition;
using Host = ContainerFloatingTermPayViewController;

class TermsPanel : public PayTest {
 protected:
  // Opens the order screen, unticks the terms when asked, and taps the terms link.
  std::shared_ptr<Host> openSheet(bool untickFirst = false) {
    openOrder();
    answer(lastBill(), orderJSON());
    auto& table = *screen->table.lock();
    auto row = rowOf<TermPayTableViewCell>(table, {table.numberOfSections() - 1, 0});
    if (untickFirst) tap(*row->selectButton.lock());
    tap(*row->termButton.lock());
    return std::dynamic_pointer_cast<Host>(screen->presentedViewController());
  }

  static ios::CGFloat surfaceTop(const Host& host) { return host.fpc->surfaceView()->frame().minY(); }
};

TEST_F(TermsPanel, OpensFromTheLinkAndSlidesUpToFullWithTheOrdersTerms) {
  auto host = openSheet();
  ASSERT_NE(host, nullptr);
  EXPECT_TRUE(screen->checkTerm);  // the link leaves the acceptance alone
  EXPECT_EQ(host->paymentModel, screen->paymentModel);
  EXPECT_EQ(host->fpc->position(), FloatingPanelPosition::tip);
  EXPECT_EQ(surfaceTop(*host), host->view()->bounds().height());

  advance(1);
  EXPECT_EQ(host->fpc->position(), FloatingPanelPosition::full);
  EXPECT_EQ(surfaceTop(*host), 420.5);
  auto content = std::dynamic_pointer_cast<TermPayViewController>(host->fpc->contentViewController());
  auto table = content->tableView.lock();
  table->layoutIfNeeded();
  ASSERT_EQ(table->numberOfRows(0), 1);
  auto cell = std::dynamic_pointer_cast<TermsAndConditionPayTableViewCell>(table->cellForRow({0, 0}));
  EXPECT_EQ(cell->guildeLabel.lock()->attributedText()->string(), "Điều khoản\nKhông hoàn tiền.\n");
}

TEST_F(TermsPanel, ClosesOnABackdropTapOrADragDownButNotOnAShortDrag) {
  const std::vector<std::pair<std::function<void()>, bool>> gestures = {
      {[&] { touches->tap({187, 200}); }, true},                     // on the dimmed order
      {[&] { touches->drag({187, 450}, {187, 780}, 0.2); }, true},    // down, from the sheet's title
      {[&] { touches->drag({187, 450}, {187, 470}, 1); }, false}};   // short and slow: back to full
  for (const auto& [gesture, closes] : gestures) {
    SCOPED_TRACE(closes ? "closes" : "stays");
    auto host = openSheet(true);
    ASSERT_NE(host, nullptr);
    advance(1);
    gesture();
    runUntilIdle();
    EXPECT_EQ(screen->presentedViewController(), host);  // still there while it slides
    if (closes) {
      EXPECT_NE(host->fpc->position(), FloatingPanelPosition::full);
    }
    advance(1);
    EXPECT_EQ(screen->presentedViewController() == nullptr, closes);
    EXPECT_FALSE(screen->checkTerm);  // closing leaves the acceptance as it was
    if (!closes) {
      EXPECT_EQ(host->fpc->position(), FloatingPanelPosition::full);
      host->handleBackdrop();
      advance(1);
    }
  }
}

}  // namespace
}  // namespace kerbelin::test
