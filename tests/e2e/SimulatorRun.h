#pragma once

// Runs the simulator host headless on one script of scripts/, for the end-to-end tests. Each test
// binary that includes this gets KERBELIN_E2E_SIMULATOR, KERBELIN_E2E_SCRIPTS and KERBELIN_E2E_OUT
// from tests/e2e/CMakeLists.txt.

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

// Runs kerbelin-sim headless on scripts/<script> with its output folder runs/<name>, and collects
// its exit status and everything it printed.
inline SimulatorRunResult runSimulator(const std::string& name, const std::string& script,
                                       const std::string& extra = "") {
  namespace fs = std::filesystem;
  SimulatorRunResult run;
  run.out = fs::path(KERBELIN_E2E_OUT) / name;
  fs::remove_all(run.out);
  fs::create_directories(run.out);
  const fs::path log = run.out / "output.txt";
  const std::string command = std::string("'") + KERBELIN_E2E_SIMULATOR + "' --headless --script '" +
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

}  // namespace kerbelin::test
