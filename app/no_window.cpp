// RunWindow of a build without the Qt window (QUILLON_UI off): only the
// batch mode is there.
#include <iostream>

#include "ui/window_start.h"

namespace quillon {

int RunWindow(int& /*argc*/, char** /*argv*/, const std::string& /*file*/) {
  std::cerr << "quillon: this build has no window; see 'quillon --help' for the batch mode.\n";
  return 2;
}

}  // namespace quillon
