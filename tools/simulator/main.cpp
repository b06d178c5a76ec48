// kerbelin-sim: the host application that embeds KerbelinSDK and shows it, or drives it from a script.
#include "Simulator.h"
#include "SimulatorOptions.h"

#include <iostream>
#include <string>
#include <vector>

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
