#pragma once

// Runs the simulator host headless on one script of scripts/, for the end-to-end tests. Each test
// binary that includes this gets KERBELIN_E2E_SIMULATOR, KERBELIN_E2E_SCRIPTS and KERBELIN_E2E_OUT
// from tests/e2e/CMakeLists.txt.

#include <CoreImage/BarcodeReader.h>
#include <UIKit/UIImage.h>
#include <gtest/gtest.h>
#include <support/ReferenceImage.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace kerbelin::test {

struct SimulatorRunResult {
  int status = -1;
  std::string output;
  std::filesystem::path out;
};

// Runs kerbelin-sim headless on scripts/<script> with its output folder runs/<name>, every
// screenshot's kept frame checked against a fresh picture, and collects its exit status and
// everything it printed.
inline SimulatorRunResult runSimulator(const std::string& name, const std::string& script,
                                       const std::string& extra = "") {
  namespace fs = std::filesystem;
  SimulatorRunResult run;
  run.out = fs::path(KERBELIN_E2E_OUT) / name;
  fs::remove_all(run.out);
  fs::create_directories(run.out);
  const fs::path log = run.out / "output.txt";
  const std::string command = std::string("KERBELIN_CHECK_FRAMES=1 '") + KERBELIN_E2E_SIMULATOR + "' --headless --script '" +
                              KERBELIN_E2E_SCRIPTS + "/" + script + "' --out '" + run.out.string() + "' " +
                              extra + " > '" + log.string() + "' 2>&1";
  const int raw = std::system(command.c_str());
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
  std::ifstream in(log);
  std::ostringstream text;
  text << in.rdbuf();
  run.output = text.str();
  return run;
}

// The screenshot `name`.png of a run, or null when it was not taken.
inline std::shared_ptr<ios::UIImage> shotOf(const SimulatorRunResult& run, const std::string& name) {
  return ios::UIImage::contentsOfFile((run.out / (name + ".png")).string());
}

// What the QR code on a shot says, or "" when none reads.
inline std::string qrIn(const std::shared_ptr<ios::UIImage>& shot) {
  if (!shot || !shot->cgImage()) return "";
  auto found = ios::BarcodeReader::read(*shot->cgImage(), {});
  return found.empty() || !found.front().text ? "" : *found.front().text;
}

// Each shot <step>.png of a run against its reference picture <prefix><step>, within the tolerance
// the simulator's text rendering needs.
inline void expectShotsMatch(const SimulatorRunResult& run, const std::string& prefix,
                             std::initializer_list<const char*> steps) {
  for (const char* step : steps) {
    auto shot = shotOf(run, step);
    ASSERT_TRUE(shot && shot->cgImage()) << step;
    EXPECT_TRUE(ios::test::matchesReference(*shot->cgImage(), prefix + step, 16, 0.01)) << step;
  }
}

}  // namespace kerbelin::test
