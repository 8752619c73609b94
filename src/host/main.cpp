#include <iostream>
#include <string>
#include <vector>

#include "host/command_line.h"
#include "host/host_program.h"

// The workbook host program `tavrello`.
int main(int argc, char** argv) {
  std::vector<std::string> arguments(argv + 1, argv + argc);
  return tavrello::host::runProgram(tavrello::host::parseCommandLine(arguments), std::cout, std::cerr);
}
