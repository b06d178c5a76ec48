#include "StoreBench.h"

#include "WindowSnapshot.h"

#include <Foundation/RunLoop.h>
#include <UIKit/IdleWaiter.h>
#include <UIKit/UITableView.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace kerbelin::sim {
namespace {

// The largest visible table: the store's list.
std::shared_ptr<ios::UITableView> mainTable(const std::shared_ptr<ios::UIView>& view) {
  if (!view || view->isHidden() || view->alpha() < 0.01) return nullptr;
  std::shared_ptr<ios::UITableView> best = std::dynamic_pointer_cast<ios::UITableView>(view);
  for (const auto& subview : view->subviews()) {
    auto found = mainTable(subview);
    if (found && (!best || found->bounds().size.height > best->bounds().size.height)) best = found;
  }
  return best;
}

double milliseconds(std::chrono::steady_clock::duration duration) {
  return std::chrono::duration<double, std::milli>(duration).count();
}

}  // namespace

int StoreBench::run(const std::shared_ptr<ios::UIWindow>& window, std::chrono::steady_clock::time_point start,
                    std::ostream& out) {
  using Clock = std::chrono::steady_clock;
  auto& loop = ios::RunLoop::main();
  std::string reason;
  std::shared_ptr<ios::UITableView> table;
  // Data arrives in steps (categories, then cards): wait until the list shows more than its header.
  for (int round = 0; round < 50; ++round) {
    if (!ios::IdleWaiter(window).waitUntilIdle(10, reason)) break;
    window->layoutIfNeeded();
    table = mainTable(window);
    if (table && table->visibleCells().size() >= 2) break;
    loop.advance(0.1);
  }
  if (!table || table->visibleCells().size() < 2) {
    out << "bench: the store showed no data" << (reason.empty() ? "" : " (" + reason + ")") << "\n";
    return 1;
  }
  const bool firstFrame = WindowSnapshot::frame(*window).pixels() != nullptr;
  const double toFirstFrame = milliseconds(Clock::now() - start);

  std::vector<double> frames;
  const auto low = table->minimumContentOffset();
  const auto high = table->maximumContentOffset();
  double y = low.y;
  double step = 37;
  for (int frame = 0; frame < 120; ++frame) {
    y += step;
    if (y > high.y || y < low.y) {
      step = -step;
      y = std::clamp(y + 2 * step, low.y, std::max(low.y, high.y));
    }
    const auto begin = Clock::now();
    table->setContentOffset({low.x, y});
    loop.runUntilIdle();
    window->layoutIfNeeded();
    const bool drawn = WindowSnapshot::frame(*window).pixels() != nullptr;
    frames.push_back(milliseconds(Clock::now() - begin));
    if (!drawn) break;
  }
  std::sort(frames.begin(), frames.end());
  double total = 0;
  for (double f : frames) total += f;
  char line[256];
  std::snprintf(line, sizeof line, "start to first frame with data: %.1f ms%s\n", toFirstFrame,
                firstFrame ? "" : " (the frame did not render)");
  out << line;
  std::snprintf(line, sizeof line,
                "store frame while scrolling (layout + render of the whole window, %zu frames): "
                "mean %.2f ms, median %.2f ms, p95 %.2f ms\n",
                frames.size(), frames.empty() ? 0 : total / frames.size(),
                frames.empty() ? 0 : frames[frames.size() / 2],
                frames.empty() ? 0 : frames[std::min(frames.size() - 1, frames.size() * 95 / 100)]);
  out << line;
  return 0;
}

}  // namespace kerbelin::sim
