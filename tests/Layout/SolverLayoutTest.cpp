#include "SolverTest.h"

#include <cmath>
#include <string>
#include <vector>

namespace ios::layout {
namespace {

// The four variables a view's frame needs.
struct Box {
  explicit Box(const std::string& name)
      : left(name + ".left"), top(name + ".top"), width(name + ".width"), height(name + ".height") {}
  Expression right() const { return left + width; }
  Expression bottom() const { return top + height; }
  Variable left, top, width, height;
};

class SolverLayoutTest : public SolverTest {
 protected:
  void pinFrame(const Box& box, double width, double height) {
    add(box.left == 0);
    add(box.top == 0);
    widthConstraint = box.width == width;
    add(widthConstraint);
    add(box.height == height);
  }
  Box container{"container"};
  Constraint widthConstraint = Variable() == 0;
};

TEST_F(SolverLayoutTest, RowOfEqualWidthViews) {
  pinFrame(container, 320, 44);
  std::vector<Box> views;
  for (int i = 0; i < 4; ++i) views.emplace_back("view" + std::to_string(i));
  add(views.front().left == container.left + 8);
  add(views.back().right() == container.right() - 8);
  for (std::size_t i = 0; i < views.size(); ++i) {
    add(views[i].top == container.top);
    add(views[i].bottom() == container.bottom());
    add(views[i].width >= 0);
    if (i > 0) {
      add(views[i].left == views[i - 1].right() + 8);
      add(views[i].width == views[0].width);
    }
  }
  solver.updateVariables();
  for (std::size_t i = 0; i < views.size(); ++i) {
    EXPECT_DOUBLE_EQ(views[i].width.value(), 70);
    EXPECT_DOUBLE_EQ(views[i].left.value(), 8 + 78.0 * i);
    EXPECT_DOUBLE_EQ(views[i].height.value(), 44);
  }
  // Rotating the container re-lays out the row from a changed constant.
  ASSERT_EQ(solver.setConstant(widthConstraint, -568), SolverStatus::Ok);
  EXPECT_DOUBLE_EQ(solved(views[3].width), 132);
  EXPECT_DOUBLE_EQ(views[3].left.value(), 8 + 140.0 * 3);
  // Too narrow for the gaps: the required non-negative widths refuse it.
  EXPECT_EQ(solver.setConstant(widthConstraint, -30), SolverStatus::UnsatisfiableConstraint);
  EXPECT_DOUBLE_EQ(solved(views[0].width), 132);
}

TEST_F(SolverLayoutTest, MultilineLabelWidthIsCappedAndTheHeightFollows) {
  // A label inside a self-sizing cell: content 500 wide, 20 per line. Width: at most the container's
  // margins (required), its content (hugging 250, compression resistance 750). The cell's height
  // follows the label's, which the text measures for the width the solver gave it.
  const double contentWidth = 500, lineHeight = 20;
  Box label("label");
  add(container.left == 0);
  add(container.top == 0);
  const Constraint cellWidth = container.width == 300;
  add(cellWidth);
  add(label.left == container.left + 16);
  add(label.top == container.top + 10);
  add(label.right() <= container.right() - 16);
  add((label.width <= contentWidth) | strength::fromPriority(250));
  add((label.width >= contentWidth) | strength::fromPriority(750));
  const Constraint intrinsicHeight = label.height == lineHeight;
  add(intrinsicHeight);
  add(container.bottom() == label.bottom() + 10);

  auto measure = [&] {
    solver.updateVariables();
    const double lines = std::ceil(contentWidth / label.width.value() - 1e-9);
    ASSERT_EQ(solver.setConstant(intrinsicHeight, -lines * lineHeight), SolverStatus::Ok);
    solver.updateVariables();
  };
  measure();
  EXPECT_DOUBLE_EQ(label.width.value(), 268);
  EXPECT_DOUBLE_EQ(label.height.value(), 40);
  EXPECT_DOUBLE_EQ(container.height.value(), 60);

  ASSERT_EQ(solver.setConstant(cellWidth, -1024), SolverStatus::Ok);
  measure();
  EXPECT_DOUBLE_EQ(label.width.value(), 500);  // hugging keeps it at its content
  EXPECT_DOUBLE_EQ(container.height.value(), 40);

  ASSERT_EQ(solver.setConstant(cellWidth, -200), SolverStatus::Ok);
  measure();
  EXPECT_DOUBLE_EQ(label.width.value(), 168);
  EXPECT_DOUBLE_EQ(container.height.value(), 80);
}

TEST_F(SolverLayoutTest, ViewCollapsesWhenItsHeightConstantIsZero) {
  Box header("header"), body("body");
  add(container.left == 0);
  add(container.top == 0);
  add(container.width == 375);
  for (Box* box : {&header, &body}) {
    add(box->left == container.left);
    add(box->width == container.width);
  }
  add(header.top == container.top);
  const Constraint headerHeight = header.height == 44;
  add(headerHeight);
  const Constraint gap = body.top == header.bottom() + 8;
  add(gap);
  add(body.height == 20);
  add(container.bottom() == body.bottom() + 3);
  EXPECT_DOUBLE_EQ(solved(body.top), 52);
  EXPECT_DOUBLE_EQ(container.height.value(), 75);

  ASSERT_EQ(solver.setConstant(headerHeight, 0), SolverStatus::Ok);
  ASSERT_EQ(solver.setConstant(gap, 0), SolverStatus::Ok);
  EXPECT_DOUBLE_EQ(solved(header.height), 0);
  EXPECT_DOUBLE_EQ(body.top.value(), 0);
  EXPECT_DOUBLE_EQ(container.height.value(), 23);

  ASSERT_EQ(solver.setConstant(headerHeight, -44), SolverStatus::Ok);
  ASSERT_EQ(solver.setConstant(gap, -8), SolverStatus::Ok);
  EXPECT_DOUBLE_EQ(solved(container.height), 75);
}

class SolverAmbiguityTest : public SolverLayoutTest {
 protected:
  Variable x{"x"}, y{"y"};
};

TEST_F(SolverAmbiguityTest, MissingPositionIsAmbiguous) {
  Box view("view");
  add(view.width == 100);
  add(view.height == 20);
  add(view.top == 0);
  EXPECT_FALSE(solver.isAmbiguous(view.width));
  EXPECT_FALSE(solver.isAmbiguous(view.top));
  EXPECT_TRUE(solver.isAmbiguous(view.left));
  add(view.right() == 300);
  EXPECT_FALSE(solver.isAmbiguous(view.left));
  EXPECT_TRUE(solver.isAmbiguous(Variable("unknown")));
}

TEST_F(SolverAmbiguityTest, SharedSumLeavesBothAmbiguous) {
  add(x + y == 100);
  add(x >= 0);
  add(y >= 0);
  EXPECT_TRUE(solver.isAmbiguous(x));
  EXPECT_TRUE(solver.isAmbiguous(y));
  add((x == 30) | strength::fromPriority(1));
  EXPECT_FALSE(solver.isAmbiguous(x));
  EXPECT_FALSE(solver.isAmbiguous(y));
}

TEST_F(SolverAmbiguityTest, InequalitiesAloneDoNotDetermineAValue) {
  add(x >= 0);
  add(x <= 100);
  EXPECT_TRUE(solver.isAmbiguous(x));
  // A weak preference settles it, as content hugging settles a label's width.
  const Constraint hugging = (x == 40) | strength::weak;
  add(hugging);
  EXPECT_FALSE(solver.isAmbiguous(x));
  ASSERT_EQ(solver.removeConstraint(hugging), SolverStatus::Ok);
  EXPECT_TRUE(solver.isAmbiguous(x));
}

TEST_F(SolverAmbiguityTest, EqualPrioritiesPullingApartAreAmbiguous) {
  // Every x in [0, 10] has the same total error, so the layout is not determined.
  add((x == 0) | strength::weak);
  add((x == 10) | strength::weak);
  EXPECT_TRUE(solver.isAmbiguous(x));
  add((x == 10) | strength::weak);
  EXPECT_FALSE(solver.isAmbiguous(x));
  // The check does not disturb the solution.
  EXPECT_DOUBLE_EQ(solved(x), 10);
}

}  // namespace
}  // namespace ios::layout
