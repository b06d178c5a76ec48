// Solver costs for what Auto Layout asks of it: laying out a table cell from scratch, following
// changed constants on a live cell (three ways, to pick the cheapest), adding and removing many
// constraints, and dragging an edit variable.
#include <Layout/Layout.h>

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

using namespace ios::layout;

struct Frame {
  explicit Frame(const std::string& name)
      : left(name + ".left"), top(name + ".top"), width(name + ".width"), height(name + ".height") {}
  Expression right() const { return left + width; }
  Expression bottom() const { return top + height; }
  Expression centerY() const { return top + height / 2; }
  Variable left, top, width, height;
};

// A product cell: thumbnail, title and subtitle labels, a price, a badge that collapses, a button and
// a separator inside a content view of fixed width whose height follows its content. 33 constraints
// over 8 frames. `badgeHeight` and `bottomMargin` are the constants a cell changes at run time.
struct Cell {
  Frame content{"content"}, image{"image"}, title{"title"}, subtitle{"subtitle"}, price{"price"},
      badge{"badge"}, button{"button"}, separator{"separator"};
  std::vector<Constraint> constraints;
  Constraint badgeHeight = badge.height == 20;
  Constraint bottomMargin = content.bottom() == badge.bottom() + 15;

  explicit Cell(double shift) {
    auto add = [&](const Constraint& constraint) { constraints.push_back(constraint); };
    add(content.left == 0);
    add(content.top == 0);
    add(content.width == 375 + shift);
    add(image.left == content.left + 16);
    add(image.top == content.top + 12);
    add(image.width == 60);
    add(image.height == image.width);
    add(title.left == image.right() + 12);
    add(title.top == image.top);
    add(title.right() <= button.left - 8);
    add((title.width == 180 + shift) | strength::fromPriority(250));
    add((title.width >= 180 + shift) | strength::fromPriority(750));
    add(title.height == 20);
    add(subtitle.left == title.left);
    add(subtitle.top == title.bottom() + 4);
    add(subtitle.right() <= content.right() - 16);
    add(subtitle.height == 18);
    add((subtitle.width == 120) | strength::fromPriority(250));
    add(price.left == title.left);
    add(price.top == subtitle.bottom() + 4);
    add(price.width == 90);
    add(price.height == 18);
    add(button.right() == content.right() - 16);
    add(button.centerY() == image.centerY());
    add(button.width == 80);
    add(button.height == 30);
    add(badge.left == title.left);
    add(badge.top == price.bottom() + 4);
    add(badge.width == 60);
    add(badgeHeight);
    add(bottomMargin);
    add(separator.left == content.left + 16);
    add(separator.right() == content.right());
    add(separator.height == 1);
    add(separator.bottom() == content.bottom());
  }

  void addTo(Solver& solver) const {
    for (const Constraint& constraint : constraints) solver.addConstraint(constraint);
  }
};

// 1,000 cells that differ in their constants, built once: the loop times the solver alone.
const std::vector<Cell>& thousandCells() {
  static const std::vector<Cell> cells = [] {
    std::vector<Cell> result;
    result.reserve(1000);
    for (int i = 0; i < 1000; ++i) result.emplace_back(i * 0.25);
    return result;
  }();
  return cells;
}

void BM_CellLayoutFromScratch(benchmark::State& state) {
  const std::vector<Cell>& cells = thousandCells();
  std::size_t next = 0;
  for (auto _ : state) {
    const Cell& cell = cells[next++ % cells.size()];
    Solver solver;
    cell.addTo(solver);
    solver.updateVariables();
    benchmark::DoNotOptimize(cell.content.height.value());
  }
  state.SetItemsProcessed(state.iterations());
  state.counters["constraints"] = static_cast<double>(cells.front().constraints.size());
}
BENCHMARK(BM_CellLayoutFromScratch);

