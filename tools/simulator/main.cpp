// kerbelin-sim: the host application that embeds KerbelinSDK and shows it, or drives it from a script.
#include "Simulator.h"
#include "SimulatorOptions.h"

#include <iostream>
#include <string>
#include <vector>

// SDL's desktop session keeps a D-Bus connection and a few Xlib allocations that SDL_Quit does not give
// back (freeing them would need dbus_shutdown, unsafe while other code may use D-Bus). The list
// replaces the font system's own, so fontconfig's caches are named here again. Sanitizer builds only.
#if defined(__SANITIZE_ADDRESS__)
extern "C" __attribute__((visibility("default"), used)) const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\nleak:libdbus-1.so\nleak:libX11.so\n";
}
#endif

int main(int argc, char** argv) {
  std::vector<std::string> arguments(argv + 1, argv + argc);
  std::string error;
  auto options = kerbelin::sim::SimulatorOptions::parse(arguments, error);
  if (!options) {
    std::cerr << "kerbelin-sim: " << error << "\n" << kerbelin::sim::SimulatorOptions::usage();
    return 2;
  }
  if (options->help) {
    std::cout << kerbelin::sim::SimulatorOptions::usage();
    return 0;
  }
  return kerbelin::sim::Simulator(std::move(*options)).run();
}
