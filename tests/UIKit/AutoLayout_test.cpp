#include <Foundation/Console.h>
#include <UIKit/NSLayoutConstraint.h>
#include <UIKit/UILayoutGuide.h>
#include <UIKit/UIView.h>
#include <UIKit/UIWindow.h>

#include <gtest/gtest.h>
#include <support/VirtualTime.h>

#include "AutoLayoutTestViews.h"

namespace ios {
namespace {

using test::constrainedView;
using test::ContentBox;
using test::TextBlock;
using C = NSLayoutConstraint;

class AutoLayout : public test::MainLoopTest {
 protected:
  void TearDown() override {
    UIView::setAnimationsEnabled(true);
    test::MainLoopTest::TearDown();
  }
  // A view laid out by constraints, added to `host` (the window when none is given).
  std::shared_ptr<UIView> added(const std::shared_ptr<UIView>& host = nullptr) {
    auto view = constrainedView();
    (host ? host : window_)->addSubview(view);
    return view;
  }
  std::shared_ptr<UIWindow> window_ = UIWindow::create(CGRect(0, 0, 375, 667));
};

TEST_F(AutoLayout, PinsEdgesCentresAndSizesWithConstantsAndMultipliers) {
  auto header = added();
  auto badge = added(header);
  auto half = added();
  C::activate({
      header->leadingAnchor().constraintEqualTo(window_->leadingAnchor(), 16),
      header->trailingAnchor().constraintEqualTo(window_->trailingAnchor(), -16),
      header->topAnchor().constraintEqualTo(window_->topAnchor(), 20),
      header->heightAnchor().constraintEqualToConstant(60),
      badge->centerXAnchor().constraintEqualTo(header->centerXAnchor()),
      badge->centerYAnchor().constraintEqualTo(header->centerYAnchor(), 5),
      badge->widthAnchor().constraintEqualToConstant(40),
      badge->heightAnchor().constraintEqualTo(badge->widthAnchor(), 0.5, 0),
      half->widthAnchor().constraintEqualTo(window_->widthAnchor(), 0.5, 10),
      half->heightAnchor().constraintEqualTo(header->heightAnchor()),
      half->rightAnchor().constraintEqualTo(window_->rightAnchor()),
      half->bottomAnchor().constraintEqualTo(window_->bottomAnchor()),
  });
  window_->layoutIfNeeded();
  EXPECT_EQ(header->frame(), CGRect(16, 20, 343, 60));
  // In the header's own coordinates: centred, 5 below the middle.
  EXPECT_EQ(badge->frame(), CGRect(151.5, 25, 40, 20));
  EXPECT_EQ(half->frame(), CGRect(375 - 197.5, 667 - 60, 197.5, 60));
  EXPECT_FALSE(header->hasAmbiguousLayout());
  EXPECT_FALSE(badge->hasAmbiguousLayout());
}

TEST_F(AutoLayout, AConstantOfZeroCollapsesAViewAndTheViewsBelowMoveUp) {
  auto header = added(), table = added(), footer = added();
  for (const auto& v : {header, table, footer})
    C::activate({v->leadingAnchor().constraintEqualTo(window_->leadingAnchor()),
                 v->trailingAnchor().constraintEqualTo(window_->trailingAnchor())});
  auto heightViewHeader = header->heightAnchor().constraintEqualToConstant(64);
  auto cstBottomMain = footer->bottomAnchor().constraintEqualTo(window_->bottomAnchor(), -3);
  C::activate({heightViewHeader, header->topAnchor().constraintEqualTo(window_->topAnchor()),
               table->topAnchor().constraintEqualTo(header->bottomAnchor()),
               footer->topAnchor().constraintEqualTo(table->bottomAnchor()),
               footer->heightAnchor().constraintEqualToConstant(50), cstBottomMain});
  runUntilIdle();  // the window's pass
  EXPECT_EQ(table->frame(), CGRect(0, 64, 375, 667 - 64 - 50 - 3));

  heightViewHeader->setConstant(0);
  cstBottomMain->setConstant(0);
  EXPECT_EQ(table->frame().minY(), 64);  // a setter marks; the pass lays out
  runUntilIdle();
  EXPECT_EQ(header->frame().height(), 0);
  EXPECT_EQ(table->frame(), CGRect(0, 0, 375, 667 - 50));
  EXPECT_EQ(footer->frame(), CGRect(0, 617, 375, 50));

  // layoutIfNeeded on any view of the tree gives the new frames at once.
  heightViewHeader->setConstant(30);
  table->layoutIfNeeded();
  EXPECT_EQ(table->frame().minY(), 30);
}

TEST_F(AutoLayout, InequalitiesAndPrioritiesTradeOff) {
  auto view = added();
  auto wish = view->widthAnchor().constraintEqualToConstant(500);
  wish->setPriority(UILayoutPriorityDefaultLow);
  auto atMost = view->widthAnchor().constraintLessThanOrEqualTo(window_->widthAnchor(), 0.5, 0);
  auto atLeast = view->widthAnchor().constraintGreaterThanOrEqualToConstant(50);
  C::activate({wish, atMost, atLeast, view->heightAnchor().constraintEqualToConstant(10),
               view->leadingAnchor().constraintGreaterThanOrEqualTo(window_->leadingAnchor(), 20),
               view->topAnchor().constraintEqualTo(window_->topAnchor())});
  auto hugLeft = view->leadingAnchor().constraintEqualTo(window_->leadingAnchor());
  hugLeft->setPriority(UILayoutPriorityDefaultHigh);
  hugLeft->setActive(true);
  window_->layoutIfNeeded();
  EXPECT_EQ(view->frame(), CGRect(20, 0, 187.5, 10));  // the wish capped; the leading edge floored

  wish->setConstant(10);
  window_->layoutIfNeeded();
  EXPECT_EQ(view->frame().width(), 50);
}

TEST_F(AutoLayout, IntrinsicSizesWithHuggingAndCompressionInANarrowContainer) {
  auto container = added();
  auto width = container->widthAnchor().constraintEqualToConstant(150);
  C::activate({width, container->leadingAnchor().constraintEqualTo(window_->leadingAnchor()),
               container->topAnchor().constraintEqualTo(window_->topAnchor())});
  auto name = ContentBox::make(100, 20);
  auto price = ContentBox::make(100, 30);
  container->addSubview(name);
  container->addSubview(price);
  C::activate({name->leadingAnchor().constraintEqualTo(container->leadingAnchor()),
               price->leadingAnchor().constraintEqualTo(name->trailingAnchor(), 10),
               price->trailingAnchor().constraintEqualTo(container->trailingAnchor()),
               name->topAnchor().constraintEqualTo(container->topAnchor()),
               price->topAnchor().constraintEqualTo(container->topAnchor()),
               container->bottomAnchor().constraintGreaterThanOrEqualTo(name->bottomAnchor()),
               container->bottomAnchor().constraintGreaterThanOrEqualTo(price->bottomAnchor())});
  name->setContentCompressionResistancePriority(751, UILayoutConstraintAxis::horizontal);
  window_->layoutIfNeeded();
  EXPECT_EQ(name->frame(), CGRect(0, 0, 100, 20));    // resists harder: keeps its width
  EXPECT_EQ(price->frame(), CGRect(110, 0, 40, 30));  // gives way
  EXPECT_EQ(container->frame().height(), 30);         // vertical hugging pulls the container in

  // Wide enough: the view that hugs less stretches.
  width->setConstant(300);
  price->setContentHuggingPriority(251, UILayoutConstraintAxis::horizontal);
  window_->layoutIfNeeded();
  EXPECT_EQ(name->frame().width(), 190);
  EXPECT_EQ(price->frame().width(), 100);

  // A new intrinsic size is picked up.
  price->setContent({150, 30});
  window_->layoutIfNeeded();
  EXPECT_EQ(price->frame().width(), 150);
  EXPECT_EQ(name->frame().width(), 140);
}

// A table cell: a 30 pt icon on the left, wrapping text beside it, 8 pt padding, at least 44 tall.
struct Cell {
  std::shared_ptr<UIView> contentView = UIView::create(CGRect(0, 0, 320, 44));
  std::shared_ptr<ContentBox> icon = ContentBox::make(30, 30);
  std::shared_ptr<TextBlock> text = TextBlock::make(50);
  std::shared_ptr<C> cstBottom;

