// quillon: the batch mode runs without a window; every other command line
// opens the window.
#include <iostream>
#include <string>
#include <vector>

#include "io/batch.h"
#include "ui/window_start.h"

int main(int argc, char** argv) {
  const quillon::CommandLine line =
      quillon::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  if (line.kind != quillon::CommandLine::Window) {
    return quillon::RunCommandLine(line, std::cout, std::cerr);
  }
  return quillon::RunWindow(argc, argv, line.file);
}
