#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace kerbelin::sim {

// The command line of kerbelin-sim:
//   [--backend URL] [--headless] [--script FILE] [--out DIR] [--as app|host]
//   [--width W --height H --scale S] [--offline] [--bench] [--quit-after SECONDS] [--camera FILE] [--qr-seconds N]
//   [--backend-log FILE]
struct SimulatorOptions {
  enum class Mode { app, host };

  std::optional<std::string> backend;
  bool headless = false;
  std::optional<std::filesystem::path> script;
  // Where a script's screenshots go; kDefaultOut, relative to the current folder, when not given.
  std::optional<std::filesystem::path> out;
  static constexpr const char* kDefaultOut = "tour";
  Mode mode = Mode::app;
  double width = 375;
  double height = 812;
  double scale = 2;
  bool offline = false;
  // The back camera shows this image file (access to it granted), so the scanner can read it.
  std::optional<std::filesystem::path> camera;
  // How long a QR token of the in-process back-end stays valid (its default when absent); 0 or less
  // issues tokens already run out, as a faulty server may.
  std::optional<int> qrSeconds;
  // Where the in-process back-end writes one line per request it serves.
  std::optional<std::filesystem::path> backendLog;
  // Measures the store screen as a host shows it (whatever `--as` says) and prints the figures.
  bool bench = false;
  // With a display, closes the window after this much real time (for unattended runs).
  std::optional<double> quitAfter;
  bool help = false;

  // Nullopt with `error` set for an unknown option, a missing or bad value, or a backend address that
  // is not a loopback http URL.
  static std::optional<SimulatorOptions> parse(const std::vector<std::string>& arguments, std::string& error);
  static const char* usage();
};

}  // namespace kerbelin::sim
