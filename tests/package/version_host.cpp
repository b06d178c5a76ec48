// Built from `pkg-config --cflags --libs kerbelinsdk` alone: the version header and a console line sent
// through a sink of the program's own, so that both the headers and the libraries come from the package.
#include <Foundation/Console.h>
#include <KerbelinVersion.h>

#include <cstdio>
#include <string>

int main() {
  std::string line;
  ios::setConsoleSink([&](std::string_view text) { line = text; });
  ios::print(KERBELIN_VERSION_STRING, "");
  ios::useStandardConsole();
  std::printf("%d.%d.%d %d %s\n", KERBELIN_VERSION_MAJOR, KERBELIN_VERSION_MINOR, KERBELIN_VERSION_PATCH,
              KERBELIN_VERSION, line.c_str());
}
