// A machine without one of the four faces: the first text measurement stops, naming the face's file
// and the Debian package that installs it. Each case starts the test binary again: about 0.3 s in all
// under ASan.

#include <CoreText/UIFont.h>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace ios {
namespace {

constexpr char kFaceFolder[] = "/usr/share/fonts/truetype/dejavu";

bool writeFile(const std::string& path, const std::string& text) {
  std::ofstream file(path);
  return bool(file << text << std::flush);
}

// Gives this process a mount namespace of its own, as root of a user namespace when it is not root
// already. False where the system allows neither.
bool privateMounts() {
  const uid_t uid = ::getuid();
  const gid_t gid = ::getgid();
  if (::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) return false;
  return writeFile("/proc/self/setgroups", "deny") &&
         writeFile("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1") &&
         writeFile("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1") &&
         ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
}

// Whether a child process can make its own mounts here (user namespaces may be off).
bool canHideFiles() {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(privateMounts() ? 0 : 1);
  int status = 0;
  return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

constexpr const char* kFaces[] = {"DejaVuSans.ttf", "DejaVuSans-Bold.ttf", "DejaVuSans-Oblique.ttf",
                                  "DejaVuSans-BoldOblique.ttf"};

// Lays over the face folder, for this process only, a folder in memory with the other faces.
void hideFace(const std::string& hidden) {
  const int original = ::open(kFaceFolder, O_PATH | O_DIRECTORY);
  if (original < 0 || !privateMounts() || ::mount("tmpfs", kFaceFolder, "tmpfs", 0, nullptr) != 0) ::_exit(2);
  const std::filesystem::path from = "/proc/self/fd/" + std::to_string(original);
  for (const char* face : kFaces) {
    if (face != hidden) std::filesystem::copy_file(from / face, std::filesystem::path(kFaceFolder) / face);
  }
}

TEST(MissingFace, TheStopNamesTheFaceAndThePackageThatInstallsIt) {
  if (!canHideFiles()) GTEST_SKIP() << "this system allows no private mounts";
  // A fresh process, whose font system has not been set up yet.
  const std::string style = GTEST_FLAG_GET(death_test_style);
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  struct Case {
    const char* face;
    const char* package;
  };
  // Debian 12 splits the family: the upright faces come with one package, the oblique ones with another.
  const Case cases[] = {
      {kFaces[0], "fonts-dejavu-core"},
      {kFaces[1], "fonts-dejavu-core"},
      {kFaces[2], "fonts-dejavu-extra"},
      {kFaces[3], "fonts-dejavu-extra"},
  };
  for (const Case& c : cases) {
    EXPECT_DEATH(
        (hideFace(c.face), UIFont::systemFont(12)->lineHeight()),
        std::string("missing font face ") + kFaceFolder + "/" + c.face + " \\(install " + c.package + "\\)")
        << c.face;
  }
  GTEST_FLAG_SET(death_test_style, style);
}

}  // namespace
}  // namespace ios
