#include <Desktop/CommandRunner.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

extern char** environ;

namespace ios {
namespace {

// posix_spawn wants writable C strings; these point into `arguments`, which outlives the call.
std::vector<char*> argv(const std::vector<std::string>& arguments) {
  std::vector<char*> result;
  result.reserve(arguments.size() + 1);
  for (const auto& argument : arguments) result.push_back(const_cast<char*>(argument.c_str()));
  result.push_back(nullptr);
  return result;
}

// Starts the program with standard input from /dev/null and, when `stdoutFd` is not -1, standard
// output into it. Returns the child's pid, or -1.
pid_t spawn(const std::vector<std::string>& arguments, int stdoutFd) {
  if (arguments.empty()) return -1;
  posix_spawn_file_actions_t actions;
  if (posix_spawn_file_actions_init(&actions) != 0) return -1;
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  if (stdoutFd >= 0) posix_spawn_file_actions_adddup2(&actions, stdoutFd, STDOUT_FILENO);
  pid_t pid = -1;
  auto args = argv(arguments);
  const int failed = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  return failed == 0 ? pid : -1;
}

int waitForExit(pid_t pid) {
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  return status;
}

}  // namespace

bool PosixCommandRunner::launch(const std::vector<std::string>& arguments) {
  const pid_t pid = spawn(arguments, -1);
  if (pid < 0) return false;
  // The opener returns at once while the program hands the URL over; reap it when it ends.
  std::thread([pid] { waitForExit(pid); }).detach();
  return true;
}

std::optional<std::string> PosixCommandRunner::capture(const std::vector<std::string>& arguments) {
  int pipe[2];
  if (::pipe2(pipe, O_CLOEXEC) != 0) return std::nullopt;
  const pid_t pid = spawn(arguments, pipe[1]);
  ::close(pipe[1]);
  if (pid < 0) {
    ::close(pipe[0]);
    return std::nullopt;
  }
  std::string output;
  char buffer[4096];
  for (;;) {
    const ssize_t count = ::read(pipe[0], buffer, sizeof buffer);
    if (count < 0 && errno == EINTR) continue;
    if (count <= 0) break;
    output.append(buffer, static_cast<std::size_t>(count));
  }
  ::close(pipe[0]);
  const int status = waitForExit(pid);
  if (status < 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return std::nullopt;
  return output;
}

}  // namespace ios
