#pragma once

#include <optional>
#include <string>
#include <vector>

namespace ios {

// Runs programs directly, never through a shell: `arguments[0]` is looked up on PATH and every
// argument reaches the program as one word, whatever characters it holds.
class CommandRunner {
 public:
  virtual ~CommandRunner() = default;

  // Starts the program and does not wait for it (it is reaped in the background). False when it
  // could not be started.
  virtual bool launch(const std::vector<std::string>& arguments) = 0;
  // Runs the program to its end and returns what it wrote to standard output; nullopt when it
  // could not be started or exited with a non-zero status.
  virtual std::optional<std::string> capture(const std::vector<std::string>& arguments) = 0;
};

// The real runner, on posix_spawnp.
class PosixCommandRunner : public CommandRunner {
 public:
  bool launch(const std::vector<std::string>& arguments) override;
  std::optional<std::string> capture(const std::vector<std::string>& arguments) override;
};

}  // namespace ios