// The same with the constraints built in the loop, as a layout pass that creates its cell would.
void BM_CellBuildAndLayout(benchmark::State& state) {
  int round = 0;
  for (auto _ : state) {
    Cell cell(round++ % 1000 * 0.25);
    Solver solver;
    cell.addTo(solver);
    solver.updateVariables();
    benchmark::DoNotOptimize(cell.content.height.value());
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_CellBuildAndLayout);

// The three ways to follow a changed constant: each iteration collapses or expands the badge and
// changes the bottom margin, then reads the layout.
void BM_CellConstantBySetConstant(benchmark::State& state) {
  Cell cell(0);
  Solver solver;
  cell.addTo(solver);
  bool collapsed = false;
  for (auto _ : state) {
    collapsed = !collapsed;
    solver.setConstant(cell.badgeHeight, collapsed ? 0 : -20);
    solver.setConstant(cell.bottomMargin, collapsed ? 5 : 15);
    solver.updateVariables();
    benchmark::DoNotOptimize(cell.content.height.value());
  }
}
BENCHMARK(BM_CellConstantBySetConstant);

void BM_CellConstantByRemoveAndAdd(benchmark::State& state) {
  Cell cell(0);
  Solver solver;
  cell.addTo(solver);
  Constraint badgeHeight = cell.badgeHeight;
  Constraint bottomMargin = cell.bottomMargin;
  bool collapsed = false;
  for (auto _ : state) {
    collapsed = !collapsed;
    solver.removeConstraint(badgeHeight);
    solver.removeConstraint(bottomMargin);
    badgeHeight = cell.badge.height == (collapsed ? 0 : 20);
    bottomMargin = cell.content.bottom() == cell.badge.bottom() + (collapsed ? 5 : 15);
    solver.addConstraint(badgeHeight);
    solver.addConstraint(bottomMargin);
    solver.updateVariables();
    benchmark::DoNotOptimize(cell.content.height.value());
  }
}
BENCHMARK(BM_CellConstantByRemoveAndAdd);

// Constants as variables held by strong edits. Not equivalent for required constraints (an edit is
// never required), measured for comparison only.
void BM_CellConstantByEditVariable(benchmark::State& state) {
  Cell cell(0);
  Solver solver;
  Variable badgeConstant("badgeConstant"), marginConstant("marginConstant");
  for (const Constraint& constraint : cell.constraints)
    if (!(constraint == cell.badgeHeight) && !(constraint == cell.bottomMargin))
      solver.addConstraint(constraint);
  solver.addConstraint(cell.badge.height == badgeConstant);
  solver.addConstraint(cell.content.bottom() == cell.badge.bottom() + marginConstant);
  solver.addEditVariable(badgeConstant, strength::strong);
  solver.addEditVariable(marginConstant, strength::strong);
  bool collapsed = false;
  for (auto _ : state) {
    collapsed = !collapsed;
    solver.suggestValue(badgeConstant, collapsed ? 0 : 20);
    solver.suggestValue(marginConstant, collapsed ? 5 : 15);
    solver.updateVariables();
    benchmark::DoNotOptimize(cell.content.height.value());
  }
}
BENCHMARK(BM_CellConstantByEditVariable);

void addAndRemove(benchmark::State& state, const std::vector<Constraint>& constraints) {
  for (auto _ : state) {
    Solver solver;
    for (const Constraint& constraint : constraints) solver.addConstraint(constraint);
    solver.updateVariables();
    for (const Constraint& constraint : constraints) solver.removeConstraint(constraint);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(constraints.size()));
}

// 1,000 constraints as a screen has them: 29 independent cells' worth, all added, solved, removed.
void BM_AddAndRemove1000Constraints(benchmark::State& state) {
  std::vector<Constraint> constraints;
  for (const Cell& cell : thousandCells())
    for (const Constraint& constraint : cell.constraints)
      if (constraints.size() < 1000) constraints.push_back(constraint);
  addAndRemove(state, constraints);
}
BENCHMARK(BM_AddAndRemove1000Constraints)->Unit(benchmark::kMicrosecond);

// The worst case for a dense tableau: 1,000 constraints chaining 500 variables one after another, so
// that every row ends up mentioning most symbols.
void BM_AddAndRemove1000ChainedConstraints(benchmark::State& state) {
  std::vector<Variable> variables(500);
  std::vector<Constraint> constraints;
  constraints.push_back(variables[0] == 0);
  for (std::size_t i = 1; i < variables.size(); ++i) {
    constraints.push_back(variables[i] >= variables[i - 1] + 2);
    if (i % 2 == 0)
      constraints.push_back((variables[i] == variables[i - 2] + 5) | strength::weak);
    else
      constraints.push_back(variables[i] <= 10000);
  }
  constraints.push_back(variables[1] <= 20000);
  addAndRemove(state, constraints);
}
BENCHMARK(BM_AddAndRemove1000ChainedConstraints)->Unit(benchmark::kMillisecond);

// One cell's constants changed inside a solver holding a screen's worth (28 cells, 980 constraints):
// the cost should follow the cell, not the screen.
void BM_CellConstantInScreenSolver(benchmark::State& state) {
  const std::vector<Cell>& cells = thousandCells();
  Solver solver;
  for (std::size_t i = 0; i < 28; ++i) cells[i].addTo(solver);
  const Cell& cell = cells[14];
  bool collapsed = false;
  for (auto _ : state) {
    collapsed = !collapsed;
    solver.setConstant(cell.badgeHeight, collapsed ? 0 : -20);
    solver.setConstant(cell.bottomMargin, collapsed ? 5 : 15);
    solver.updateVariables();
    benchmark::DoNotOptimize(cell.content.height.value());
  }
}
BENCHMARK(BM_CellConstantInScreenSolver);

// 100 suggestions on one edit variable of a live cell, as when dragging.
void BM_Suggest100Values(benchmark::State& state) {
  Cell cell(0);
  Solver solver;
  cell.addTo(solver);
  solver.addEditVariable(cell.title.width, strength::strong);
  for (auto _ : state) {
    for (int i = 0; i < 100; ++i) solver.suggestValue(cell.title.width, 100 + i);
    solver.updateVariables();
    benchmark::DoNotOptimize(cell.title.width.value());
  }
  state.SetItemsProcessed(state.iterations() * 100);
}
BENCHMARK(BM_Suggest100Values);

}  // namespace
