#pragma once

#include "SimulatorOptions.h"

#include <UIKit/UIWindow.h>

#include <chrono>
#include <fstream>
#include <memory>
#include <string>

namespace kerbelin::backend {
class BackendServer;
}

namespace kerbelin::sim {

class SdlDisplay;

// The host application: sets the platform up as a device would (screen, main bundle, network state,
// URL opener), points the SDK at a back-end (its own loopback one unless given), launches the SDK and
// then shows it in a desktop window, runs a script or the tour headless on the virtual clock, or
// measures the store.
class Simulator {
 public:
  explicit Simulator(SimulatorOptions options);
  ~Simulator();

  // The process exit status: 0 success, 1 a failed command or start-up, 2 a script that does not parse.
  int run();

  // The identifier of the host's main bundle (the files of tools/simulator/Resources).
  static constexpr const char* kMainBundleIdentifier = "Halvet.KerbelinSimulator";

 private:
  bool startBackend(std::string& reason);
  bool openBackendLog(std::string& reason);
  void configurePlatform(bool virtualClock, bool withDisplay);
  int runScript(const std::shared_ptr<ios::UIWindow>& window, SdlDisplay* display);
  std::filesystem::path outDirectory() const;
  static std::filesystem::path tourFile();

  SimulatorOptions options_;
  std::chrono::steady_clock::time_point start_;
  std::ofstream backendLog_;  // before the back-end that writes to it, so that it outlives it
  std::unique_ptr<backend::BackendServer> backend_;
  std::string backendURL_;
};

}  // namespace kerbelin::sim
