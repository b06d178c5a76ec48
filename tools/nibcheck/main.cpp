// kerbelin-nibcheck [--dir DIR | --bundle IDENTIFIER]
//
// Loads every nib and storyboard of the framework bundle "Halvet.KerbelinSDK" (or of another
// registered bundle, or of a folder) and lays each out at a 375-point width. Prints one line per
// problem and exits 1 when there is any, 2 on a usage error.

#include "NibChecker.h"

#include <Foundation/Bundle.h>

#include <cstdio>
#include <filesystem>
#include <string>

int main(int argc, char** argv) {
  std::string identifier = "Halvet.KerbelinSDK";
  std::string directory;
  for (int i = 1; i < argc; ++i) {
    std::string argument = argv[i];
    if ((argument == "--dir" || argument == "--bundle") && i + 1 < argc) {
      (argument == "--dir" ? directory : identifier) = argv[++i];
    } else {
      std::fprintf(stderr, "usage: kerbelin-nibcheck [--dir DIR | --bundle IDENTIFIER]\n");
      return 2;
    }
  }
  std::shared_ptr<ios::Bundle> bundle;
  if (!directory.empty()) {
    std::error_code error;
    if (!std::filesystem::is_directory(directory, error)) {
      std::fprintf(stderr, "kerbelin-nibcheck: %s is not a directory\n", directory.c_str());
      return 2;
    }
    bundle = ios::Bundle::create("nibcheck." + directory, std::filesystem::path(directory));
  } else {
    bundle = ios::Bundle::withIdentifier(identifier);
    if (!bundle) {
      std::printf("kerbelin-nibcheck: no bundle \"%s\" is registered\n", identifier.c_str());
      return 1;
    }
  }
  kerbelin::nibcheck::NibChecker checker(bundle);
  checker.run();
  for (const auto& problem : checker.problems()) std::printf("%s\n", problem.c_str());
  std::printf("kerbelin-nibcheck: %d nib(s), %d scene(s), %zu problem(s)\n", checker.nibCount(),
              checker.sceneCount(), checker.problems().size());
  return checker.problems().empty() ? 0 : 1;
}
