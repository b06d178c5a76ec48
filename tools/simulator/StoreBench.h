#pragma once

#include <UIKit/UIWindow.h>

#include <chrono>
#include <memory>
#include <ostream>

namespace kerbelin::sim {

// `--bench`: how long the store took from the simulator's start to its first frame with data, and
// what one frame costs (layout plus drawing the whole window) while its list scrolls.
class StoreBench {
 public:
  // Prints the figures to `out`; returns the exit status (1 when the store never showed data).
  static int run(const std::shared_ptr<ios::UIWindow>& window, std::chrono::steady_clock::time_point start,
                 std::ostream& out);
};

}  // namespace kerbelin::sim
