// The terms sheet opened from the order screen's link: where it rests, what it shows and the two
// ways to close it.

#include "PayTestSupport.h"

#include <Class/Pay/Cell/TermPayTableViewCell.h>
#include <Class/Pay/Cell/TermsAndConditionPayTableViewCell.h>
#include <Class/Pay/ContainerFloatingTermPayViewController.h>
#include <Class/Pay/MyFloatingTermPayPanelLayout.h>
#include <Class/Pay/TermPayViewController.h>
#include <CoreText/NSAttributedString.h>

namespace kerbelin::test {
namespace {

using ios::FloatingPanelPosition;

class TermsPanel : public PayTest {
 protected:
  // Opens the order screen with `order` and taps the terms link; returns the sheet once presented.
  std::shared_ptr<ContainerFloatingTermPayViewController> openSheet(const ios::Dictionary& order,
                                                                    bool untickFirst = false) {
    openOrder();
    answer(requestsTo(kBillPath).back(), order);
    auto table = screen->table.lock();
    table->layoutIfNeeded();
    const int last = table->numberOfSections() - 1;
    table->scrollToRow({last, 0}, ios::UITableViewScrollPosition::top, false);
    table->layoutIfNeeded();
    row = std::dynamic_pointer_cast<TermPayTableViewCell>(table->cellForRow({last, 0}));
    if (!row) return nullptr;
    if (untickFirst) tap(*row->selectButton.lock());
    tap(*row->termButton.lock());
    return std::dynamic_pointer_cast<ContainerFloatingTermPayViewController>(screen->presentedViewController());
  }

  static ios::CGFloat surfaceTop(const ContainerFloatingTermPayViewController& host) {
    return host.fpc->surfaceView()->frame().minY();
  }

  static std::string termsShown(const ContainerFloatingTermPayViewController& host) {
    auto content = std::dynamic_pointer_cast<TermPayViewController>(host.fpc->contentViewController());
    auto table = content->tableView.lock();
    table->layoutIfNeeded();
    EXPECT_EQ(table->numberOfRows(0), 1);
    auto cell = std::dynamic_pointer_cast<TermsAndConditionPayTableViewCell>(table->cellForRow({0, 0}));
    auto text = cell->guildeLabel.lock()->attributedText();
    return text ? text->string() : "(layout text)";
  }

  std::shared_ptr<TermPayTableViewCell> row;
};

TEST_F(TermsPanel, RestsOutOfSightAtTipAndHighAtFull) {
  auto layout = MyFloatingTermPayPanelLayout::create();
  EXPECT_EQ(layout->initialPosition(), FloatingPanelPosition::tip);
  // 812 - (375 / 2 + 170 + the bottom safe-area inset: 34 with the key window, 0 without).
  const std::vector<std::pair<FloatingPanelPosition, std::optional<ios::CGFloat>>> insets = {
      {FloatingPanelPosition::full, 420.5},
      {FloatingPanelPosition::tip, 0},
      {FloatingPanelPosition::half, std::nullopt},
      {FloatingPanelPosition::hidden, std::nullopt}};
  for (const auto& [position, inset] : insets) EXPECT_EQ(layout->insetFor(position), inset);
  ios::UIApplication::shared()->setKeyWindow(nullptr);
  EXPECT_EQ(layout->insetFor(FloatingPanelPosition::full), 454.5);
}

TEST_F(TermsPanel, OpensFromTheLinkAndSlidesUpToFull) {
  auto host = openSheet(orderJSON());
  ASSERT_NE(host, nullptr);
  EXPECT_TRUE(screen->checkTerm);  // the link leaves the acceptance alone
  EXPECT_EQ(host->modalPresentationStyle, ios::UIModalPresentationStyle::overFullScreen);
  EXPECT_EQ(host->paymentModel, screen->paymentModel);
  EXPECT_TRUE(host->fpc->surfaceView()->grabberHandle()->isHidden());
  EXPECT_EQ(host->fpc->surfaceView()->backgroundColor()->cgColor(), ios::UIColor::clear()->cgColor());
  EXPECT_EQ(host->fpc->position(), FloatingPanelPosition::tip);
  EXPECT_EQ(surfaceTop(*host), host->view()->bounds().height());

  advance(1);
  EXPECT_EQ(host->fpc->position(), FloatingPanelPosition::full);
  EXPECT_EQ(surfaceTop(*host), 420.5);
  EXPECT_EQ(termsShown(*host), "Điều khoản\nKhông hoàn tiền.\n");
}

TEST_F(TermsPanel, WithoutAnOrderTheSheetStillOpensWithItsOneRow) {
  auto host = ContainerFloatingTermPayViewController::create();
  host->modalPresentationStyle = ios::UIModalPresentationStyle::overFullScreen;
  caller->present(host, true);
  advance(1);
  EXPECT_EQ(host->paymentModel, nullptr);
  EXPECT_EQ(termsShown(*host), "(layout text)");
}

TEST_F(TermsPanel, ClosesOnABackdropTapOrADragDownButNotOnAShortDrag) {
  struct Case {
    const char* name;
    std::function<void()> gesture;
    bool closes;
  };
  const std::vector<Case> cases = {
      {"backdrop tap",
       [&] { touches->tap({187, 200}); }, true},
      {"drag down", [&] { touches->drag({187, 450}, {187, 780}, 0.2); }, true},
      {"short slow drag", [&] { touches->drag({187, 450}, {187, 470}, 1); }, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    auto host = openSheet(orderJSON(), true);
    ASSERT_NE(host, nullptr);
    advance(1);
    ASSERT_FALSE(screen->checkTerm);
    c.gesture();
    runUntilIdle();
    if (c.closes) {  // first back down, then gone
      EXPECT_NE(host->fpc->position(), FloatingPanelPosition::full);
      EXPECT_EQ(screen->presentedViewController(), host);
    }
    advance(1);
    EXPECT_EQ(screen->presentedViewController() == nullptr, c.closes);
    EXPECT_FALSE(screen->checkTerm);
    if (!c.closes) {
      EXPECT_EQ(host->fpc->position(), FloatingPanelPosition::full);
      host->handleBackdrop();
      advance(1);
    }
  }
}

}  // namespace
}  // namespace kerbelin::test
