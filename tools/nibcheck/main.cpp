// kerbelin-nibcheck [--dir DIR | --bundle IDENTIFIER]
//
// Loads every nib and storyboard of the framework bundle "Halvet.KerbelinSDK" (or of another
// registered bundle, or of a folder) and lays each out at a 375-point width. Prints one line per
// problem on standard output, then a summary line.
// Exit status: 0 no problem, 1 at least one problem, 2 a usage error or nothing to check (a folder
// that does not exist, a bundle that is not registered, no interface file in either).

#include "NibChecker.h"

#include <Foundation/Bundle.h>

#include <cstdio>
#include <filesystem>
#include <string>

namespace {

constexpr const char* kUsage =
    "usage: kerbelin-nibcheck [--dir DIR | --bundle IDENTIFIER]\n"
    "  --dir DIR            check the *.nib.json and *.storyboard.json files of a folder\n"
    "  --bundle IDENTIFIER  check a bundle compiled into the tool (default Halvet.KerbelinSDK)\n"
    "  --help               this text\n"
    "exit status: 0 no problem, 1 problems found (one line each), 2 usage error or nothing to check\n";

int fail(const std::string& problem) {
  std::fprintf(stderr, "kerbelin-nibcheck: %s\n%s", problem.c_str(), kUsage);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string identifier = "Halvet.KerbelinSDK";
  std::string directory;
  for (int i = 1; i < argc; ++i) {
    std::string argument = argv[i];
    if (argument == "--help" || argument == "-h") {
      std::fputs(kUsage, stdout);
      return 0;
    }
    if (argument != "--dir" && argument != "--bundle") return fail("unknown option " + argument);
    if (i + 1 >= argc) return fail(argument + " needs a value");
    (argument == "--dir" ? directory : identifier) = argv[++i];
  }
  std::shared_ptr<ios::Bundle> bundle;
  if (!directory.empty()) {
    std::error_code error;
    if (!std::filesystem::is_directory(directory, error)) return fail(directory + " is not a directory");
    bundle = ios::Bundle::create("nibcheck." + directory, std::filesystem::path(directory));
  } else {
    bundle = ios::Bundle::withIdentifier(identifier);
    if (!bundle) return fail("no bundle \"" + identifier + "\" is compiled in");
  }
  kerbelin::nibcheck::NibChecker checker(bundle);
  checker.run();
  if (checker.nibCount() == 0 && checker.sceneCount() == 0 && checker.problems().empty()) {
    const std::string where = directory.empty() ? "the bundle \"" + identifier + "\"" : directory;
    return fail(where + " holds no *.nib.json or *.storyboard.json file: nothing to check");
  }
  for (const auto& problem : checker.problems()) std::printf("%s\n", problem.c_str());
  std::printf("kerbelin-nibcheck: %d nib(s), %d scene(s), %zu problem(s)\n", checker.nibCount(),
              checker.sceneCount(), checker.problems().size());
  return checker.problems().empty() ? 0 : 1;
}