  Cell() {
    contentView->addSubview(icon);
    contentView->addSubview(text);
    cstBottom = contentView->bottomAnchor().constraintEqualTo(text->bottomAnchor(), 8);
    C::activate({icon->widthAnchor().constraintEqualToConstant(30),
                 icon->heightAnchor().constraintEqualToConstant(30),
                 icon->leadingAnchor().constraintEqualTo(contentView->leadingAnchor(), 8),
                 icon->topAnchor().constraintEqualTo(contentView->topAnchor(), 8),
                 text->leadingAnchor().constraintEqualTo(icon->trailingAnchor(), 7),
                 text->trailingAnchor().constraintEqualTo(contentView->trailingAnchor(), -10),
                 text->topAnchor().constraintEqualTo(contentView->topAnchor(), 8), cstBottom,
                 contentView->heightAnchor().constraintGreaterThanOrEqualToConstant(44)});
  }
  CGSize fit(CGFloat width) const {
    return contentView->systemLayoutSizeFitting({width, 0}, UILayoutPriorityRequired,
                                                UILayoutPriorityFittingSizeLevel);
  }
};

TEST_F(AutoLayout, SelfSizingCellHeightFollowsTheWrappedTextAtTheGivenWidth) {
  Cell cell;
  // 375 wide: the text gets 375 - 8 - 30 - 7 - 10 = 320 pt, 32 glyphs a line: 50 glyphs take 2 lines.
  EXPECT_EQ(cell.fit(375), (CGSize{375, 40 + 16}));
  // Narrower: 120 pt, 12 a line, 5 lines.
  EXPECT_EQ(cell.fit(175), (CGSize{175, 100 + 16}));
  cell.text->setCharacters(5);
  EXPECT_EQ(cell.fit(375), (CGSize{375, 44}));  // one line; the minimum wins
  cell.cstBottom->setConstant(40);
  EXPECT_EQ(cell.fit(375), (CGSize{375, 20 + 48}));

  // Compressed in both directions: the text does not wrap and the frame is what the content needs.
  EXPECT_EQ(cell.contentView->systemLayoutSizeFitting(UILayoutFittingCompressedSize),
            (CGSize{8 + 30 + 7 + 50 + 10, 68}));
}

TEST_F(AutoLayout, MeasuringLeavesTheLiveLayoutAlone) {
  Cell cell;
  cell.contentView->setTranslatesAutoresizingMaskIntoConstraints(false);
  window_->addSubview(cell.contentView);
  // Held by the window: outside what the cell measures.
  C::activate({cell.contentView->trailingAnchor().constraintEqualTo(window_->trailingAnchor()),
               cell.contentView->topAnchor().constraintEqualTo(window_->topAnchor()),
               cell.contentView->leadingAnchor().constraintEqualTo(window_->leadingAnchor())});
  ConsoleCapture console;
  window_->layoutIfNeeded();
  const CGRect live = cell.text->frame();
  EXPECT_EQ(live, CGRect(45, 8, 320, 40));
  EXPECT_EQ(cell.contentView->frame().height(), 56);

  EXPECT_EQ(cell.fit(175).height, 116);
  EXPECT_EQ(cell.text->frame(), live);
  window_->layoutIfNeeded();
  EXPECT_EQ(cell.text->frame(), live);
  EXPECT_EQ(cell.contentView->frame().height(), 56);
  EXPECT_TRUE(console.logMessages().empty());
}

TEST_F(AutoLayout, FrameLaidOutAndConstrainedSiblingsLiveTogether) {
  auto banner = UIView::create(CGRect(0, 0, 375, 50));  // frames, autoresizing translated
  auto plain = UIView::create(CGRect(5, 5, 10, 10));    // no constraint mentions it
  window_->addSubview(banner);
  window_->addSubview(plain);
  auto list = added();
  C::activate({list->topAnchor().constraintEqualTo(banner->bottomAnchor(), 10),
               list->leadingAnchor().constraintEqualTo(banner->leadingAnchor()),
               list->widthAnchor().constraintEqualTo(banner->widthAnchor()),
               list->bottomAnchor().constraintEqualTo(window_->bottomAnchor())});
  window_->layoutIfNeeded();
  EXPECT_EQ(banner->frame(), CGRect(0, 0, 375, 50));
  EXPECT_EQ(list->frame(), CGRect(0, 60, 375, 607));

  banner->setFrame(CGRect(20, 0, 300, 100));  // by hand: the constrained sibling follows
  plain->setFrame(CGRect(1, 2, 3, 4));
  window_->layoutIfNeeded();
  EXPECT_EQ(banner->frame(), CGRect(20, 0, 300, 100));
  EXPECT_EQ(list->frame(), CGRect(20, 110, 300, 557));
  EXPECT_EQ(plain->frame(), CGRect(1, 2, 3, 4));
  EXPECT_FALSE(plain->hasAmbiguousLayout());
}

TEST_F(AutoLayout, ConstraintsBetweenCousinsWorkAcrossTheirSuperviewsOffsets) {
  auto left = UIView::create(CGRect(10, 100, 100, 300));   // frame-based containers
  auto right = UIView::create(CGRect(200, 40, 100, 300));
  window_->addSubview(left);
  window_->addSubview(right);
  auto price = ContentBox::make(50, 20);
  auto label = ContentBox::make(60, 20);
  left->addSubview(price);
  right->addSubview(label);
  C::activate({price->topAnchor().constraintEqualTo(left->topAnchor(), 30),
               price->leadingAnchor().constraintEqualTo(left->leadingAnchor()),
               // Held by the window: in window coordinates, through both containers' origins.
               label->centerYAnchor().constraintEqualTo(price->centerYAnchor()),
               label->leadingAnchor().constraintEqualTo(price->trailingAnchor(), 100)});
  window_->layoutIfNeeded();
  EXPECT_EQ(price->frame(), CGRect(0, 30, 50, 20));
  // Window y 130 for the price; the right container starts at 40.
  EXPECT_EQ(label->frame(), CGRect(10 + 50 + 100 - 200, 90, 60, 20));

  right->setFrame(CGRect(200, 0, 100, 300));
  window_->layoutIfNeeded();
  EXPECT_EQ(label->frame().minY(), 130);
}

TEST_F(AutoLayout, FlexibleAutoresizingFollowsAConstrainedSuperview) {
  auto panel = added();
  auto panelWidth = panel->widthAnchor().constraintEqualToConstant(200);
  C::activate({panelWidth, panel->heightAnchor().constraintEqualToConstant(100),
               panel->leadingAnchor().constraintEqualTo(window_->leadingAnchor()),
               panel->topAnchor().constraintEqualTo(window_->topAnchor())});
  window_->layoutIfNeeded();
  auto fill = UIView::create(CGRect(10, 10, 180, 80));
  fill->setAutoresizingMask(UIViewAutoresizing::flexibleWidth | UIViewAutoresizing::flexibleHeight);
  panel->addSubview(fill);
  auto tag = added(fill);
  C::activate({tag->trailingAnchor().constraintEqualTo(fill->trailingAnchor()),
               tag->topAnchor().constraintEqualTo(fill->topAnchor()),
               tag->widthAnchor().constraintEqualToConstant(20),
               tag->heightAnchor().constraintEqualToConstant(20)});
  window_->layoutIfNeeded();
  EXPECT_EQ(tag->frame(), CGRect(160, 0, 20, 20));

  panelWidth->setConstant(300);
  window_->layoutIfNeeded();
  EXPECT_EQ(fill->frame(), CGRect(10, 10, 280, 80));  // same 10 pt margins
  EXPECT_EQ(tag->frame(), CGRect(260, 0, 20, 20));
}

TEST_F(AutoLayout, AConstrainedSubtreeMovesToAnotherWindow) {
  auto other = UIWindow::create(CGRect(0, 0, 200, 400));
  auto card = constrainedView();
  auto title = added(card);
  C::activate({title->leadingAnchor().constraintEqualTo(card->leadingAnchor(), 10),
               title->trailingAnchor().constraintEqualTo(card->trailingAnchor(), -10),
               title->topAnchor().constraintEqualTo(card->topAnchor(), 5),
               title->heightAnchor().constraintEqualToConstant(20)});
  auto pin = [&](const std::shared_ptr<UIView>& host) {
    C::activate({card->leadingAnchor().constraintEqualTo(host->leadingAnchor()),
                 card->trailingAnchor().constraintEqualTo(host->trailingAnchor()),
                 card->topAnchor().constraintEqualTo(host->topAnchor()),
                 card->heightAnchor().constraintEqualToConstant(50)});
  };
  window_->addSubview(card);
  pin(window_);
  runUntilIdle();
  EXPECT_EQ(title->frame(), CGRect(10, 5, 355, 20));
  EXPECT_EQ(window_->constraints().size(), 3u);

  other->addSubview(card);
  EXPECT_TRUE(window_->constraints().empty());  // the old window's constraints on the card went
  EXPECT_EQ(card->constraints().size(), 4u);    // its own height and its title's edges stay
  pin(other);
  runUntilIdle();
  EXPECT_EQ(card->frame(), CGRect(0, 0, 200, 50));
  EXPECT_EQ(title->frame(), CGRect(10, 5, 180, 20));

  // Still followed in the new tree.
  title->constraints()[0]->setConstant(30);
  other->layoutIfNeeded();
  EXPECT_EQ(title->frame().height(), 30);
}

TEST_F(AutoLayout, ASubtreeOutlivingItsRootKeepsItsConstraints) {
  std::shared_ptr<UIView> card = UIView::create(CGRect(0, 0, 100, 100));
  auto title = added(card);
  C::activate({title->leadingAnchor().constraintEqualTo(card->leadingAnchor(), 10),
               title->trailingAnchor().constraintEqualTo(card->trailingAnchor(), -10),
               title->topAnchor().constraintEqualTo(card->topAnchor()),
               title->heightAnchor().constraintEqualToConstant(20)});
  {
    auto host = UIView::create(CGRect(0, 0, 300, 300));
    host->addSubview(card);
    auto pinned = added(host);
    C::activate({pinned->topAnchor().constraintEqualTo(card->bottomAnchor()),
                 pinned->leadingAnchor().constraintEqualTo(card->leadingAnchor()),
                 pinned->widthAnchor().constraintEqualToConstant(5),
                 pinned->heightAnchor().constraintEqualToConstant(5)});
    host->layoutIfNeeded();
    EXPECT_EQ(pinned->frame(), CGRect(0, 100, 5, 5));
  }  // the host goes while the card lives on
  EXPECT_EQ(card->superview(), nullptr);
  card->setFrame(CGRect(0, 0, 200, 50));
  card->layoutIfNeeded();
  EXPECT_EQ(title->frame(), CGRect(10, 0, 180, 20));
  EXPECT_EQ(card->constraints().size(), 3u);
}

TEST_F(AutoLayout, AnUnsatisfiableRequiredConstraintIsLoggedOnceAndLeftOut) {
  auto view = added();
  view->accessibilityIdentifier = "price";
  C::activate({view->widthAnchor().constraintEqualToConstant(100),
               view->heightAnchor().constraintEqualToConstant(10),
               view->topAnchor().constraintEqualTo(window_->topAnchor()),
               view->leadingAnchor().constraintEqualTo(window_->leadingAnchor())});
  ConsoleCapture console;
  auto conflict = view->widthAnchor().constraintEqualToConstant(200);
  conflict->setActive(true);
  window_->layoutIfNeeded();
  EXPECT_TRUE(conflict->isActive());
  EXPECT_EQ(view->frame().width(), 100);
  ASSERT_EQ(console.logMessages().size(), 1u);
  const std::string message = console.logMessages()[0];
  EXPECT_NE(message.find("UIView(price).width == 200"), std::string::npos) << message;
  EXPECT_NE(message.find("unable to simultaneously satisfy"), std::string::npos) << message;

  // Changing the constant of the left-out constraint tries it again: no second message.
  conflict->setConstant(150);
  window_->layoutIfNeeded();
  EXPECT_EQ(view->frame().width(), 100);
  EXPECT_EQ(console.logMessages().size(), 1u);
  conflict->setConstant(100);  // now it agrees and joins
  window_->layoutIfNeeded();
  EXPECT_EQ(view->frame().width(), 100);
  C::deactivate({view->constraints()[0]});
  conflict->setConstant(120);
  window_->layoutIfNeeded();
  EXPECT_EQ(view->frame().width(), 120);
}

TEST_F(AutoLayout, AmbiguityIsDetected) {
  auto view = added();
  C::activate({view->widthAnchor().constraintEqualToConstant(100),
               view->heightAnchor().constraintEqualToConstant(10)});
  EXPECT_TRUE(view->hasAmbiguousLayout());  // a size but no position
  C::activate({view->topAnchor().constraintEqualTo(window_->topAnchor())});
  EXPECT_TRUE(view->hasAmbiguousLayout());
  C::activate({view->centerXAnchor().constraintEqualTo(window_->centerXAnchor())});
  EXPECT_FALSE(view->hasAmbiguousLayout());
}

TEST_F(AutoLayout, AConstraintAnimationReachesTheFinalFrameOnTheVirtualClock) {
  auto sheet = added();
  auto bottom = sheet->bottomAnchor().constraintEqualTo(window_->bottomAnchor(), 200);
  C::activate({bottom, sheet->heightAnchor().constraintEqualToConstant(200),
               sheet->leadingAnchor().constraintEqualTo(window_->leadingAnchor()),
               sheet->trailingAnchor().constraintEqualTo(window_->trailingAnchor())});
  runUntilIdle();
  EXPECT_EQ(sheet->frame().minY(), 667);

  bool finished = false;
  bottom->setConstant(0);
  UIView::animate(
      0.3, [&] { window_->layoutIfNeeded(); }, [&](bool f) { finished = f; });
  EXPECT_EQ(sheet->frame().minY(), 467);  // the model value at once
  advance(0.15);
  EXPECT_GT(sheet->layer()->presentation().position.y, 467 + 100);  // on its way
  advance(0.15);
  runUntilIdle();
  EXPECT_TRUE(finished);
  EXPECT_EQ(sheet->layer()->presentation().position.y, 467 + 100);
}

TEST_F(AutoLayout, SafeAreaAndMarginGuides) {
  auto content = added();
  window_->layoutMargins = {10, 20, 30, 40};
  const auto& margins = window_->layoutMarginsGuide();
  C::activate({content->leadingAnchor().constraintEqualTo(margins->leadingAnchor()),
               content->trailingAnchor().constraintEqualTo(margins->trailingAnchor()),
               content->topAnchor().constraintEqualTo(window_->safeAreaLayoutGuide()->topAnchor()),
               content->bottomAnchor().constraintEqualTo(margins->bottomAnchor())});
  window_->layoutIfNeeded();
  const UIEdgeInsets safe = window_->safeAreaInsets();
  EXPECT_EQ(content->frame(), CGRect(20, safe.top, 375 - 60, 667 - 30 - safe.top));

  // Margin attributes are the margins guide's.
  auto badge = added();
  C::activate({C::create(badge, NSLayoutAttribute::leading, NSLayoutRelation::equal, window_,
                         NSLayoutAttribute::leadingMargin, 1, 5),
               C::create(badge, NSLayoutAttribute::top, NSLayoutRelation::equal, window_,
                         NSLayoutAttribute::topMargin, 1, 0),
               badge->widthAnchor().constraintEqualToConstant(1),
               badge->heightAnchor().constraintEqualToConstant(1)});
  window_->layoutIfNeeded();
  EXPECT_EQ(badge->frame().origin, (CGPoint{25, 10}));

  // New margins are picked up by the next pass without anything else changing.
  window_->layoutMargins = {0, 0, 0, 0};
  runUntilIdle();
  EXPECT_EQ(badge->frame().origin, (CGPoint{5, 0}));
  EXPECT_EQ(content->frame().width(), 375);
}

TEST_F(AutoLayout, CustomLayoutGuidesSpaceViews) {
  auto a = test::ContentBox::make(50, 10);
  auto b = test::ContentBox::make(50, 10);
  window_->addSubview(a);
  window_->addSubview(b);
  auto gap = UILayoutGuide::create();
  window_->addLayoutGuide(gap);
  C::activate({a->leadingAnchor().constraintEqualTo(window_->leadingAnchor()),
               gap->leadingAnchor().constraintEqualTo(a->trailingAnchor()),
               b->leadingAnchor().constraintEqualTo(gap->trailingAnchor()),
               b->trailingAnchor().constraintEqualTo(window_->trailingAnchor()),
               gap->widthAnchor().constraintEqualTo(a->widthAnchor(), 3, 0),
               a->topAnchor().constraintEqualTo(window_->topAnchor()),
               b->topAnchor().constraintEqualTo(window_->topAnchor())});
  window_->layoutIfNeeded();
  // 375 = a + 3a + b with a and b equally hugging at 250... b keeps its 50, a (81.25) and the gap
  // share the rest; a's frame lies on the 2x pixel grid, the guide keeps the solved value.
  EXPECT_EQ(gap->layoutFrame().width(), 3 * 81.25);
  EXPECT_EQ(a->frame().width(), 81.5);
  EXPECT_EQ(b->frame(), CGRect(325, 0, 50, 10));
  window_->removeLayoutGuide(gap);
  EXPECT_TRUE(window_->layoutGuides().empty());
  EXPECT_EQ(window_->constraints().size(), 4u);  // the guide's constraints went with it
}

}  // namespace
}  // namespace ios
